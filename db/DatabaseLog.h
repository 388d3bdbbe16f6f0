#pragma once

#include <QLoggingCategory>

// Opening the photo database, reading its records and importing pictures.
Q_DECLARE_LOGGING_CATEGORY(lcDatabase)
