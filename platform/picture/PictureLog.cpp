#include "platform/picture/PictureLog.h"

// Only warnings by default, so a normal run writes nothing; the debug lines
// come with QT_LOGGING_RULES="orvala.picture.debug=true".
Q_LOGGING_CATEGORY(lcPicture, "orvala.picture", QtWarningMsg)
