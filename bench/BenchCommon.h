#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>
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

// Writes the bytes to a new file at strPath and returns the path; a file that
// cannot be written ends the benchmark.
QString WriteBenchFile(const QString& strPath, const QByteArray& data);

// One figure as a "name value unit" line.
void PrintFigure(const char* szName, double dValue, const char* szUnit);
