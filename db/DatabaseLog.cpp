#include "db/DatabaseLog.h"

// Only warnings by default, so a normal run writes nothing; the debug lines
// come with QT_LOGGING_RULES="orvala.database.debug=true".
Q_LOGGING_CATEGORY(lcDatabase, "orvala.database", QtWarningMsg)
