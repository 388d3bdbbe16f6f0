#pragma once

#include <QRect>
#include <QSize>
#include <memory>

class QPainter;

// A decoded picture: its natural size in HIMETRIC (0.01 mm) and a scaled draw.
// Shared by whoever holds it; it goes away with its last holder. Immutable once
// made, so a picture decoded on a worker thread may be drawn on another.
class CPicture
{
public:
    virtual ~CPicture() = default;

    // Natural width and height in HIMETRIC.
    QSize GetHimetricSize() const { return m_szHimetric; }

    // Draws the source part of the picture stretched into the destination
    // rectangle (device units). The source rectangle is in HIMETRIC measured
    // upward from the bottom edge: the whole picture upright is
    // (0, height, width, -height). The bounds matter to metafiles only: the
    // area the caller lets them draw in (the window's client rectangle).
    virtual void Render(QPainter& painter, const QRect& rcDest, const QRect& rcSrcHimetric,
                        const QRect& rcBounds) const = 0;

protected:
    explicit CPicture(const QSize& szHimetric)
        : m_szHimetric(szHimetric)
    {
    }

private:
    QSize m_szHimetric;
};

using CPicturePtr = std::shared_ptr<const CPicture>;
