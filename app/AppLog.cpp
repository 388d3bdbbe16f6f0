#include "app/AppLog.h"

// Only warnings by default, so a normal run writes nothing; the debug lines
// come with QT_LOGGING_RULES="orvala.app.debug=true".
Q_LOGGING_CATEGORY(lcApp, "orvala.app", QtWarningMsg)
