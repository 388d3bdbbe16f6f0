// Bitmaps and pattern fills of the playback device context.
#include "platform/picture/CMetafileDC.h"

#include <uemf.h>

#include <QPaintEngine>
#include <QPainter>

namespace {

// The raster operations of blits that have a composition mode; the others draw the source.
QPainter::CompositionMode CompositionForRop(const QPainter& painter, quint32 nRop)
{
    const QPaintEngine* pEngine = painter.paintEngine();
    if (!pEngine || !pEngine->hasFeature(QPaintEngine::RasterOpModes))
        return QPainter::CompositionMode_SourceOver;
    switch (nRop) {
    case U_SRCAND:
        return QPainter::RasterOp_SourceAndDestination;
    case U_SRCPAINT:
        return QPainter::RasterOp_SourceOrDestination;
    case U_SRCINVERT:
        return QPainter::RasterOp_SourceXorDestination;
    case U_NOTSRCCOPY:
        return QPainter::RasterOp_NotSource;
    case U_SRCERASE:
        return QPainter::RasterOp_SourceAndNotDestination;
    case U_NOTSRCERASE:
        return QPainter::RasterOp_NotSourceAndNotDestination;
    }
    return QPainter::CompositionMode_SourceOver;
}

} // namespace

void CMetafileDC::Blit(const QRectF& rcDest, const QImage& img, const QRectF& rcSrc, quint32 nRop)
{
    if (img.isNull() || m_bInPath || !CanDraw())
        return;
    ChargeImage(img);
    ChargeArea(rcDest);
    Prepare(false, false);
    // A negative extent mirrors the bits. Under a mapping that only scales,
    // the image goes to its device rectangle with an upright painter: Qt 6.4
    // reads outside a small image scaled under a mirroring transform.
    QRectF rcTarget = rcDest.normalized();
    bool bFlipX = rcDest.width() < 0, bFlipY = rcDest.height() < 0;
    if (const QTransform& t = Transform(); t.type() <= QTransform::TxScale) {
        rcTarget = t.mapRect(rcTarget);
        bFlipX ^= t.m11() < 0;
        bFlipY ^= t.m22() < 0;
        m_painter.resetTransform();
        m_bToolsDirty = true;
    }
    const QImage mirrored = (bFlipX || bFlipY) ? img.mirrored(bFlipX, bFlipY) : img;
    QRectF rcSource = rcSrc;
    if (bFlipX)
        rcSource.moveLeft(img.width() - rcSrc.right());
    if (bFlipY)
        rcSource.moveTop(img.height() - rcSrc.bottom());
    m_painter.setCompositionMode(CompositionForRop(m_painter, nRop));
    m_painter.setRenderHint(QPainter::SmoothPixmapTransform, m_state.bSmoothBlits);
    m_painter.drawImage(rcTarget, mirrored, rcSource);
    m_painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
}

void CMetafileDC::PatBlt(const QRectF& rcDest, quint32 nRop)
{
    if (m_bInPath || !CanDraw())
        return;
    ChargeArea(rcDest);
    Prepare(false, true);
    const QRectF rc = rcDest.normalized();
    switch (nRop) {
    case U_PATCOPY:
        m_painter.fillRect(rc, m_painter.brush());
        break;
    case U_BLACKNESS:
        m_painter.fillRect(rc, Qt::black);
        break;
    case U_WHITENESS:
        m_painter.fillRect(rc, Qt::white);
        break;
    case U_DSTINVERT:
    case U_PATINVERT:
        if (const QPaintEngine* pEngine = m_painter.paintEngine();
            pEngine && pEngine->hasFeature(QPaintEngine::RasterOpModes)) {
            m_painter.setCompositionMode(nRop == U_DSTINVERT
                                             ? QPainter::RasterOp_NotDestination
                                             : QPainter::RasterOp_SourceXorDestination);
            m_painter.fillRect(rc, nRop == U_DSTINVERT ? QBrush(Qt::black) : m_painter.brush());
            m_painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
        }
        break;
    }
}
