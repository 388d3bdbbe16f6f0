#include "platform/picture/CMetafileClip.h"

#include "platform/picture/MetafileWork.h"

#include <uemf.h>

#include <QImage>
#include <QPainter>
#include <cmath>
#include <vector>

namespace {

// Past these sizes a path goes to a region: the painter's own clip
// rasterises antialiased cells band by band, and boolean operations on paths
// find every crossing of their edges.
constexpr int kMaxClipPathElements = 256;
constexpr int kMaxBooleanElements = 64;
// Pixels; a region moved further has left any device.
constexpr double kMaxRegionOffset = 1 << 24;

// Whether the path is an axis-aligned rectangle, as addRect and a scaling map make it.
bool IsRect(const QPainterPath& path, QRectF& rc)
{
    if (path.elementCount() != 5 || QPointF(path.elementAt(0)) != QPointF(path.elementAt(4)))
        return false;
    for (int i = 1; i < 5; ++i) {
        if (path.elementAt(i).type != QPainterPath::LineToElement)
            return false;
    }
    // Sides alternate between vertical and horizontal, starting with either.
    const QPainterPath::Element &a = path.elementAt(0), &b = path.elementAt(1);
    const QPainterPath::Element &c = path.elementAt(2), &d = path.elementAt(3);
    if (!((a.x == b.x && b.y == c.y && c.x == d.x && d.y == a.y) ||
          (a.y == b.y && b.x == c.x && c.y == d.y && d.x == a.x)))
        return false;
    rc = QRectF(QPointF(a.x, a.y), QPointF(c.x, c.y)).normalized();
    return true;
}

} // namespace

QRegion CMetafileClip::Rasterise(const QPainterPath& path, const QRectF& rcDevice, qint64& nWork)
{
    const QRect rc = rcDevice.toAlignedRect();
    nWork += path.elementCount() * MetafileWork::kPerPoint +
             qint64(rc.width()) * rc.height() / MetafileWork::kDevicePixelsPerUnit;
    QImage mask(rc.size(), QImage::Format_Grayscale8);
    if (rc.isEmpty() || mask.isNull())
        return {};
    mask.fill(0);
    {
        QPainter painter(&mask); // aliased: the scanline rasteriser, no cells
        painter.translate(-rc.topLeft());
        painter.fillPath(path, Qt::white);
    }
    // Runs of covered pixels, row by row; a row like the one above widens its band.
    std::vector<QRect> arRects;
    std::size_t nBand = 0;
    std::vector<std::pair<int, int>> arRuns, arBandRuns;
    for (int y = 0; y < rc.height(); ++y) {
        const uchar* pRow = mask.constScanLine(y);
        arRuns.clear();
        for (int x = 0; x < rc.width();) {
            if (!pRow[x]) {
                ++x;
                continue;
            }
            const int nStart = x;
            while (x < rc.width() && pRow[x])
                ++x;
            arRuns.emplace_back(nStart, x - nStart);
        }
        if (y > 0 && arRuns == arBandRuns) {
            for (std::size_t i = nBand; i < arRects.size(); ++i)
                arRects[i].setBottom(rc.top() + y);
            continue;
        }
        nBand = arRects.size();
        arBandRuns = arRuns;
        for (const auto& [nX, nWidth] : arRuns)
            arRects.emplace_back(rc.left() + nX, rc.top() + y, nWidth, 1);
    }
    QRegion region;
    region.setRects(arRects.data(), int(arRects.size()));
    return region;
}

QRegion CMetafileClip::ToRegion(const QRectF& rcDevice, qint64& nWork) const
{
    switch (m_kind) {
    case None:
        return QRegion(rcDevice.toAlignedRect());
    case Path:
        return Rasterise(m_path, rcDevice, nWork);
    case Region:
        break;
    }
    return m_region;
}

qint64 CMetafileClip::Combine(const QPainterPath& path, int nMode, const QRectF& rcDevice)
{
    qint64 nWork = path.elementCount() * MetafileWork::kPerPoint;
    if (nMode < U_RGN_AND || nMode > U_RGN_COPY)
        return nWork;
    QPainterPath current = m_path;
    if (m_kind == None)
        current.addRect(rcDevice);
    QPainterPath result = path;
    if (nMode != U_RGN_COPY) {
        if (m_kind == Region || current.elementCount() > kMaxBooleanElements ||
            path.elementCount() > kMaxBooleanElements) {
            const QRegion b = Rasterise(path, rcDevice, nWork);
            if (m_kind == None && nMode == U_RGN_AND) {
                m_region = b; // the mask covers the device only already
            } else {
                const QRegion a = ToRegion(rcDevice, nWork);
                m_region = nMode == U_RGN_AND   ? a & b
                           : nMode == U_RGN_OR  ? a | b
                           : nMode == U_RGN_XOR ? a ^ b
                                                : a - b;
                nWork += a.rectCount() * MetafileWork::kPerPoint;
            }
            nWork += m_region.rectCount() * MetafileWork::kPerPoint;
            m_kind = Region;
            m_path = QPainterPath();
            return nWork;
        }
        result = nMode == U_RGN_AND   ? current.intersected(path)
                 : nMode == U_RGN_OR  ? current.united(path)
                 : nMode == U_RGN_XOR ? current.united(path).subtracted(current.intersected(path))
                                      : current.subtracted(path);
    }
    if (result.elementCount() > kMaxClipPathElements) {
        m_region = Rasterise(result, rcDevice, nWork);
        m_kind = Region;
        m_path = QPainterPath();
    } else {
        m_path = result;
        m_kind = Path;
        m_region = QRegion();
    }
    return nWork;
}

void CMetafileClip::Translate(const QPointF& ptOffset)
{
    if (m_kind == Path)
        m_path.translate(ptOffset);
    else if (m_kind == Region && std::abs(ptOffset.x()) < kMaxRegionOffset &&
             std::abs(ptOffset.y()) < kMaxRegionOffset)
        m_region.translate(ptOffset.toPoint());
    else if (m_kind == Region)
        m_region = QRegion(); // moved off every device, and past what int holds
}

void CMetafileClip::Apply(QPainter& painter) const
{
    QRectF rc;
    if (m_kind == Region)
        painter.setClipRegion(m_region, Qt::IntersectClip);
    else if (m_kind == Path && IsRect(m_path, rc))
        painter.setClipRect(rc, Qt::IntersectClip);
    else if (m_kind == Path)
        painter.setClipPath(m_path, Qt::IntersectClip);
}

bool CMetafileClip::operator==(const CMetafileClip& other) const
{
    return m_kind == other.m_kind && m_path == other.m_path && m_region == other.m_region;
}
