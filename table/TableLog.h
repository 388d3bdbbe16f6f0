#pragma once

#include <QLoggingCategory>

// Filling, sorting and finding in a table window.
Q_DECLARE_LOGGING_CATEGORY(lcTable)
