#pragma once

#include <QByteArray>
#include <QImage>
#include <QSize>
#include <QString>

// A HEIC file (libheif's HEVC encoder) holding the image as its primary image,
// stored turned so that the orientation (1 to 8) brings it back upright, and
// with strExifDate ("2006:12:07 14:03:22") an EXIF block carrying that
// capture time. Empty when libheif cannot encode.
QByteArray MakeHeic(const QImage& image, int nOrientation = 1,
                    const QString& strExifDate = QString(), int nQuality = 50);

// A small DNG: an uncompressed sensor area of szSensor (16-bit, RGGB; LibRaw
// takes none below 22 pixels a side) and, as
// the first image, the preview JPEG of szPreview pixels, with the TIFF
// orientation tag and, when given, the capture time as DateTime.
QByteArray MakeDng(const QByteArray& previewJpeg, QSize szPreview, QSize szSensor,
                   int nOrientation = 1, const QString& strDate = QString());
