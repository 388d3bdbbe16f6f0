#pragma once

#include <QElapsedTimer>
#include <QFuture>
#include <QHash>
#include <QImage>
#include <QStringList>
#include <QVector>

// The thumbnails of a mosaic, made on worker threads a few ahead of the one
// placed next and placed in list order, each at the size it is drawn in its
// cell. Knows nothing of windows: the view steps it and paints what it holds.
class CMosaicBuild
{
public:
    CMosaicBuild() = default;
    CMosaicBuild(const CMosaicBuild&) = delete;
    CMosaicBuild& operator=(const CMosaicBuild&) = delete;

    // Starts over for the pictures, drawn in square cells of nCell pixels on
    // a screen of device pixel ratio dRatio.
    void Start(const QStringList& arPictures, int nCell, bool bKeepProportions, qreal dRatio = 1.0);
    // Forgets the thumbnails and the requests; those still running finish
    // on their own and their images are dropped.
    void Clear();
    // Drops picture nIndex and its thumbnail; those after it move up one.
    void Remove(int nIndex);
    // A new picture at nIndex; those from there move down one. One among the
    // placed ones (or after the last, once all are placed) is made at once, its future returned so
    // the window can place it (PlaceLate) when it is there; otherwise an invalid future.
    QFuture<QImage> Insert(int nIndex, const QString& strPath);
    // Picture nIndex under a new name: the same file, the same thumbnail.
    void Rename(int nIndex, const QString& strPath);
    // Places the inserted thumbnails that have arrived; false when none had.
    bool PlaceLate();
    // An inserted picture whose thumbnail is still on its way.
    bool IsLate(int nIndex) const { return m_mapLate.contains(nIndex); }

    // Places the next thumbnail when it is there, waiting for it only briefly
    // (not at all without bWait). Its index, or -1 when it is still on its way
    // or every one is placed.
    int Step(bool bWait = true);
    // The index Step places next; the count once all are placed.
    int Next() const { return m_nNext; }
    bool IsDone() const { return m_nNext >= m_arThumbnails.size(); }

    // One per picture; null while not placed, or when the file is no picture.
    const QVector<QImage>& Thumbnails() const { return m_arThumbnails; }

private:
    QFuture<QImage> Request(int nIndex) const;

    QStringList m_arPictures;
    int m_nCell = 0;
    qreal m_dRatio = 1.0;
    bool m_bKeepProportions = false;
    int m_nNext = 0;
    QVector<QImage> m_arThumbnails;
    QHash<int, QFuture<QImage>> m_mapAhead;
    QHash<int, QFuture<QImage>> m_mapLate;
    QElapsedTimer m_started;
};
