#pragma once

#include "platform/picture/CPicture.h"

#include <QByteArray>

// A WMF or EMF picture, played back as vectors at the size it is drawn.
class CMetafilePicture : public CPicture
{
public:
    // Whether the bytes begin like a WMF (placeable or not) or an EMF.
    static bool IsMetafile(const QByteArray& data);
    // Parses the metafile's header and keeps its bytes; null when the bytes
    // are no metafile this player can size. Records are checked as they play.
    static CPicturePtr Load(const QByteArray& data);
};
