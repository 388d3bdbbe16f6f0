// The drawing primitives of the playback device context.
#include "platform/picture/CMetafileDC.h"

#include "platform/picture/SymbolCharset.h"

#include <uemf.h>

#include <QFontMetricsF>
#include <QPainter>
#include <QtMath>
#include <cmath>

namespace {

// Device-space limits that keep a hostile file from making the rasterizer
// crawl: pens and glyphs beyond these sizes cannot be meant.
constexpr double kMaxPenPixels = 1e5;
constexpr double kMaxGlyphPixels = 1e4;

// Antialiasing rasterises cell by cell in bands, along every row an edge
// spans, on the device or not; a long tangle of edges overflows the bands again
// and again: a few thousand crossing edges, or a few dozen reaching far off the
// device, took seconds to fill or stroke at window size. Past this many times
// the device's width and height, a shape's edges are drawn aliased.
constexpr double kMaxSmoothEdges = 64;

// The length of the edges in device pixels; dOnDevice counts each at most
// across the device, as the aliased rasteriser clips them.
double EdgeLength(const QPolygonF& pts, const QTransform& t, double dMaxEdge, double& dOnDevice)
{
    double d = 0;
    for (int i = 1; i < pts.size(); ++i) {
        const double dEdge = QLineF(t.map(pts[i - 1]), t.map(pts[i])).length();
        d += dEdge;
        dOnDevice += std::min(dEdge, dMaxEdge);
    }
    return d;
}

double EdgeLength(const QPainterPath& path, const QTransform& t, double dMaxEdge, double& dOnDevice)
{
    double d = 0;
    for (int i = 1; i < path.elementCount(); ++i) {
        const QPainterPath::Element& e = path.elementAt(i);
        if (e.isMoveTo())
            continue;
        const double dEdge =
            QLineF(t.map(QPointF(path.elementAt(i - 1))), t.map(QPointF(e))).length();
        d += dEdge;
        dOnDevice += std::min(dEdge, dMaxEdge);
    }
    return d;
}

double Scale(const QTransform& t)
{
    return std::sqrt(std::abs(t.determinant()));
}

// A font standing in for a face missing here is often wider than the advances
// the writer gave: its glyphs ran into one another, squeezed, and out of the
// text's rectangle. Narrowed to those advances it takes the writer's room.
// Wider advances are the writer's spacing and are left to space the glyphs;
// the last one is the way to whatever follows (often 0) and says nothing.
QFont NarrowedToAdvances(const QFont& font, const QString& str, const std::vector<double>& dx,
                         double dScaleX)
{
    constexpr double kTolerance = 0.95;
    constexpr int kMinStretch = 25; // per cent
    double dAdvances = 0;
    for (std::size_t i = 0; i + 1 < dx.size(); ++i)
        dAdvances += dx[i] * dScaleX;
    const double dNatural = QFontMetricsF(font).horizontalAdvance(str.left(str.size() - 1));
    if (!(dNatural > 0) || std::abs(dAdvances) >= dNatural * kTolerance)
        return font;
    QFont narrowed = font;
    narrowed.setStretch(std::max(kMinStretch, qRound(100 * std::abs(dAdvances) / dNatural)));
    return narrowed;
}

} // namespace

// --- Work ----------------------------------------------------------------

void CMetafileDC::ChargeArea(const QRectF& rcLogical, bool bStroke)
{
    if (!CanDraw())
        return;
    // The device box the shape covers, a line's box too (QRectF's & empties
    // those); a stroke's length is about the box's two sides.
    const QRectF rc = Transform().mapRect(rcLogical.normalized());
    const QRectF& d = m_rcDeviceClip;
    const double w = std::min(rc.right(), d.right()) - std::max(rc.left(), d.left());
    const double h = std::min(rc.bottom(), d.bottom()) - std::max(rc.top(), d.top());
    if (!(w >= 0 && h >= 0))
        return;
    AddWork(qint64(w * h) / MetafileWork::kDevicePixelsPerUnit);
    if (bStroke && !m_state.pen.bNull)
        AddWork(qint64(w + h) / MetafileWork::kStrokePixelsPerUnit);
}

bool CMetafileDC::ChargeEdges(double dDeviceLength, double dOnDevice, const QRectF& rcLogicalBounds)
{
    AddWork(qint64(dOnDevice) / MetafileWork::kStrokePixelsPerUnit);
    // A shape reaching far past the device is as slow: the cells of every row it spans.
    const QRectF rc = Transform().mapRect(rcLogicalBounds);
    const double dMax = kMaxSmoothEdges * DeviceSpan();
    return dDeviceLength <= dMax && rc.width() + rc.height() <= dMax;
}

void CMetafileDC::ChargeImage(const QImage& img)
{
    AddWork(qint64(img.width()) * img.height() / MetafileWork::kDecodedPixelsPerUnit);
}

// --- Drawing -------------------------------------------------------------

void CMetafileDC::Prepare(bool bStroke, bool bFill, bool bSmooth)
{
    const QTransform& t = Transform();
    AddWork(MetafileWork::kPerDraw);
    m_painter.setRenderHint(QPainter::Antialiasing, bSmooth);
    if (m_bToolsDirty) {
        m_painter.setTransform(t);
        m_painter.setBackgroundMode(m_state.bOpaque ? Qt::OpaqueMode : Qt::TransparentMode);
        m_painter.setBackground(m_state.bkColor);
        m_bToolsDirty = false;
    }
    const SMetaPen& p = m_state.pen;
    if (!bStroke || p.bNull) {
        m_painter.setPen(Qt::NoPen);
    } else {
        QPen pen(p.color);
        const double dScale = Scale(t);
        const double dDeviceWidth = p.dWidth * dScale;
        // A pen of no width draws one pixel. A pen thinner than a pixel draws
        // one too, but only as dark as the part of it the line covers: at full
        // strength, lines drawn close together (a formula's double bars) ran
        // into black blobs at small sizes. A one-pixel pen is the rasteriser's
        // fast path; a stroke that thin is slow to fill.
        const bool bThin = dDeviceWidth < 1.0;
        if (bThin && p.dWidth > 0)
            pen.setColor(QColor(p.color.red(), p.color.green(), p.color.blue(),
                                qRound(p.color.alpha() * dDeviceWidth)));
        pen.setWidthF(bThin ? 0.0 : std::min(dDeviceWidth, kMaxPenPixels) / dScale);
        pen.setStyle(p.style);
        if (!p.dashes.isEmpty()) {
            // Qt measures dashes in pen widths, a one-pixel pen's in pixels.
            const double dUnit = pen.widthF() > 0 ? pen.widthF() : 1 / dScale;
            QList<qreal> dashes = p.dashes;
            for (qreal& d : dashes)
                d = std::max(d / dUnit, 0.01);
            pen.setDashPattern(dashes);
        }
        pen.setCapStyle(p.cap);
        pen.setJoinStyle(p.join);
        m_painter.setPen(pen);
    }
    const SMetaBrush& b = m_state.brush;
    if (!bFill || b.kind == SMetaBrush::Null) {
        m_painter.setBrush(Qt::NoBrush);
    } else if (b.kind == SMetaBrush::Pattern) {
        QBrush brush(b.pattern);
        // One pattern pixel per reference-device pixel, scaled with the picture.
        brush.setTransform(m_toDevice * t.inverted());
        m_painter.setBrush(brush);
    } else {
        m_painter.setBrush(
            QBrush(b.color, b.kind == SMetaBrush::Hatch ? b.hatch : Qt::SolidPattern));
    }
}

void CMetafileDC::DrawOrAdd(const QPainterPath& path, bool bStroke, bool bFill)
{
    if (m_bInPath) {
        m_path.addPath(path);
        return;
    }
    if (!CanDraw())
        return;
    ChargeArea(path.controlPointRect(), bStroke);
    double dOnDevice = 0;
    const double dLength = EdgeLength(path, Transform(), DeviceSpan(), dOnDevice);
    const bool bSmooth = ChargeEdges(dLength, dOnDevice, path.controlPointRect());
    Prepare(bStroke, bFill, bSmooth);
    m_painter.drawPath(path);
}

void CMetafileDC::MoveTo(const QPointF& pt)
{
    m_state.ptCurrent = pt;
    if (m_bInPath)
        m_path.moveTo(pt);
}

void CMetafileDC::LineTo(const QPointF& pt)
{
    if (m_bInPath) {
        if (m_path.elementCount() == 0 || m_path.currentPosition() != m_state.ptCurrent)
            m_path.moveTo(m_state.ptCurrent);
        m_path.lineTo(pt);
    } else if (CanDraw()) {
        ChargeArea(QRectF(m_state.ptCurrent, pt), true);
        Prepare(true, false, ChargeEdges(0, 0, QRectF(m_state.ptCurrent, pt)));
        m_painter.drawLine(m_state.ptCurrent, pt);
    }
    m_state.ptCurrent = pt;
}

void CMetafileDC::Rectangle(const QRectF& rc)
{
    if (m_bInPath) {
        m_path.addRect(rc.normalized());
    } else if (CanDraw()) {
        ChargeArea(rc, true);
        Prepare(true, true, ChargeEdges(0, 0, rc));
        m_painter.drawRect(rc.normalized());
    }
}

void CMetafileDC::RoundRect(const QRectF& rc, const QSizeF& szCorner)
{
    QPainterPath path;
    path.addRoundedRect(rc.normalized(), std::abs(szCorner.width()) / 2,
                        std::abs(szCorner.height()) / 2);
    DrawOrAdd(path, true, true);
}

void CMetafileDC::Ellipse(const QRectF& rc)
{
    if (m_bInPath) {
        m_path.addEllipse(rc.normalized());
    } else if (CanDraw()) {
        ChargeArea(rc, true);
        Prepare(true, true, ChargeEdges(0, 0, rc));
        m_painter.drawEllipse(rc.normalized());
    }
}

void CMetafileDC::ArcShape(EArc kind, const QRectF& rcIn, const QPointF& ptStart,
                           const QPointF& ptEnd)
{
    const QRectF rc = rcIn.normalized();
    const QPointF c = rc.center();
    const double rx = rc.width() / 2, ry = rc.height() / 2;
    if (rx <= 0 || ry <= 0)
        return;
    // The radial lines through the two points cut the ellipse where the arc
    // starts and ends; it runs counterclockwise unless the file says otherwise.
    auto angle = [&](const QPointF& p) {
        return qRadiansToDegrees(std::atan2(-(p.y() - c.y()) / ry, (p.x() - c.x()) / rx));
    };
    const double a0 = angle(ptStart);
    double dSweep = angle(ptEnd) - a0;
    if (m_state.bArcClockwise) {
        while (dSweep >= 0)
            dSweep -= 360;
    } else {
        while (dSweep <= 0)
            dSweep += 360;
    }
    QPainterPath path;
    if (kind == Pie) {
        path.moveTo(c);
        path.arcTo(rc, a0, dSweep);
        path.closeSubpath();
    } else {
        path.arcMoveTo(rc, a0);
        if (kind == ArcTo) {
            QPainterPath line;
            line.moveTo(m_state.ptCurrent);
            line.lineTo(path.currentPosition());
            line.arcTo(rc, a0, dSweep);
            path = line;
        } else {
            path.arcTo(rc, a0, dSweep);
        }
        if (kind == Chord)
            path.closeSubpath();
    }
    if (kind == ArcTo)
        m_state.ptCurrent = path.currentPosition();
    DrawOrAdd(path, true, kind == Chord || kind == Pie);
}

QPolygonF& CMetafileDC::Points(int n)
{
    m_points.resize(std::max(n, 0)); // a damaged count gives no points, never a bad size
    AddWork(m_points.size() * MetafileWork::kPerPoint);
    return m_points;
}

void CMetafileDC::Polygon()
{
    if (m_points.size() < 2)
        return;
    if (m_bInPath) {
        m_path.addPolygon(m_points);
        m_path.closeSubpath();
    } else if (CanDraw()) {
        ChargeArea(m_points.boundingRect(), true);
        double dOnDevice = 0;
        const double dLength = EdgeLength(m_points, Transform(), DeviceSpan(), dOnDevice);
        const bool bSmooth = ChargeEdges(dLength, dOnDevice, m_points.boundingRect());
        Prepare(true, true, bSmooth);
        m_painter.drawPolygon(m_points, m_state.fillRule);
    }
}

void CMetafileDC::Polyline(bool bFromCurrent)
{
    if (m_points.isEmpty())
        return;
    const QPolygonF* pLine = &m_points;
    if (bFromCurrent) {
        m_scratch.resize(m_points.size() + 1);
        m_scratch[0] = m_state.ptCurrent;
        std::copy(m_points.cbegin(), m_points.cend(), m_scratch.begin() + 1);
        pLine = &m_scratch;
        m_state.ptCurrent = m_points.last();
    }
    if (m_bInPath) {
        if (bFromCurrent && m_path.elementCount() > 0 && m_path.currentPosition() == pLine->first())
            for (int i = 1; i < pLine->size(); ++i)
                m_path.lineTo(pLine->at(i));
        else
            m_path.addPolygon(*pLine);
    } else if (CanDraw()) {
        ChargeArea(pLine->boundingRect(), true);
        double dOnDevice = 0;
        const double dLength = EdgeLength(*pLine, Transform(), DeviceSpan(), dOnDevice);
        const bool bSmooth = ChargeEdges(dLength, dOnDevice, pLine->boundingRect());
        Prepare(true, false, bSmooth);
        m_painter.drawPolyline(*pLine);
    }
}

void CMetafileDC::PolyBezier(bool bFromCurrent)
{
    const int n = int(m_points.size());
    QPainterPath path;
    int i = 0;
    if (bFromCurrent) {
        path.moveTo(m_state.ptCurrent);
    } else {
        if (n < 1)
            return;
        path.moveTo(m_points[0]);
        i = 1;
    }
    for (; i + 2 < n; i += 3)
        path.cubicTo(m_points[i], m_points[i + 1], m_points[i + 2]);
    if (bFromCurrent) {
        m_state.ptCurrent = path.currentPosition();
        if (m_bInPath && m_path.elementCount() > 0 &&
            m_path.currentPosition() == path.elementAt(0)) {
            m_path.connectPath(path);
            return;
        }
    }
    DrawOrAdd(path, true, false);
}

void CMetafileDC::PolyPolygon(const std::vector<int>& counts)
{
    QPainterPath path;
    path.setFillRule(m_state.fillRule);
    int nStart = 0;
    for (int nCount : counts) {
        path.addPolygon(m_points.mid(nStart, nCount));
        path.closeSubpath();
        nStart += nCount;
    }
    DrawOrAdd(path, true, true);
}

void CMetafileDC::PolyPolyline(const std::vector<int>& counts)
{
    QPainterPath path;
    int nStart = 0;
    for (int nCount : counts) {
        path.addPolygon(m_points.mid(nStart, nCount));
        nStart += nCount;
    }
    DrawOrAdd(path, true, false);
}

void CMetafileDC::SetPixel(const QPointF& pt, const QColor& c)
{
    if (m_bInPath || !CanDraw())
        return;
    const QPointF dp = Transform().map(pt);
    m_painter.resetTransform();
    m_painter.fillRect(QRectF(dp, QSizeF(1, 1)), c);
    m_bToolsDirty = true;
}

QFont CMetafileDC::FontForHeight(double dDevicePixels)
{
    if (!m_bFontDirty && dDevicePixels == m_dFontPixels)
        return m_font;
    const SMetaFont& f = m_state.font;
    QFont font;
    // Symbol text is drawn as Unicode, which a symbol-encoded face here would
    // take for its own codes: any face with the characters draws it.
    if (!f.strFace.isEmpty() && !f.bSymbol)
        font.setFamily(f.strFace);
    switch (f.nPitchAndFamily & 0xF0) { // the family, above the pitch
    case U_FF_ROMAN:
        font.setStyleHint(QFont::Serif);
        break;
    case U_FF_SWISS:
        font.setStyleHint(QFont::SansSerif);
        break;
    case U_FF_MODERN:
        font.setStyleHint(QFont::Monospace);
        break;
    case U_FF_SCRIPT:
        font.setStyleHint(QFont::Cursive);
        break;
    case U_FF_DECORATIVE:
        font.setStyleHint(QFont::Decorative);
        break;
    }
    font.setWeight(QFont::Weight(qBound(100, f.nWeight > 0 ? f.nWeight : 400, 900)));
    font.setItalic(f.bItalic);
    font.setUnderline(f.bUnderline);
    font.setStrikeOut(f.bStrikeOut);
    font.setPixelSize(std::max(1, qRound(dDevicePixels)));
    if (f.dHeight > 0) {
        // A positive height is the whole cell, ascent and descent together.
        const QFontMetricsF fm(font);
        const double dCell = fm.ascent() + fm.descent();
        if (dCell > 0)
            font.setPixelSize(std::max(1, qRound(dDevicePixels * dDevicePixels / dCell)));
    }
    m_font = font;
    m_dFontPixels = dDevicePixels;
    m_bFontDirty = false;
    return m_font;
}

QPointF CMetafileDC::TextBoxOffset(const QFontMetricsF& fm, double dWidth) const
{
    double x = 0;
    if ((m_state.nTextAlign & U_TA_CENTER) == U_TA_CENTER)
        x = -dWidth / 2;
    else if (m_state.nTextAlign & U_TA_RIGHT)
        x = -dWidth;
    double y = 0;
    if ((m_state.nTextAlign & U_TA_BASELINE) == U_TA_BASELINE)
        y = 0;
    else if (m_state.nTextAlign & U_TA_BOTTOM)
        y = -fm.descent();
    else
        y = fm.ascent();
    return QPointF(x, y);
}

void CMetafileDC::DrawGlyphs(const QString& str, const std::vector<double>* pDx, QPointF ptBox,
                             double dScaleX, double dWidth, const QFont& font)
{
    const QFontMetricsF fm(font);
    if (m_state.bOpaque)
        m_painter.fillRect(
            QRectF(ptBox.x(), ptBox.y() - fm.ascent(), dWidth, fm.ascent() + fm.descent()),
            m_state.bkColor);
    m_painter.setFont(font);
    m_painter.setPen(m_state.textColor);
    m_painter.setBackgroundMode(Qt::TransparentMode);
    if (pDx) {
        for (int i = 0; i < str.size(); ++i) {
            m_painter.drawText(ptBox, QString(str.at(i)));
            ptBox.rx() += (*pDx)[std::size_t(i)] * dScaleX;
        }
    } else {
        m_painter.drawText(ptBox, str);
    }
}

void CMetafileDC::Text(const QPointF& ptIn, const QString& strIn, quint32 nOptions,
                       const QRectF* pRect, const std::vector<double>& dx)
{
    if (m_bInPath || !CanDraw())
        return;
    const QString str = m_state.font.bSymbol ? SymbolCharset::ToUnicode(strIn) : strIn;
    const QTransform t = Transform();
    const bool bUpdateCP = m_state.nTextAlign & U_TA_UPDATECP;
    const QPointF pt = bUpdateCP ? m_state.ptCurrent : ptIn;
    if (pRect && (nOptions & U_ETO_OPAQUE)) {
        Prepare(false, false);
        m_painter.fillRect(pRect->normalized(), m_state.bkColor);
    }
    const double dScaleX = std::hypot(t.m11(), t.m12());
    const double dScaleY = std::hypot(t.m21(), t.m22());
    const double dHeight = m_state.font.dHeight != 0
                               ? std::abs(m_state.font.dHeight) * dScaleY
                               : 16 * std::hypot(m_toDevice.m21(), m_toDevice.m22());
    if (str.isEmpty() || dHeight < 0.5 || dHeight > kMaxGlyphPixels)
        return;
    AddWork(str.size() * MetafileWork::kPerPoint);
    const bool bUseDx = dx.size() == std::size_t(str.size());
    double dWidth = 0;
    if (bUseDx) {
        for (double d : dx)
            dWidth += d * dScaleX;
    }
    const QFont font = bUseDx ? NarrowedToAdvances(FontForHeight(dHeight), str, dx, dScaleX)
                              : FontForHeight(dHeight);
    const QFontMetricsF fm(font);
    if (!bUseDx)
        dWidth = fm.horizontalAdvance(str);
    // The box the glyphs cover, at most the whole device.
    AddWork(qint64(std::min(std::abs(dWidth) * dHeight,
                            m_rcDeviceClip.width() * m_rcDeviceClip.height())) /
            MetafileWork::kDevicePixelsPerUnit);
    QPointF ptBox = TextBoxOffset(fm, dWidth);
    if (pRect && (nOptions & U_ETO_CLIPPED)) {
        m_painter.save();
        m_painter.setTransform(t);
        m_painter.setClipRect(pRect->normalized(), Qt::IntersectClip);
    }
    // Glyphs are laid out in device pixels along the escapement, upright
    // whatever the mapping's axes, and turned with the world transform.
    const double dWorldAngle =
        qRadiansToDegrees(std::atan2(m_state.world.m12(), m_state.world.m11()));
    m_painter.setTransform(QTransform()
                               .translate(t.map(pt).x(), t.map(pt).y())
                               .rotate(dWorldAngle - m_state.font.nEscapement / 10.0));
    DrawGlyphs(str, bUseDx ? &dx : nullptr, ptBox, dScaleX, dWidth, font);
    if (pRect && (nOptions & U_ETO_CLIPPED))
        m_painter.restore();
    m_bToolsDirty = true;
    if (bUpdateCP && dScaleX > 0)
        m_state.ptCurrent = pt + QPointF(dWidth / dScaleX, 0);
}

// --- Paths ---------------------------------------------------------------

void CMetafileDC::BeginPath()
{
    m_path = QPainterPath();
    m_bInPath = true;
}

void CMetafileDC::AbortPath()
{
    m_path = QPainterPath();
    m_bInPath = false;
}

void CMetafileDC::CloseFigure()
{
    if (m_bInPath)
        m_path.closeSubpath();
}

void CMetafileDC::DrawPathAndEnd(bool bStroke, bool bFill)
{
    m_bInPath = false;
    m_path.setFillRule(m_state.fillRule);
    if (CanDraw()) {
        AddWork(m_path.elementCount() * MetafileWork::kPerPoint);
        ChargeArea(m_path.controlPointRect(), bStroke);
        double dOnDevice = 0;
        const double dLength = EdgeLength(m_path, Transform(), DeviceSpan(), dOnDevice);
        const bool bSmooth = ChargeEdges(dLength, dOnDevice, m_path.controlPointRect());
        Prepare(bStroke, bFill, bSmooth);
        m_painter.drawPath(m_path);
    }
    m_path = QPainterPath();
}
