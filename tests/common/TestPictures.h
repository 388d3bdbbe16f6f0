#pragma once

#include <QByteArray>
#include <QColor>
#include <QSize>
#include <QString>

// A picture file's bytes: a plain image of one colour in the given format.
QByteArray EncodePicture(const char* szFormat, QSize size = QSize(16, 12),
                         QColor color = Qt::darkCyan);

// A small JPEG; with strExifDate ("2006:12:07 14:03:22") it carries that
// capture time in its EXIF block.
QByteArray MakeJpeg(const QString& strExifDate = QString());
