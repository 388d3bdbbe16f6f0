#pragma once

#include "platform/picture/CPicture.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QSize>
#include <QString>

// How a raster picture is decoded for a box: covering it (the size a fitted
// picture is drawn at; a JPEG at the smallest exact half, quarter or eighth
// that covers it) or within it (a thumbnail, decoded for speed).
enum class EDecodeFit { Cover, Within };

// A full decode holds at most this many pixels (256 MB at 32 bits a pixel,
// past every camera of today). A larger JPEG is decoded at a half, a quarter or
// an eighth of its size to fit it; any other larger picture, or a header that
// claims one, is refused.
constexpr qint64 kMaxDecodedPixels = qint64(64) * 1024 * 1024;

// The pixel size to decode a raster picture of upright size szNatural at:
// the natural size, or smaller for a valid box (never larger), and never
// above kMaxDecodedPixels (halved until it fits). Aspect ratio kept, at least
// one pixel a side.
QSize DecodedSize(const QSize& szNatural, const QSize& szBox = QSize(),
                  EDecodeFit fit = EDecodeFit::Cover);

// Decodes a JPG, BMP, GIF (its first frame), ICO or CUR (its largest image),
// WMF or EMF, PNG, WebP, TIFF or HEIF, recognised by content, not by name; a
// camera raw file (told by its extension, see PictureFormats.h) shows its
// embedded preview, upright. An empty box decodes at full
// resolution (Full Size, printing); a box lets a raster picture be decoded just
// big enough for it. Null when the file is missing or no picture; a damaged
// file yields what could be decoded safely. Safe to call from any thread.
CPicturePtr DecodePicture(const QString& strPath, const QSize& szBox = QSize(),
                          EDecodeFit fit = EDecodeFit::Cover);
// Why the file gives no picture, in the words shown to the user: "No such
// file", "Permission denied", or "not a picture Orvala can read" (a special
// file, or content no decoder takes). Empty when its header is a picture's:
// its content may still be damaged. Reads the header only (a HEIF or raw
// file whole, for libheif or LibRaw to read its boxes or tags), never blocks.
QString PictureProblem(const QString& strPath);
inline QString NotAPictureText()
{
    return QCoreApplication::translate("PictureDecoder", "not a picture Orvala can read");
}
CPicturePtr DecodePictureData(const QByteArray& data, const QSize& szBox = QSize(),
                              EDecodeFit fit = EDecodeFit::Cover);
