#pragma once

#include <QLoggingCategory>

// Opening pictures in a picture window and building its mosaic.
Q_DECLARE_LOGGING_CATEGORY(lcBrowse)
