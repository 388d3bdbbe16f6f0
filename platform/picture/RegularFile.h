#pragma once

#include <QByteArray>
#include <QString>

class QFile;

// Opens the file for reading only when it is a regular file (or a link to
// one). A named pipe, socket or device is refused without blocking: anyone
// who can write to a browsed folder can leave one named like a picture.
bool OpenRegularFile(QFile& file, const QString& strPath);

// The largest camera file (raw or HEIF) read whole into memory.
constexpr qint64 kMaxCameraFileBytes = qint64(1024) * 1024 * 1024;

// The whole of a regular file, for the libraries that read from memory; empty
// when it is no regular file, cannot be read or is larger than nMaxBytes.
QByteArray ReadRegularFile(const QString& strPath, qint64 nMaxBytes);
