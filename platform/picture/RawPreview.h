#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QImage>
#include <QString>

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

// What LibRaw reads of the camera and the shot from a raw file's own tags;
// empty texts and zeros where it has none.
struct SRawFacts
{
    QString strMake;
    QString strModel;
    QString strLens;
    // The wall clock the camera showed (Qt::UTC, no zone).
    QDateTime dtCaptured;
    double dExposure = 0; // seconds
    double dAperture = 0; // f-number
    double dIso = 0;
    double dFocalLength = 0; // mm
};

// The facts of the raw file; all empty when LibRaw cannot read it.
SRawFacts ReadRawFacts(const QByteArray& data);
