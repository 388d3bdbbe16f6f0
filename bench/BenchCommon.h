#pragma once

#include <QImage>
#include <QtGlobal>
#include <functional>

// Wall-clock seconds that run takes.
double Seconds(const std::function<void()>& run);

// The process's resident memory, from /proc (0 where it cannot be read).
qint64 ResidentBytes();

// A 4000 x 3000 diagonal gradient with fine noise: saved as a JPEG at quality
// 90 it is about 4 MB, like a real 12-megapixel photo, so decoding costs what a
// camera's file costs (flat content would make every ratio look better).
QImage CameraLikeImage(quint32 nSeed);
