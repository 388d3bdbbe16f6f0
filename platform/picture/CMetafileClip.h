#pragma once

#include <QPainterPath>
#include <QRegion>

class QPainter;

// The clip of one playback, in device coordinates: none, a path simple enough
// for the painter to clip with as it is, or a region. A complex path (a
// polygon of thousands of points crossing itself) is rasterised into a region
// once: the painter would rasterise it again, antialiased and slowly, for
// every clip change, and boolean operations on such paths are quadratic.
class CMetafileClip
{
public:
    bool IsSet() const { return m_kind != None; }
    // Combines path with the clip (RGN_AND .. RGN_COPY); without a clip the
    // clip is rcDevice, the area playback may touch. Returns the work done,
    // in the units of CMetafileDC's budget.
    qint64 Combine(const QPainterPath& path, int nMode, const QRectF& rcDevice);
    void Translate(const QPointF& ptOffset);
    // Narrows the painter's clip; the painter must map device coordinates.
    void Apply(QPainter& painter) const;
    bool operator==(const CMetafileClip& other) const;
    bool operator!=(const CMetafileClip& other) const { return !(*this == other); }

private:
    enum EKind { None, Path, Region };

    QRegion ToRegion(const QRectF& rcDevice, qint64& nWork) const;
    static QRegion Rasterise(const QPainterPath& path, const QRectF& rcDevice, qint64& nWork);

    EKind m_kind = None;
    QPainterPath m_path;
    QRegion m_region;
};
