#pragma once

#include "platform/picture/CMetafileRecordReader.h"

#include <QRectF>
#include <QSize>
#include <vector>

class CMetafileDC;

// Plays an enhanced metafile (32-bit records) onto a playback device context.
class CEmfPlayer
{
public:
    struct SHeader
    {
        QRectF rcFrame; // in reference-device pixels
        double dPixelsPerMm = 96 / 25.4;
        int nObjects = 0;
        std::size_t nFirstRecord = 0;
        QSize szHimetric;
    };

    static bool IsEmf(const CMetafileRecordReader& file);
    static bool ReadHeader(const CMetafileRecordReader& file, SHeader& header);
    // The reference device's units are its pixels.
    static void Play(const CMetafileRecordReader& file, const SHeader& header, CMetafileDC& dc);

private:
    // Buffers kept from record to record.
    struct SScratch
    {
        std::vector<int> counts;
        std::vector<double> dx;
    };
    static void PlayRecord(CMetafileDC& dc, quint32 nType, const CMetafileRecordReader& r,
                           SScratch& scratch);
};
