#include "browse/CMosaicBuild.h"

#include "browse/BrowseLog.h"
#include "browse/MosaicGeometry.h"
#include "platform/framework/WorkerWait.h"
#include "platform/picture/CThumbnailSource.h"

#include <QThread>
#include <QtConcurrent/QtConcurrentRun>
#include <QtMath>

#include <algorithm>

namespace {

// The thumbnail at the size it is drawn in a cell, in device pixels (sharp
// on a screen scaled by dRatio), made on a worker thread.
QImage MakeThumbnail(const QString& strPath, int nCell, bool bKeepProportions, qreal dRatio)
{
    static const CThumbnailSource source;
    const int nDevice = qMax(1, qCeil(nCell * dRatio));
    const QImage image = source.Thumbnail(strPath, QSize(nDevice, nDevice));
    if (image.isNull())
        return image;
    const SMosaicGeometry g = MosaicGeometry(nDevice, 1, 0, 1);
    const QSize szDrawn = g.ThumbnailRect(0, bKeepProportions, image.size()).size();
    QImage thumbnail = image.scaled(szDrawn, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
                           .convertToFormat(QImage::Format_RGB32);
    thumbnail.setDevicePixelRatio(dRatio);
    return thumbnail;
}

// Thumbnails decoded ahead of the one placed next; bounds what waits in memory.
int AheadCount()
{
    return qMax(4, 2 * QThread::idealThreadCount());
}

} // namespace

void CMosaicBuild::Start(const QStringList& arPictures, int nCell, bool bKeepProportions,
                         qreal dRatio)
{
    Clear();
    m_arPictures = arPictures;
    m_nCell = nCell;
    m_dRatio = dRatio;
    m_bKeepProportions = bKeepProportions;
    m_arThumbnails.resize(arPictures.size());
    const int nAhead = qMin(int(arPictures.size()), AheadCount());
    qCDebug(lcBrowse) << "building a mosaic of" << arPictures.size() << "pictures in cells of"
                      << nCell << "pixels," << nAhead << "decoding ahead";
    m_started.start();
    for (int i = 0; i < nAhead; ++i)
        m_mapAhead.insert(i, Request(i));
}

void CMosaicBuild::Clear()
{
    m_mapAhead.clear();
    m_arThumbnails.clear();
    m_arPictures.clear();
    m_nNext = 0;
}

void CMosaicBuild::Remove(int nIndex)
{
    if (nIndex < 0 || nIndex >= m_arPictures.size())
        return;
    m_arPictures.removeAt(nIndex);
    m_arThumbnails.removeAt(nIndex);
    QHash<int, QFuture<QImage>> mapAhead;
    for (auto it = m_mapAhead.cbegin(); it != m_mapAhead.cend(); ++it) {
        if (it.key() != nIndex)
            mapAhead.insert(it.key() > nIndex ? it.key() - 1 : it.key(), it.value());
    }
    m_mapAhead = mapAhead;
    if (m_nNext > nIndex)
        --m_nNext;
}

QFuture<QImage> CMosaicBuild::Request(int nIndex) const
{
    return QtConcurrent::run(MakeThumbnail, m_arPictures[nIndex], m_nCell, m_bKeepProportions,
                             m_dRatio);
}

int CMosaicBuild::Step(bool bWait)
{
    const int k = m_nNext;
    if (IsDone())
        return -1;
    QFuture<QImage> thumbnail = m_mapAhead.take(k);
    if (!thumbnail.isValid())
        thumbnail = Request(k);
    // In list order: the later ones keep decoding meanwhile.
    if (bWait ? !WaitForWorker(thumbnail) : !thumbnail.isFinished()) {
        m_mapAhead.insert(k, thumbnail);
        return -1;
    }
    m_nNext = k + 1;
    const int nAhead = k + AheadCount();
    if (nAhead < m_arPictures.size())
        m_mapAhead.insert(nAhead, Request(nAhead));
    m_arThumbnails[k] = thumbnail.result();
    if (IsDone() && lcBrowse().isDebugEnabled()) {
        const auto nMissing = std::count_if(m_arThumbnails.cbegin(), m_arThumbnails.cend(),
                                            [](const QImage& image) { return image.isNull(); });
        qCDebug(lcBrowse) << "mosaic built:" << m_arThumbnails.size() << "thumbnails," << nMissing
                          << "without a picture, in" << m_started.elapsed() << "ms";
    }
    return k;
}
