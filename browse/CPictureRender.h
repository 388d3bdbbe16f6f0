#pragma once

#include "platform/picture/CPicture.h"

#include <QFuture>
#include <QImage>
#include <QObject>
#include <QRect>

class QPainter;

// Draws a window's picture. A raster picture is drawn at once; a drawing (a
// metafile, whose playback can take long) is played on a worker into an image
// of the window's visible part, waited for only briefly, and kept while the
// picture and its place stay the same.
class CPictureRender : public QObject
{
    Q_OBJECT
public:
    // The whole picture stretched into rcDest, drawn only where rcBounds is.
    // False when the drawing is still on its way: Rendered follows.
    bool Draw(QPainter& painter, const CPicturePtr& pPicture, const QRect& rcDest,
              const QRect& rcBounds);

signals:
    void Rendered();

private:
    CPicturePtr m_pPicture;
    QRect m_rcDest;
    QRect m_rcArea;
    QImage m_image;
    // Counts the renderings asked for, so a late one that is no longer wanted is dropped.
    quint64 m_nRequest = 0;
};
