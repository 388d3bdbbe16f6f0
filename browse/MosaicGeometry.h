#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>
#include <utility>

// Where the mosaic puts its thumbnails, as plain values. n pictures a row,
// cells of `cell` pixels square with `border` pixels between them.
struct SMosaicGeometry
{
    int nPhotosInRow = 1;
    int nBorder = 0;
    int nCell = 1;
    int nPitch = 1; // from one thumbnail to the next, both ways
    int nRows = 1;

    // The whole mosaic, including the empty last row when the count is a
    // multiple of the row.
    QSize MosaicSize() const { return QSize(nPitch * nPhotosInRow, nPitch * nRows); }
    QRect CellRect(int nIndex) const;
    // The thumbnail of a picture of szPicture pixels: the whole cell, or with
    // bKeepProportions fitted to the cell's width (a tall one reaches below).
    QRect ThumbnailRect(int nIndex, bool bKeepProportions, const QSize& szPicture) const;
    // The index under a point in mosaic coordinates, or -1 outside the row or
    // past the last of nCount pictures.
    int IndexAt(const QPoint& pt, int nCount) const;
    // The red selection outline around a cell: through the middle of the gaps.
    QRect SelectionRect(int nIndex) const;
    // The first and one past the last row that reach into the rectangle.
    std::pair<int, int> RowsIn(const QRect& rc) const;
};

// The geometry for a client area nClientWidth wide. Fewer than one picture a
// row counts as one, and a cell below one pixel as one pixel, so a narrow
// window or an odd setting never divides by zero or makes an empty mosaic.
SMosaicGeometry MosaicGeometry(int nClientWidth, int nPhotosInRow, int nBorderWidth, int nCount);
