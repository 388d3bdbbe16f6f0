#include "db/PictureFingerprint.h"

#include "db/CaptureTime.h"

#include <QCryptographicHash>
#include <QFile>
#include <QFileInfo>

namespace {
constexpr qint64 kHashedEnd = 64 * 1024;
} // namespace

SPictureFingerprint PictureFingerprint(const QString& strPath)
{
    return PictureFingerprint(QFileInfo(strPath));
}

SPictureFingerprint PictureFingerprint(const QFileInfo& fileInfo)
{
    QFile file(fileInfo.filePath());
    // Unbuffered: two small reads, never the whole of a large file.
    if (!fileInfo.isFile() || !file.open(QIODevice::ReadOnly | QIODevice::Unbuffered))
        return {};
    const qint64 nSize = file.size();
    QCryptographicHash hash(QCryptographicHash::Sha1);
    // A small file is hashed whole.
    const bool bWhole = nSize <= 2 * kHashedEnd;
    const qint64 nHead = bWhole ? nSize : kHashedEnd;
    const QByteArray head = file.read(nHead);
    if (head.size() != nHead)
        return {};
    hash.addData(head);
    if (!bWhole) {
        if (!file.seek(nSize - kHashedEnd))
            return {};
        const QByteArray tail = file.read(kHashedEnd);
        if (tail.size() != kHashedEnd)
            return {};
        hash.addData(tail);
    }
    SPictureFingerprint fingerprint;
    fingerprint.m_nSize = nSize;
    fingerprint.m_dtDate = PictureDate(fileInfo, head, bWhole);
    fingerprint.m_hash = hash.result();
    return fingerprint;
}

QString FingerprintKey(const SPictureFingerprint& fingerprint)
{
    return QString::number(fingerprint.m_nSize) + u'|' +
           QString::number(fingerprint.m_dtDate.toSecsSinceEpoch()) + u'|' +
           QString::fromLatin1(fingerprint.m_hash.toHex());
}
