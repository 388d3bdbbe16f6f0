#include "table/TableLog.h"

// Only warnings by default, so a normal run writes nothing; the debug lines
// come with QT_LOGGING_RULES="orvala.table.debug=true".
Q_LOGGING_CATEGORY(lcTable, "orvala.table", QtWarningMsg)
