#include "BenchCommon.h"

#include <QElapsedTimer>
#include <QFile>
#include <QRandomGenerator>

#include <cstdio>

double Seconds(const std::function<void()>& run)
{
    QElapsedTimer timer;
    timer.start();
    run();
    return timer.nsecsElapsed() / 1e9;
}

qint64 ResidentBytes()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').first().toLongLong() * 1024;
    }
    return 0;
}

QImage CameraLikeImage(quint32 nSeed)
{
    QRandomGenerator generator(nSeed);
    QImage image(4000, 3000, QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y) {
        auto* pLine = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            const quint32 nNoise = generator.generate();
            const int n = int(nNoise % 40) - 20;
            pLine[x] =
                qRgb(qBound(0, x * 200 / 4000 + 30 + n, 255),
                     qBound(0, y * 200 / 3000 + 30 + int((nNoise >> 8) % 40) - 20, 255),
                     qBound(0, (x + y) * 100 / 7000 + 80 + int((nNoise >> 16) % 40) - 20, 255));
        }
    }
    return image;
}

QString WriteBenchFile(const QString& strPath, const QByteArray& data)
{
    QFile file(strPath);
    if (!file.open(QIODevice::WriteOnly))
        qFatal("cannot write %s", qPrintable(strPath));
    file.write(data);
    return strPath;
}

void PrintFigure(const char* szName, double dValue, const char* szUnit)
{
    std::printf("%s %.2f %s\n", szName, dValue, szUnit);
    std::fflush(stdout);
}
