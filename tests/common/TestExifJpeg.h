#pragma once

#include <QByteArray>

// A 64 x 48 JPEG whose EXIF block holds a camera's usual tags: make
// "Tarnwick Optics", model "TW-100", lens "TW 24-70mm F2.8", taken
// 2006:12:07 14:03:22, 1/250 s at f/2.8, ISO 400, 50 mm, flash 0x19 (fired,
// auto), orientation 6, sRGB, and the GPS position 33° 51' 24.24" S,
// 70° 30' 0" W.
QByteArray MakeExifCameraJpeg();
