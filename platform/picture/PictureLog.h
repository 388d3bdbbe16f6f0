#pragma once

#include <QLoggingCategory>

// Decoding pictures and reading and writing thumbnails.
Q_DECLARE_LOGGING_CATEGORY(lcPicture)
