#include "platform/picture/CMetafileDC.h"

#include <uemf.h>

#include <QPainter>
#include <QtMath>
#include <cmath>

namespace {

// Deeper SaveDC nesting than this is no drawing but a damaged file.
constexpr std::size_t kMaxSavedStates = 4096;
constexpr int kMaxObjects = 65536;
// A mapping that throws coordinates this far is no drawing but a damaged file.
constexpr double kMaxCoordinate = 1e9;

bool IsFinite(const QTransform& t)
{
    const double a[] = {t.m11(), t.m12(), t.m21(), t.m22(), t.dx(), t.dy()};
    for (double v : a) {
        if (!std::isfinite(v) || std::abs(v) > kMaxCoordinate)
            return false;
    }
    return t.determinant() != 0;
}

} // namespace

CMetafileDC::CMetafileDC(QPainter& painter, const QTransform& toDevice, const QRectF& deviceClip,
                         qint64 nWorkBudget)
    : m_painter(painter)
    , m_toDevice(toDevice)
    , m_rcDeviceClip(deviceClip)
    , m_nWorkBudget(nWorkBudget)
{
    m_painter.save();
    ApplyClip();
}

CMetafileDC::~CMetafileDC()
{
    m_painter.restore();
}

// --- Mapping -------------------------------------------------------------

void CMetafileDC::SetMapMode(int nMode)
{
    if (nMode < U_MM_TEXT || nMode > U_MM_ANISOTROPIC)
        return;
    m_state.nMapMode = nMode;
    MappingChanged();
}

void CMetafileDC::SetWindowOrg(const QPointF& pt)
{
    m_state.ptWinOrg = pt;
    MappingChanged();
}

void CMetafileDC::SetWindowExt(const QSizeF& sz)
{
    if (sz.width() == 0 || sz.height() == 0)
        return;
    m_state.szWinExt = sz;
    MappingChanged();
}

void CMetafileDC::SetViewportOrg(const QPointF& pt)
{
    m_state.ptVpOrg = pt;
    MappingChanged();
}

void CMetafileDC::SetViewportExt(const QSizeF& sz)
{
    if (sz.width() == 0 || sz.height() == 0)
        return;
    m_state.szVpExt = sz;
    MappingChanged();
}

void CMetafileDC::ScaleWindowExt(double xNum, double xDenom, double yNum, double yDenom)
{
    if (xDenom == 0 || yDenom == 0)
        return;
    SetWindowExt(QSizeF(m_state.szWinExt.width() * xNum / xDenom,
                        m_state.szWinExt.height() * yNum / yDenom));
}

void CMetafileDC::ScaleViewportExt(double xNum, double xDenom, double yNum, double yDenom)
{
    if (xDenom == 0 || yDenom == 0)
        return;
    SetViewportExt(
        QSizeF(m_state.szVpExt.width() * xNum / xDenom, m_state.szVpExt.height() * yNum / yDenom));
}

void CMetafileDC::SetWorldTransform(const QTransform& t)
{
    if (!IsFinite(t))
        return;
    m_state.world = t;
    MappingChanged();
}

void CMetafileDC::ModifyWorldTransform(const QTransform& t, int nMode)
{
    switch (nMode) {
    case U_MWT_IDENTITY:
        m_state.world.reset();
        break;
    case U_MWT_LEFTMULTIPLY:
        SetWorldTransform(t * m_state.world);
        break;
    case U_MWT_RIGHTMULTIPLY:
        SetWorldTransform(m_state.world * t);
        break;
    case 4: // MWT_SET
        SetWorldTransform(t);
        break;
    }
    MappingChanged();
}

const QTransform& CMetafileDC::Transform()
{
    if (!m_bTransformDirty)
        return m_transform;
    const SState& s = m_state;
    double sx = 1, sy = 1;
    switch (s.nMapMode) {
    case U_MM_TEXT:
        break;
    case U_MM_LOMETRIC:
        sx = 0.1 * m_dUnitsPerMm;
        break;
    case U_MM_HIMETRIC:
        sx = 0.01 * m_dUnitsPerMm;
        break;
    case U_MM_LOENGLISH:
        sx = 0.254 * m_dUnitsPerMm;
        break;
    case U_MM_HIENGLISH:
        sx = 0.0254 * m_dUnitsPerMm;
        break;
    case U_MM_TWIPS:
        sx = 25.4 / 1440 * m_dUnitsPerMm;
        break;
    default:
        sx = s.szVpExt.width() / s.szWinExt.width();
        sy = s.szVpExt.height() / s.szWinExt.height();
        if (s.nMapMode == U_MM_ISOTROPIC) {
            const double m = std::min(std::abs(sx), std::abs(sy));
            sx = std::copysign(m, sx);
            sy = std::copysign(m, sy);
        }
        break;
    }
    if (s.nMapMode >= U_MM_LOMETRIC && s.nMapMode <= U_MM_TWIPS)
        sy = -sx; // the metric modes measure upward
    const QTransform page(sx, 0, 0, sy, s.ptVpOrg.x() - s.ptWinOrg.x() * sx,
                          s.ptVpOrg.y() - s.ptWinOrg.y() * sy);
    m_transform = s.world * page * m_toDevice;
    m_bTransformDirty = false;
    m_bToolsDirty = true;
    return m_transform;
}

bool CMetafileDC::CanDraw()
{
    return IsFinite(Transform());
}

// --- Objects -------------------------------------------------------------

SMetaPen CMetafileDC::MakePen(quint32 nStyle, double dWidth, const QColor& color)
{
    SMetaPen pen;
    pen.color = color;
    pen.dWidth = std::abs(dWidth);
    switch (nStyle & U_PS_STYLE_MASK) {
    case U_PS_DASH:
        pen.style = Qt::DashLine;
        break;
    case U_PS_DOT:
    case U_PS_ALTERNATE:
        pen.style = Qt::DotLine;
        break;
    case U_PS_DASHDOT:
        pen.style = Qt::DashDotLine;
        break;
    case U_PS_DASHDOTDOT:
        pen.style = Qt::DashDotDotLine;
        break;
    case U_PS_NULL:
        pen.bNull = true;
        break;
    }
    switch (nStyle & U_PS_ENDCAP_MASK) {
    case U_PS_ENDCAP_SQUARE:
        pen.cap = Qt::SquareCap;
        break;
    case U_PS_ENDCAP_FLAT:
        pen.cap = Qt::FlatCap;
        break;
    }
    switch (nStyle & U_PS_JOIN_MASK) {
    case U_PS_JOIN_BEVEL:
        pen.join = Qt::BevelJoin;
        break;
    case U_PS_JOIN_MITER:
        pen.join = Qt::MiterJoin;
        break;
    }
    return pen;
}

SMetaBrush CMetafileDC::MakeBrush(quint32 nStyle, const QColor& color, quint32 nHatch)
{
    SMetaBrush brush;
    brush.color = color;
    if (nStyle == U_BS_NULL) {
        brush.kind = SMetaBrush::Null;
    } else if (nStyle == U_BS_HATCHED) {
        static const Qt::BrushStyle aHatches[] = {Qt::HorPattern,   Qt::VerPattern,
                                                  Qt::FDiagPattern, Qt::BDiagPattern,
                                                  Qt::CrossPattern, Qt::DiagCrossPattern};
        brush.kind = SMetaBrush::Hatch;
        brush.hatch = nHatch < 6 ? aHatches[nHatch] : Qt::SolidPattern;
    }
    return brush;
}

void CMetafileDC::SetObjectTableSize(int n)
{
    m_objects.assign(std::size_t(qBound(0, n, kMaxObjects)), CObject{});
    m_freed = {};
    m_nUnused = 0;
}

int CMetafileDC::FreeObjectSlot()
{
    // The lowest free slot: a freed one below the unused part of the table,
    // else the first unused one. Scanning from the start each time made a file
    // that keeps freeing and filling slots of a full table quadratic.
    while (!m_freed.empty()) {
        const std::size_t nSlot = m_freed.top();
        m_freed.pop();
        if (nSlot < m_objects.size() && std::holds_alternative<std::monostate>(m_objects[nSlot]))
            return int(nSlot);
    }
    while (m_nUnused < m_objects.size() &&
           !std::holds_alternative<std::monostate>(m_objects[m_nUnused]))
        ++m_nUnused;
    if (m_nUnused < m_objects.size())
        return int(m_nUnused++);
    // Writers often undercount their objects; grow rather than lose the object.
    if (m_objects.size() >= std::size_t(kMaxObjects))
        return -1;
    m_objects.emplace_back();
    m_nUnused = m_objects.size();
    return int(m_objects.size() - 1);
}

void CMetafileDC::CreateObject(quint32 nIndex, CObject obj)
{
    if (nIndex >= quint32(kMaxObjects))
        return;
    if (nIndex >= m_objects.size())
        m_objects.resize(nIndex + 1);
    if (const auto* pBrush = std::get_if<SMetaBrush>(&obj))
        ChargeImage(pBrush->pattern);
    m_objects[nIndex] = std::move(obj);
}

void CMetafileDC::DeleteObject(quint32 nIndex)
{
    if (nIndex >= m_objects.size() || std::holds_alternative<std::monostate>(m_objects[nIndex]))
        return;
    m_objects[nIndex] = std::monostate{};
    if (nIndex < m_nUnused)
        m_freed.push(nIndex);
}

void CMetafileDC::SelectObject(quint32 nIndex)
{
    if (nIndex >= m_objects.size())
        return;
    const CObject& obj = m_objects[nIndex];
    if (const auto* pPen = std::get_if<SMetaPen>(&obj))
        m_state.pen = *pPen;
    else if (const auto* pBrush = std::get_if<SMetaBrush>(&obj))
        m_state.brush = *pBrush;
    else if (const auto* pFont = std::get_if<SMetaFont>(&obj)) {
        m_state.font = *pFont;
        m_bFontDirty = true;
    }
    m_bToolsDirty = true;
}

void CMetafileDC::SelectStockObject(quint32 nStock)
{
    static const int aGreys[] = {255, 192, 128, 64, 0};
    if (nStock <= 4 || nStock == 18) {
        const int g = nStock == 18 ? 255 : aGreys[nStock];
        m_state.brush = SMetaBrush{SMetaBrush::Solid, QColor(g, g, g), Qt::SolidPattern, {}};
    } else if (nStock == 5) {
        m_state.brush = SMetaBrush{SMetaBrush::Null, {}, Qt::NoBrush, {}};
    } else if (nStock == 6 || nStock == 7 || nStock == 19) {
        m_state.pen = SMetaPen{};
        m_state.pen.color = nStock == 6 ? Qt::white : Qt::black;
    } else if (nStock == 8) {
        m_state.pen = SMetaPen{};
        m_state.pen.bNull = true;
    } else if (nStock >= 10 && nStock <= 17) {
        m_state.font = SMetaFont{};
        m_bFontDirty = true;
    }
    m_bToolsDirty = true;
}

// --- Attributes ------------------------------------------------------------

void CMetafileDC::SetBkColor(const QColor& c)
{
    m_state.bkColor = c;
    m_bToolsDirty = true;
}

void CMetafileDC::SetBkMode(int nMode)
{
    if (nMode == U_TRANSPARENT || nMode == U_OPAQUE)
        m_state.bOpaque = nMode == U_OPAQUE;
    m_bToolsDirty = true;
}

void CMetafileDC::SetPolyFillMode(int nMode)
{
    if (nMode == U_ALTERNATE || nMode == U_WINDING)
        m_state.fillRule = nMode == U_WINDING ? Qt::WindingFill : Qt::OddEvenFill;
}

void CMetafileDC::SaveDC()
{
    if (m_saved.size() < kMaxSavedStates)
        m_saved.push_back(m_state);
}

void CMetafileDC::RestoreDC(int nSaved)
{
    // Negative: relative to the newest state; positive: the n-th state saved.
    const qint64 nCount = qint64(m_saved.size());
    const qint64 nIndex = nSaved < 0 ? nCount + nSaved : qint64(nSaved) - 1;
    if (nSaved == 0 || nIndex < 0 || nIndex >= nCount)
        return;
    const bool bClipChanged = m_state.clip != m_saved[std::size_t(nIndex)].clip;
    m_state = m_saved[std::size_t(nIndex)];
    m_saved.resize(std::size_t(nIndex));
    m_bTransformDirty = true;
    m_bFontDirty = true;
    if (bClipChanged)
        ApplyClip();
}

// --- Clipping ------------------------------------------------------------

void CMetafileDC::ApplyClip()
{
    // Back to the caller's clip, then narrow it: playback never widens it.
    m_painter.restore();
    m_painter.save();
    m_painter.resetTransform();
    m_painter.setClipRect(m_rcDeviceClip, Qt::IntersectClip);
    m_state.clip.Apply(m_painter);
    m_bToolsDirty = true;
    m_bTransformDirty = true;
}

void CMetafileDC::IntersectClipRect(const QRectF& rc)
{
    if (!CanDraw())
        return;
    QPainterPath path;
    path.addRect(rc.normalized());
    CombineClip(Transform().map(path), U_RGN_AND);
}

void CMetafileDC::ExcludeClipRect(const QRectF& rc)
{
    if (!CanDraw())
        return;
    QPainterPath path;
    path.addRect(rc.normalized());
    CombineClip(Transform().map(path), U_RGN_DIFF);
}

void CMetafileDC::OffsetClip(const QPointF& pt)
{
    if (!m_state.clip.IsSet() || !CanDraw())
        return;
    const QTransform& t = Transform();
    m_state.clip.Translate(t.map(pt) - t.map(QPointF()));
    ApplyClip();
}

void CMetafileDC::ResetClip()
{
    if (!m_state.clip.IsSet())
        return;
    m_state.clip = CMetafileClip();
    ApplyClip();
}

void CMetafileDC::SelectClipPath(int nMode)
{
    const QPainterPath path = m_path;
    m_path = QPainterPath();
    m_bInPath = false;
    if (CanDraw())
        CombineClip(Transform().map(path), nMode);
}

void CMetafileDC::CombineDeviceClip(const QPainterPath& refDevicePath, int nMode)
{
    if (nMode == U_RGN_COPY && refDevicePath.isEmpty())
        ResetClip();
    else
        CombineClip(m_toDevice.map(refDevicePath), nMode);
}

void CMetafileDC::CombineClip(const QPainterPath& path, int nMode)
{
    AddWork(m_state.clip.Combine(path, nMode, m_rcDeviceClip));
    ApplyClip();
}
