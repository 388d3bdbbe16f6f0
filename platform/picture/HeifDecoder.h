#pragma once

#include <QByteArray>
#include <QImage>
#include <QSize>

// Whether the bytes begin as a HEIF file (HEIC or HEIF): an "ftyp" box that
// names a brand libheif reads.
bool IsHeif(const QByteArray& head);

// Whether libheif reads the file's boxes and finds a primary image in them.
// Decodes nothing.
bool CanReadHeif(const QByteArray& data);

// The primary image, upright: libheif applies the file's rotation, mirror
// and crop. With a valid box, the smallest of the file's own thumbnails that
// is at least as large as the picture scaled into the box stands in for it.
// szNatural receives the upright size of the primary image. Null when libheif
// cannot decode the file, or the image is larger than a full decode may hold.
QImage DecodeHeif(const QByteArray& data, const QSize& szBox, QSize* pNatural);

// The primary image's EXIF block as libexif reads it: "Exif\0\0" and then
// the TIFF data. Empty when there is none.
QByteArray HeifExif(const QByteArray& data);
