#pragma once

#include <QLoggingCategory>

// What the framework layer does and what goes wrong in it.
Q_DECLARE_LOGGING_CATEGORY(lcFramework)
