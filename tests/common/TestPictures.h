#pragma once

#include <QByteArray>
#include <QColor>
#include <QImage>
#include <QList>
#include <QSize>
#include <QString>

// A picture file's bytes: a plain image of one colour in the given format.
QByteArray EncodePicture(const char* szFormat, QSize size = QSize(16, 12),
                         QColor color = Qt::darkCyan);

// A small JPEG; with strExifDate ("2006:12:07 14:03:22") it carries that
// capture time in its EXIF block.
QByteArray MakeJpeg(const QString& strExifDate = QString());

// The image in the given format ("JPG", "BMP", "PNG"...); quality -1 is the writer's default.
QByteArray EncodeImage(const QImage& image, const char* szFormat, int nQuality = -1);

// A GIF holding the images as frames in order (at most 256 colours in all).
QByteArray MakeGif(const QList<QImage>& arFrames);

// An ICO (or, with bCursor, a CUR) holding the images in order, each up to 256 x 256.
QByteArray MakeIcon(const QList<QImage>& arImages, bool bCursor = false);

// A camera-style JPEG: the image at the given quality, an EXIF block with the
// orientation tag (1 to 8; 0 leaves it out) and, when given, an embedded JPEG thumbnail.
QByteArray MakeCameraJpeg(const QImage& image, int nQuality, int nOrientation,
                          const QByteArray& thumbnailJpeg = QByteArray());

// White, with a red square of side nSide whose top-left corner is ptCorner.
QImage MakeMarkedImage(QSize size, QPoint ptCorner, int nSide);

// The colour of picture i in a folder made by WriteColourFolder.
QColor FolderColour(int i);

// Writes nCount BMPs, 0.bmp .. (nCount - 1).bmp, each of one FolderColour, into
// strFolder; returns strFolder, or an empty string when a file can't be written.
QString WriteColourFolder(const QString& strFolder, int nCount, QSize size = QSize(40, 30));
