#pragma once

#include "platform/picture/CMetafileRecordReader.h"

#include <QPointF>
#include <QRectF>
#include <QSize>
#include <QSizeF>

class CMetafileDC;

// Plays a Windows metafile (16-bit records, with or without the placeable
// header) onto a playback device context.
class CWmfPlayer
{
public:
    struct SHeader
    {
        QPointF ptWinOrg;      // the picture's window: the placeable box, or
        QSizeF szWinExt{0, 0}; // the file's own first window origin and extent
        // The part of the reference device the window is drawn on: the
        // file's own viewport when it maps its window onto one, else
        // (0, 0, |window extent|).
        QRectF rcDevice;
        double dUnitsPerInch = 1440;
        int nObjects = 0;
        std::size_t nFirstRecord = 0;
        QSize szHimetric;
    };

    static bool IsWmf(const CMetafileRecordReader& file);
    static bool ReadHeader(const CMetafileRecordReader& file, SHeader& header);
    // The picture is rcDevice of the reference device.
    static void Play(const CMetafileRecordReader& file, const SHeader& header, CMetafileDC& dc);
};
