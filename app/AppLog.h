#pragma once

#include <QLoggingCategory>

// Starting the program: where it keeps its files and finds its guide.
Q_DECLARE_LOGGING_CATEGORY(lcApp)
