#include "browse/BrowseLog.h"

// Only warnings by default, so a normal run writes nothing; the debug lines
// come with QT_LOGGING_RULES="orvala.browse.debug=true".
Q_LOGGING_CATEGORY(lcBrowse, "orvala.browse", QtWarningMsg)
