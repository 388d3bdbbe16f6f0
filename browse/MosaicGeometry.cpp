#include "browse/MosaicGeometry.h"

#include <algorithm>

SMosaicGeometry MosaicGeometry(int nClientWidth, int nPhotosInRow, int nBorderWidth, int nCount)
{
    SMosaicGeometry g;
    g.nPhotosInRow = std::max(1, nPhotosInRow);
    g.nBorder = std::max(0, nBorderWidth);
    g.nCell = std::max(1, nClientWidth / g.nPhotosInRow - 2 * g.nBorder);
    g.nPitch = g.nCell + g.nBorder;
    g.nRows = std::max(0, nCount) / g.nPhotosInRow + 1;
    return g;
}

QRect SMosaicGeometry::CellRect(int nIndex) const
{
    const int nCol = nIndex % nPhotosInRow;
    const int nRow = nIndex / nPhotosInRow;
    return QRect(nCol * nPitch + nBorder, nRow * nPitch + nBorder, nCell, nCell);
}

QRect SMosaicGeometry::ThumbnailRect(int nIndex, bool bKeepProportions,
                                     const QSize& szPicture) const
{
    QRect rc = CellRect(nIndex);
    if (bKeepProportions && szPicture.width() > 0) {
        const qint64 nHeight = qint64(nCell) * szPicture.height() / szPicture.width();
        rc.setHeight(int(std::clamp<qint64>(nHeight, 1, 1 << 20)));
    }
    return rc;
}

int SMosaicGeometry::IndexAt(const QPoint& pt, int nCount) const
{
    if (pt.x() < 0 || pt.y() < 0)
        return -1;
    const int nRow = pt.y() / (nCell + nBorder);
    const int nCol = pt.x() / (nCell + nBorder);
    if (nCol >= nPhotosInRow)
        return -1;
    const qint64 nIndex = qint64(nPhotosInRow) * nRow + nCol;
    return nIndex < nCount ? int(nIndex) : -1;
}

QRect SMosaicGeometry::SelectionRect(int nIndex) const
{
    const int nCol = nIndex % nPhotosInRow;
    const int nRow = nIndex / nPhotosInRow;
    return QRect(nCol * nPitch + nBorder / 2, nRow * nPitch + nBorder / 2, nPitch, nPitch);
}

std::pair<int, int> SMosaicGeometry::RowsIn(const QRect& rc) const
{
    // One row above as well: a tall thumbnail reaches into the row below it.
    const int nFirst = std::clamp(rc.top() / nPitch - 1, 0, nRows);
    const int nLast = std::clamp(rc.bottom() / nPitch + 2, 0, nRows);
    return {nFirst, nLast};
}
