#include "browse/FolderListing.h"

QString GetExtension(const QString& strPath)
{
    const qsizetype nDot = strPath.lastIndexOf(QLatin1Char('.'));
    if (nDot < 0)
        return QString();
    return strPath.mid(nDot + 1);
}
