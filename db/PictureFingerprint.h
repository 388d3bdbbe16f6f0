#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>

class QFileInfo;

// What tells a picture file from another without reading it whole: its size,
// its date (as a record's Date holds it) and a hash of its first and last
// 64 KB. A file renamed or moved keeps all three.
struct SPictureFingerprint
{
    qint64 m_nSize = -1;
    QDateTime m_dtDate;
    QByteArray m_hash; // raw bytes

    bool IsValid() const { return m_nSize >= 0 && m_dtDate.isValid() && !m_hash.isEmpty(); }
    bool operator==(const SPictureFingerprint& other) const
    {
        return m_nSize == other.m_nSize && m_dtDate == other.m_dtDate && m_hash == other.m_hash;
    }
    bool operator!=(const SPictureFingerprint& other) const { return !(*this == other); }
};

// The fingerprint of the file at strPath; invalid when it is no regular
// file or can not be read. Its date is the one the file's record gets.
SPictureFingerprint PictureFingerprint(const QString& strPath);
SPictureFingerprint PictureFingerprint(const QFileInfo& fileInfo);

// The three together as one text, to find equal fingerprints by.
QString FingerprintKey(const SPictureFingerprint& fingerprint);
