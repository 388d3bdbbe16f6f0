#pragma once

#include "platform/picture/CPicture.h"

#include <QCryptographicHash>
#include <QFile>
#include <QImage>
#include <QPainter>

// Draws the whole picture upright into a white w x h image, as callers do.
inline QImage RenderPicture(const CPicture& picture, int w, int h)
{
    QImage img(w, h, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::white);
    QPainter painter(&img);
    const QSize sz = picture.GetHimetricSize();
    picture.Render(painter, QRect(0, 0, w, h), QRect(0, sz.height(), sz.width(), -sz.height()),
                   QRect(0, 0, w, h));
    return img;
}

// Whether the pixel is within a small distance of the colour (edges are antialiased).
inline bool Near(QRgb a, QRgb b)
{
    return std::abs(qRed(a) - qRed(b)) < 24 && std::abs(qGreen(a) - qGreen(b)) < 24 &&
           std::abs(qBlue(a) - qBlue(b)) < 24;
}

// With ORVALA_METAFILE_CORPUS set, the test files also seed the fuzzer's corpus.
inline void KeepForCorpus(const QByteArray& file, const char* pszTag)
{
    const QString strDir = qEnvironmentVariable("ORVALA_METAFILE_CORPUS");
    if (strDir.isEmpty())
        return;
    QFile out(
        strDir + QLatin1Char('/') +
        QString::fromLatin1(QCryptographicHash::hash(pszTag, QCryptographicHash::Md5).toHex()));
    if (out.open(QIODevice::WriteOnly))
        out.write(file);
}
