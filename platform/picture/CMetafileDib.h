#pragma once

#include "platform/picture/CMetafileRecordReader.h"

#include <QImage>

// Device-independent bitmaps inside metafile records: blits and pattern
// brushes. Nothing is allocated before the pixels the header claims are known
// to lie in the record, and no bitmap exceeds kMaxPixels.
class CMetafileDib
{
public:
    static constexpr int kMaxSide = 32768;
    static constexpr qint64 kMaxPixels = qint64(1) << 24;

    // Header and colour table in bmi, pixels in bits (as EMF records keep them).
    // bPalIndices: the colour table holds 16-bit palette indices, not colours.
    // pBottomUp: whether source rows count from the bottom, as blits measure them.
    static QImage Decode(const CMetafileRecordReader& bmi, const CMetafileRecordReader& bits,
                         bool bPalIndices = false, bool* pBottomUp = nullptr);
    // Header, colour table and pixels one after another (as WMF records keep them).
    static QImage DecodePacked(const CMetafileRecordReader& dib, bool bPalIndices = false,
                               bool* pBottomUp = nullptr);
};
