#include "platform/picture/CMetafilePicture.h"

bool CMetafilePicture::IsMetafile(const QByteArray&)
{
    return false;
}

CPicturePtr CMetafilePicture::Load(const QByteArray&)
{
    return nullptr;
}
