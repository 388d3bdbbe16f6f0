#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QMap>
#include <QString>

class CDaoDatabase;

// Every file under a folder, by relative path, with a hash of its bytes.
QMap<QString, QByteArray> FolderChecksums(const QString& strFolder);

// Adds one photo record through the engine layer.
void AddPhoto(CDaoDatabase* pDatabase, const QDateTime& date, const QString& strName,
              const QString& strDirectory, const QString& strTheme = QString(),
              const QString& strComment = QString());

// A small JPEG; with strExifDate ("2006:12:07 14:03:22") it carries that
// capture time in its EXIF block.
QByteArray MakeJpeg(const QString& strExifDate = QString());
