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
    m_mapLate.clear();
    m_nCell = 0;
    m_arThumbnails.clear();
    m_arPictures.clear();
    m_nNext = 0;
}

namespace {

// The requests with their indices moved by nBy from nFrom on; one at nDrop goes.
QHash<int, QFuture<QImage>> Shifted(const QHash<int, QFuture<QImage>>& map, int nFrom, int nBy,
                                    int nDrop = -1)
{
    QHash<int, QFuture<QImage>> shifted;
    for (auto it = map.cbegin(); it != map.cend(); ++it) {
        if (it.key() != nDrop)
            shifted.insert(it.key() >= nFrom ? it.key() + nBy : it.key(), it.value());
    }
    return shifted;
}

} // namespace

void CMosaicBuild::Remove(int nIndex)
{
    if (nIndex < 0 || nIndex >= m_arPictures.size())
        return;
    m_arPictures.removeAt(nIndex);
    m_arThumbnails.removeAt(nIndex);
    m_mapAhead = Shifted(m_mapAhead, nIndex + 1, -1, nIndex);
    m_mapLate = Shifted(m_mapLate, nIndex + 1, -1, nIndex);
    if (m_nNext > nIndex)
        --m_nNext;
}

QFuture<QImage> CMosaicBuild::Insert(int nIndex, const QString& strPath)
{
    // Not started (or cleared): the next Start takes the whole list.
    if (m_nCell <= 0 || nIndex < 0 || nIndex > m_arPictures.size())
        return QFuture<QImage>();
    const bool bDone = IsDone();
    m_arPictures.insert(nIndex, strPath);
    m_arThumbnails.insert(nIndex, QImage());
    m_mapAhead = Shifted(m_mapAhead, nIndex, 1);
    m_mapLate = Shifted(m_mapLate, nIndex, 1);
    // Among those still to come, Step places it in its turn.
    if (nIndex >= m_nNext && !bDone)
        return QFuture<QImage>();
    ++m_nNext;
    QFuture<QImage> thumbnail = Request(nIndex);
    m_mapLate.insert(nIndex, thumbnail);
    return thumbnail;
}

void CMosaicBuild::Rename(int nIndex, const QString& strPath)
{
    if (nIndex >= 0 && nIndex < m_arPictures.size())
        m_arPictures[nIndex] = strPath;
}

bool CMosaicBuild::PlaceLate()
{
    bool bPlaced = false;
    for (auto it = m_mapLate.begin(); it != m_mapLate.end();) {
        if (!it.value().isFinished()) {
            ++it;
            continue;
        }
        m_arThumbnails[it.key()] = it.value().result();
        it = m_mapLate.erase(it);
        bPlaced = true;
    }
    return bPlaced;
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
