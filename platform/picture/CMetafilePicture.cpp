#include "platform/picture/CMetafilePicture.h"

#include "platform/picture/CMetafileDC.h"
#include "platform/picture/PictureLog.h"

#include <QPainter>
#include <cmath>

namespace {

CMetafileRecordReader Reader(const QByteArray& data)
{
    return CMetafileRecordReader(data.constData(), std::size_t(data.size()));
}

} // namespace

CMetafilePicture::CMetafilePicture(const QByteArray& data, const CWmfPlayer::SHeader& wmf)
    : CPicture(wmf.szHimetric)
    , m_data(data)
    , m_wmf(wmf)
{
}

CMetafilePicture::CMetafilePicture(const QByteArray& data, const CEmfPlayer::SHeader& emf)
    : CPicture(emf.szHimetric)
    , m_data(data)
    , m_bEmf(true)
    , m_emf(emf)
{
}

bool CMetafilePicture::IsMetafile(const QByteArray& data)
{
    const CMetafileRecordReader file = Reader(data);
    return CEmfPlayer::IsEmf(file) || CWmfPlayer::IsWmf(file);
}

CPicturePtr CMetafilePicture::Load(const QByteArray& data, qint64 nWorkBudget)
{
    const CMetafileRecordReader file = Reader(data);
    CMetafilePicture* pPicture = nullptr;
    if (CEmfPlayer::IsEmf(file)) {
        CEmfPlayer::SHeader header;
        if (CEmfPlayer::ReadHeader(file, header))
            pPicture = new CMetafilePicture(data, header);
    } else if (CWmfPlayer::IsWmf(file)) {
        CWmfPlayer::SHeader header;
        if (CWmfPlayer::ReadHeader(file, header))
            pPicture = new CMetafilePicture(data, header);
    }
    if (pPicture) {
        pPicture->m_nWorkBudget = nWorkBudget;
        return CPicturePtr(pPicture);
    }
    if (IsMetafile(data))
        qCDebug(lcPicture) << "metafile header gives no usable picture size";
    return nullptr;
}

void CMetafilePicture::Render(QPainter& painter, const QRect& rcDest, const QRect& rcSrcHimetric,
                              const QRect& rcBounds) const
{
    const QSize szHimetric = GetHimetricSize();
    if (rcDest.width() <= 0 || rcDest.height() <= 0 || rcSrcHimetric.width() == 0 ||
        rcSrcHimetric.height() == 0)
        return;
    // The reference device's frame is the whole picture; the source rectangle,
    // measured upward from the bottom edge, picks the part that fills rcDest.
    const QRectF rcFrame = m_bEmf ? m_emf.rcFrame : m_wmf.rcDevice;
    const double fx = rcFrame.width() / szHimetric.width();
    const double fy = rcFrame.height() / szHimetric.height();
    const double dSrcLeft = rcFrame.left() + rcSrcHimetric.x() * fx;
    const double dSrcTop = rcFrame.top() + (szHimetric.height() - double(rcSrcHimetric.y())) * fy;
    const double dSrcWidth = rcSrcHimetric.width() * fx;
    const double dSrcHeight = -rcSrcHimetric.height() * fy;
    const double sx = rcDest.width() / dSrcWidth;
    const double sy = rcDest.height() / dSrcHeight;
    const QTransform toDest(sx, 0, 0, sy, rcDest.x() - dSrcLeft * sx, rcDest.y() - dSrcTop * sy);

    const QRect rcClip = rcBounds.isNull() ? rcDest : rcBounds.intersected(rcDest);
    if (rcClip.isEmpty())
        return;
    const QTransform& world = painter.worldTransform();
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setRenderHint(QPainter::TextAntialiasing, true);
    {
        CMetafileDC dc(painter, toDest * world, world.mapRect(QRectF(rcClip)), m_nWorkBudget);
        const CMetafileRecordReader file = Reader(m_data);
        if (m_bEmf)
            CEmfPlayer::Play(file, m_emf, dc);
        else
            CWmfPlayer::Play(file, m_wmf, dc);
    }
    painter.restore();
}
