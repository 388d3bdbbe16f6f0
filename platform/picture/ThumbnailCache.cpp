#include "platform/picture/ThumbnailCache.h"
#include "platform/picture/PictureLog.h"
#include "platform/picture/RegularFile.h"

#include <QCryptographicHash>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QImageReader>
#include <QStandardPaths>
#include <QTemporaryFile>
#include <QUrl>

#include <cstdio>

namespace {

constexpr int kPngQuality = 80;

const char* const kUriKey = "Thumb::URI";
const char* const kMTimeKey = "Thumb::MTime";

QString FolderName(int nSide)
{
    switch (nSide) {
    case 128:
        return QStringLiteral("normal");
    case 256:
        return QStringLiteral("large");
    case 512:
        return QStringLiteral("x-large");
    default:
        return QString();
    }
}

QByteArray FileUri(const QString& strFile)
{
    return QUrl::fromLocalFile(QFileInfo(strFile).absoluteFilePath()).toEncoded();
}

QString FileMTime(const QString& strFile)
{
    const QFileInfo info(strFile);
    if (!info.exists())
        return QString();
    return QString::number(info.lastModified().toSecsSinceEpoch());
}

QString CacheRoot()
{
    // Honours XDG_CACHE_HOME, falling back to ~/.cache.
    return QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation) +
           QStringLiteral("/thumbnails");
}

bool MakePrivateFolder(const QString& strPath)
{
    if (QFileInfo(strPath).isDir())
        return true;
    if (!QDir().mkpath(strPath))
        return false;
    return QFile::setPermissions(strPath, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

} // namespace

int ThumbnailCacheSide(const QSize& szCell)
{
    const int nLongest = qMax(szCell.width(), szCell.height());
    for (int nSide : {128, 256, 512}) {
        if (nLongest <= nSide)
            return nSide;
    }
    return 0;
}

QString ThumbnailCachePath(const QString& strFile, int nSide)
{
    const QString strFolder = FolderName(nSide);
    if (strFolder.isEmpty())
        return QString();
    const QByteArray md5 = QCryptographicHash::hash(FileUri(strFile), QCryptographicHash::Md5);
    return CacheRoot() + QLatin1Char('/') + strFolder + QLatin1Char('/') +
           QString::fromLatin1(md5.toHex()) + QStringLiteral(".png");
}

QImage ReadCachedThumbnail(const QString& strFile, int nSide)
{
    const QString strEntry = ThumbnailCachePath(strFile, nSide);
    const QString strMTime = FileMTime(strFile);
    if (strEntry.isEmpty() || strMTime.isEmpty() || !QFileInfo::exists(strEntry))
        return QImage();
    // The cache is shared with other programs: its entries are checked like pictures.
    QFile entryFile;
    if (!OpenRegularFile(entryFile, strEntry))
        return QImage();
    QImageReader reader(&entryFile, "png");
    const QImage image = reader.read();
    if (image.isNull()) {
        qCDebug(lcPicture) << "cached thumbnail ignored, does not parse:" << strEntry;
        return QImage();
    }
    // Writers differ in how much of the URI they percent-encode.
    const QString strUri = image.text(QLatin1String(kUriKey));
    if (image.text(QLatin1String(kMTimeKey)) != strMTime ||
        (!strUri.isEmpty() &&
         QUrl::fromEncoded(strUri.toUtf8()) != QUrl::fromEncoded(FileUri(strFile)))) {
        qCDebug(lcPicture) << "cached thumbnail ignored, stale:" << strEntry;
        return QImage();
    }
    return image;
}

bool WriteCachedThumbnail(const QString& strFile, int nSide, const QImage& image)
{
    const QString strEntry = ThumbnailCachePath(strFile, nSide);
    const QString strMTime = FileMTime(strFile);
    if (strEntry.isEmpty() || strMTime.isEmpty() || image.isNull())
        return false;
    const QString strFolder = QFileInfo(strEntry).absolutePath();
    if (!MakePrivateFolder(CacheRoot()) || !MakePrivateFolder(strFolder))
        return false;

    QImage entry = image;
    entry.setText(QLatin1String(kUriKey), QString::fromLatin1(FileUri(strFile)));
    entry.setText(QLatin1String(kMTimeKey), strMTime);
    // Another program may read the entry at any moment: it appears whole or not at all.
    QTemporaryFile file(strFolder + QStringLiteral("/orvala-XXXXXX.png"));
    // Every thumbnail made is written: zlib's fastest level (Qt's PNG quality
    // 80), several times quicker than its default for a slightly larger file.
    if (!file.open() || !entry.save(&file, "PNG", kPngQuality) || !file.flush()) {
        qCDebug(lcPicture) << "thumbnail cache: cannot write" << strEntry;
        return false;
    }
    file.setPermissions(QFile::ReadOwner | QFile::WriteOwner);
    file.close();
    if (std::rename(QFile::encodeName(file.fileName()).constData(),
                    QFile::encodeName(strEntry).constData()) != 0) {
        qCDebug(lcPicture) << "thumbnail cache: cannot rename into" << strEntry;
        return false;
    }
    file.setAutoRemove(false);
    return true;
}
