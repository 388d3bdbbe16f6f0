#include "browse/CPictureRender.h"

#include "platform/framework/WorkerWait.h"
#include "platform/picture/CRasterPicture.h"

#include <QPainter>
#include <QtConcurrent/QtConcurrentRun>

#include <exception>

namespace {

// The whole picture upright: HIMETRIC measured upward from the bottom edge.
QRect WholePicture(const CPicture& picture)
{
    const QSize sz = picture.GetHimetricSize();
    return QRect(0, sz.height(), sz.width(), -sz.height());
}

QImage RenderArea(const CPicturePtr& pPicture, const QRect& rcDest, const QRect& rcArea)
{
    QImage image(rcArea.size(), QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.translate(-rcArea.topLeft());
    try {
        pPicture->Render(painter, rcDest, WholePicture(*pPicture), rcArea);
    } catch (const std::exception&) {
        // A drawing that fails part way shows as far as it got.
    }
    return image;
}

} // namespace

bool CPictureRender::Draw(QPainter& painter, const CPicturePtr& pPicture, const QRect& rcDest,
                          const QRect& rcBounds)
{
    if (dynamic_cast<const CRasterPicture*>(pPicture.get())) {
        pPicture->Render(painter, rcDest, WholePicture(*pPicture), rcBounds);
        return true;
    }
    const QRect rcArea = rcDest.intersected(rcBounds);
    if (rcArea.isEmpty())
        return true;
    if (pPicture != m_pPicture || rcDest != m_rcDest || rcArea != m_rcArea) {
        m_pPicture = pPicture;
        m_rcDest = rcDest;
        m_rcArea = rcArea;
        m_image = QImage();
        const quint64 nRequest = ++m_nRequest;
        QFuture<QImage> future = QtConcurrent::run(RenderArea, pPicture, rcDest, rcArea);
        if (WaitForWorker(future)) {
            m_image = future.result();
        } else {
            future.then(this, [this, nRequest](const QImage& image) {
                if (nRequest != m_nRequest)
                    return;
                m_image = image;
                emit Rendered();
            });
        }
    }
    if (m_image.isNull())
        return false;
    painter.drawImage(m_rcArea.topLeft(), m_image);
    return true;
}
