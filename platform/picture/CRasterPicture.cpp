#include "platform/picture/CRasterPicture.h"

#include <QPainter>

CRasterPicture::CRasterPicture(const QImage& image, const QSize& szHimetric)
    : CPicture(szHimetric)
    , m_image(image)
{
}

void CRasterPicture::Render(QPainter& painter, const QRect& rcDest, const QRect& rcSrcHimetric,
                            const QRect&) const
{
    const QSize szHimetric = GetHimetricSize();
    if (m_image.isNull() || szHimetric.isEmpty() || rcDest.width() == 0 || rcDest.height() == 0)
        return;

    // HIMETRIC runs upward from the bottom edge, image rows downward from the top.
    const qreal rScaleX = qreal(m_image.width()) / szHimetric.width();
    const qreal rScaleY = qreal(m_image.height()) / szHimetric.height();
    const qreal rLeft = rcSrcHimetric.x() * rScaleX;
    const qreal rRight = (rcSrcHimetric.x() + rcSrcHimetric.width()) * rScaleX;
    const qreal rTop = (szHimetric.height() - rcSrcHimetric.y()) * rScaleY;
    const qreal rBottom =
        (szHimetric.height() - rcSrcHimetric.y() - rcSrcHimetric.height()) * rScaleY;
    const QRectF rcSource = QRectF(QPointF(rLeft, rTop), QPointF(rRight, rBottom)).normalized();
    if (rcSource.isEmpty())
        return;

    // A source or destination given backwards draws the picture mirrored.
    const bool bMirrorX = (rRight < rLeft) != (rcDest.width() < 0);
    const bool bMirrorY = (rBottom < rTop) != (rcDest.height() < 0);
    const QRectF rcTarget = QRectF(rcDest).normalized();

    painter.save();
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    if (bMirrorX || bMirrorY) {
        painter.translate(rcTarget.center());
        painter.scale(bMirrorX ? -1 : 1, bMirrorY ? -1 : 1);
        painter.translate(-rcTarget.center());
    }
    painter.drawImage(rcTarget, m_image, rcSource);
    painter.restore();
}
