#pragma once

#include <QDateTime>
#include <QString>

class QFileInfo;

// The capture time the file itself holds: the EXIF block of a JPEG or HEIF
// file, or the time LibRaw reads from a raw file, as the wall clock it is
// (Qt::UTC, no zone). Invalid when there is none.
QDateTime CaptureTime(const QString& strPath, const QString& strExtension);

// The date a record of the picture gets: its capture time, or else its
// modification time as the wall clock here, to the second. head, when
// given, is the file's start (bHeadWhole: the whole file), where a JPEG's
// EXIF block is looked for before the file is opened again.
QDateTime PictureDate(const QFileInfo& fileInfo, const QByteArray& head = QByteArray(),
                      bool bHeadWhole = false);
