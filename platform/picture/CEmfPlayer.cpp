#include "platform/picture/CEmfPlayer.h"

#include "platform/picture/CMetafileDC.h"

#include <uemf.h>

#include <algorithm>
#include <cmath>
#include <cstddef>

namespace {

// The header up to the reference device's size in millimetres; later fields are optional.
constexpr std::size_t kMinHeader = offsetof(U_EMRHEADER, cbPixelFormat);
constexpr double kMaxHimetric = 1e6;

QRectF Rect32(const CMetafileRecordReader& r, std::size_t n)
{
    return QRectF(QPointF(r.I32(n), r.I32(n + 4)), QPointF(r.I32(n + 8), r.I32(n + 12)));
}

} // namespace

bool CEmfPlayer::IsEmf(const CMetafileRecordReader& file)
{
    return file.Has(0, kMinHeader) && file.U32(offsetof(U_EMR, iType)) == U_EMR_HEADER &&
           file.U32(offsetof(U_EMRHEADER, dSignature)) == U_ENHMETA_SIGNATURE;
}

bool CEmfPlayer::ReadHeader(const CMetafileRecordReader& file, SHeader& header)
{
    if (!IsEmf(file))
        return false;
    const quint32 nHeaderSize = file.U32(offsetof(U_EMR, nSize));
    if (nHeaderSize < kMinHeader || nHeaderSize % 4 != 0 || !file.Has(0, nHeaderSize))
        return false;
    SHeader h;
    constexpr std::size_t kDevice = offsetof(U_EMRHEADER, szlDevice);
    constexpr std::size_t kMm = offsetof(U_EMRHEADER, szlMillimeters);
    const double dDeviceW = file.I32(kDevice), dDeviceH = file.I32(kDevice + 4);
    const double dMmW = file.I32(kMm), dMmH = file.I32(kMm + 4);
    double dPxPerMmX = h.dPixelsPerMm, dPxPerMmY = h.dPixelsPerMm;
    if (dDeviceW > 0 && dDeviceH > 0 && dMmW > 0 && dMmH > 0) {
        dPxPerMmX = dDeviceW / dMmW;
        dPxPerMmY = dDeviceH / dMmH;
    }
    h.dPixelsPerMm = dPxPerMmX;
    // The frame is in 0.01 mm; a writer that left it empty still gave the bounds in pixels.
    QRectF rcFrame = Rect32(file, offsetof(U_EMRHEADER, rclFrame));
    const QRectF rcBounds = Rect32(file, offsetof(U_EMRHEADER, rclBounds));
    QSizeF szHimetric = rcFrame.size();
    if (szHimetric.width() <= 0 || szHimetric.height() <= 0) {
        szHimetric =
            QSizeF(rcBounds.width() * 100 / dPxPerMmX, rcBounds.height() * 100 / dPxPerMmY);
        rcFrame = QRectF(rcBounds.left() * 100 / dPxPerMmX, rcBounds.top() * 100 / dPxPerMmY,
                         szHimetric.width(), szHimetric.height());
    }
    const double w = std::round(szHimetric.width()), ht = std::round(szHimetric.height());
    if (!(w >= 1 && ht >= 1 && w <= kMaxHimetric && ht <= kMaxHimetric))
        return false;
    h.szHimetric = QSize(int(w), int(ht));
    h.rcFrame = QRectF(rcFrame.left() * dPxPerMmX / 100, rcFrame.top() * dPxPerMmY / 100,
                       rcFrame.width() * dPxPerMmX / 100, rcFrame.height() * dPxPerMmY / 100);
    // Some writers draw above or left of the origin, record that in the bounds,
    // and still put the frame at 0,0: a frame that mostly misses the drawing
    // gives way to the bounds (inclusive, hence the extra pixel). Bounds larger
    // than a frame inside them are common and leave the frame alone.
    const QRectF rcDrawn = rcBounds.adjusted(0, 0, 1, 1);
    const QRectF rcShared = rcDrawn.intersected(h.rcFrame);
    const auto area = [](const QRectF& rc) { return rc.width() * rc.height(); };
    if (rcBounds.width() > 0 && rcBounds.height() > 0 &&
        area(rcShared) < std::min(area(rcDrawn), area(h.rcFrame)) / 2)
        h.rcFrame = rcDrawn;
    h.nObjects = int(file.U16(offsetof(U_EMRHEADER, nHandles)));
    h.nFirstRecord = nHeaderSize;
    header = h;
    return true;
}

void CEmfPlayer::Play(const CMetafileRecordReader& file, const SHeader& header, CMetafileDC& dc)
{
    dc.SetObjectTableSize(header.nObjects);
    dc.SetMetricScale(header.dPixelsPerMm);
    SScratch scratch;
    std::size_t nOffset = header.nFirstRecord;
    // Each record's size must be a whole number of 32-bit words that fits in
    // what is left of the file; playback ends at the first one that is not.
    while (file.Has(nOffset, sizeof(U_EMR))) {
        const quint32 nType = file.U32(nOffset + offsetof(U_EMR, iType));
        const quint32 nSize = file.U32(nOffset + offsetof(U_EMR, nSize));
        if (nSize < sizeof(U_EMR) || nSize % 4 != 0 || !file.Has(nOffset, nSize) ||
            nType == U_EMR_EOF || dc.BudgetSpent())
            return;
        dc.AddWork(MetafileWork::kPerRecord);
        PlayRecord(dc, nType, file.Sub(nOffset, nSize), scratch);
        nOffset += nSize;
    }
}
