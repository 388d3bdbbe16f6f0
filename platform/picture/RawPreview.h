#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QImage>

// What a camera raw file offers for showing it quickly: the camera's own
// preview (the largest LibRaw finds; full size where the camera stores one),
// never the developed sensor data.
struct SRawPreview
{
    QByteArray jpeg;      // the preview as the camera stored it, when a JPEG
    QImage bitmap;        // or as pixels, when stored uncompressed
    int nOrientation = 1; // EXIF orientation that turns the preview upright
};

// Whether LibRaw recognises the data as a raw file it reads. Decodes nothing.
bool CanReadRaw(const QByteArray& data);

// The raw file's embedded preview; false when LibRaw cannot read the file or
// finds no preview it can hand over as a JPEG or 8-bit pixels.
bool ReadRawPreview(const QByteArray& data, SRawPreview& preview);

// The capture time LibRaw reads from the raw file, as the wall clock the
// camera showed (spec Qt::UTC, no zone); invalid when it has none.
QDateTime RawCaptureTime(const QByteArray& data);
