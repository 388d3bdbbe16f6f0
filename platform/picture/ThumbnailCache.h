#pragma once

#include <QImage>
#include <QSize>
#include <QString>

// The freedesktop thumbnail cache shared with file managers:
// $XDG_CACHE_HOME/thumbnails/{normal,large,x-large}/<md5 of the file URI>.png,
// an entry valid while its Thumb::MTime equals the file's modification time.
// Everything here is safe to call from any thread.

// The side of the smallest cache size whose entries cover a cell, or 0 when
// the cell is larger than the largest (512).
int ThumbnailCacheSide(const QSize& szCell);

// Where the entry of that side for the file lives; empty for an unknown side.
QString ThumbnailCachePath(const QString& strFile, int nSide);

// The fresh entry of that side for the file, or a null image when there is
// none, it does not parse or the file has changed since.
QImage ReadCachedThumbnail(const QString& strFile, int nSide);

// Stores an entry as file managers do: URI and modification time in PNG text,
// mode 0600, written to a temporary file in the cache folder and renamed.
bool WriteCachedThumbnail(const QString& strFile, int nSide, const QImage& image);
