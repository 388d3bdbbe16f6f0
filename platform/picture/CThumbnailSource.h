#pragma once

#include <QImage>
#include <QSize>
#include <QString>

// Thumbnails for the mosaic, fastest source first: a camera JPEG's embedded
// EXIF thumbnail when it is large enough, then the shared thumbnail cache,
// then a scaled decode. Holds no mutable state, so a mosaic may decode ahead
// on worker threads with one shared instance.
class CThumbnailSource
{
public:
    // Every thumbnail made by a scaled decode is stored in the thumbnail
    // cache (unless bWriteCache is false), so the next visit, and file
    // managers, find it there.
    explicit CThumbnailSource(bool bWriteCache = true);

    // The picture upright, at least as large as it would be drawn fitted into
    // the cell (or whole, when it is smaller); null when the file is no picture.
    QImage Thumbnail(const QString& strPath, const QSize& szCell) const;

private:
    bool m_bWriteCache;
};

// The camera's own thumbnail from the start of a JPEG file, turned upright by
// the photo's EXIF orientation; null when there is none.
QImage ReadExifThumbnail(const QByteArray& jpegHead);
