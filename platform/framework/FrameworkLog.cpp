#include "platform/framework/FrameworkLog.h"

// Only warnings by default, so a normal run writes nothing; the debug lines
// come with QT_LOGGING_RULES="orvala.framework.debug=true".
Q_LOGGING_CATEGORY(lcFramework, "orvala.framework", QtWarningMsg)
