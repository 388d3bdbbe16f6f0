#pragma once

#include "platform/picture/CMetafileClip.h"
#include "platform/picture/MetafileWork.h"

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPainterPath>
#include <QPolygonF>
#include <QTransform>
#include <queue>
#include <variant>
#include <vector>

class QFontMetricsF;
class QPainter;

// A pen, brush or font as a metafile creates it, in logical units.
struct SMetaPen
{
    bool bNull = false;
    Qt::PenStyle style = Qt::SolidLine;
    double dWidth = 0; // 0: one device pixel
    QColor color = Qt::black;
    Qt::PenCapStyle cap = Qt::RoundCap;
    Qt::PenJoinStyle join = Qt::RoundJoin;
    QList<qreal> dashes; // a user style: dash and gap lengths in logical units
};

struct SMetaBrush
{
    enum EKind { Null, Solid, Hatch, Pattern };
    EKind kind = Solid;
    QColor color = Qt::white;
    Qt::BrushStyle hatch = Qt::SolidPattern;
    QImage pattern;
};

// An object this player does not draw with (palette, region), kept so that
// the slots of the object table stay where the file expects them.
struct SMetaOther
{
};

struct SMetaFont
{
    double dHeight = 0;  // < 0: character height, > 0: cell height, 0: default
    int nEscapement = 0; // tenths of a degree, counterclockwise
    int nWeight = 400;
    bool bItalic = false;
    bool bUnderline = false;
    bool bStrikeOut = false;
    int nPitchAndFamily = 0;
    QString strFace;
    bool bSymbol = false; // codes of the Symbol font, drawn as the characters they stand for
};

// The playback device context shared by the WMF and EMF players: mapping,
// object table, attributes, clipping and path, and the drawing primitives in
// logical coordinates. One lives for one playback, so playback holds no
// shared state and any thread may play onto its own painter. It counts the
// work done against a budget (MetafileWork) that the players check between
// records.
class CMetafileDC
{
public:
    using CObject = std::variant<std::monostate, SMetaPen, SMetaBrush, SMetaFont, SMetaOther>;
    enum EArc { Arc, Chord, Pie, ArcTo };

    // toDevice maps the reference device (the frame's units) to the painter's
    // device; deviceClip (device coordinates) is the area playback may touch.
    CMetafileDC(QPainter& painter, const QTransform& toDevice, const QRectF& deviceClip,
                qint64 nWorkBudget = MetafileWork::kDefaultBudget);
    ~CMetafileDC();
    CMetafileDC(const CMetafileDC&) = delete;
    CMetafileDC& operator=(const CMetafileDC&) = delete;

    // Work.
    void AddWork(qint64 nUnits) { m_nWork += nUnits; }
    bool BudgetSpent() const { return m_nWork >= m_nWorkBudget; }
    qint64 Work() const { return m_nWork; }

    // Mapping.
    void SetMapMode(int nMode);
    int MapMode() const { return m_state.nMapMode; }
    void SetMetricScale(double dDeviceUnitsPerMm) { m_dUnitsPerMm = dDeviceUnitsPerMm; }
    void SetWindowOrg(const QPointF& pt);
    void SetWindowExt(const QSizeF& sz);
    void SetViewportOrg(const QPointF& pt);
    void SetViewportExt(const QSizeF& sz);
    void OffsetWindowOrg(const QPointF& pt) { SetWindowOrg(m_state.ptWinOrg + pt); }
    void OffsetViewportOrg(const QPointF& pt) { SetViewportOrg(m_state.ptVpOrg + pt); }
    void ScaleWindowExt(double xNum, double xDenom, double yNum, double yDenom);
    void ScaleViewportExt(double xNum, double xDenom, double yNum, double yDenom);
    void SetWorldTransform(const QTransform& t);
    void ModifyWorldTransform(const QTransform& t, int nMode);

    // Objects.
    static QColor ColorRef(quint32 nColorRef)
    {
        return QColor(nColorRef & 0xFF, (nColorRef >> 8) & 0xFF, (nColorRef >> 16) & 0xFF);
    }
    // From the style bits both formats share (PS_*, BS_*, HS_*).
    static SMetaPen MakePen(quint32 nStyle, double dWidth, const QColor& color);
    static SMetaBrush MakeBrush(quint32 nStyle, const QColor& color, quint32 nHatch);
    void SetObjectTableSize(int n);
    int FreeObjectSlot(); // -1 when the table is full
    void CreateObject(quint32 nIndex, CObject obj);
    void DeleteObject(quint32 nIndex);
    void SelectObject(quint32 nIndex);
    void SelectStockObject(quint32 nStock);

    // Attributes.
    void SetTextColor(const QColor& c) { m_state.textColor = c; }
    void SetBkColor(const QColor& c);
    void SetBkMode(int nMode);
    void SetTextAlign(quint32 nAlign) { m_state.nTextAlign = nAlign; }
    void SetPolyFillMode(int nMode);
    void SetArcClockwise(bool b) { m_state.bArcClockwise = b; }
    void SetSmoothBlits(bool b) { m_state.bSmoothBlits = b; }
    void SaveDC();
    void RestoreDC(int nSaved);

    // Clipping, in logical coordinates.
    void IntersectClipRect(const QRectF& rc);
    void ExcludeClipRect(const QRectF& rc);
    void OffsetClip(const QPointF& pt);
    void ResetClip();

    // Drawing, in logical coordinates.
    QPointF CurrentPosition() const { return m_state.ptCurrent; }
    void MoveTo(const QPointF& pt);
    void LineTo(const QPointF& pt);
    void Rectangle(const QRectF& rc);
    void RoundRect(const QRectF& rc, const QSizeF& szCorner);
    void Ellipse(const QRectF& rc);
    void ArcShape(EArc kind, const QRectF& rc, const QPointF& ptStart, const QPointF& ptEnd);
    // Points: fill the buffer from Points(n), then call one of these.
    QPolygonF& Points(int n);
    void Polygon();
    void Polyline(bool bFromCurrent);
    void PolyBezier(bool bFromCurrent);
    void PolyPolygon(const std::vector<int>& counts);
    void PolyPolyline(const std::vector<int>& counts);
    void SetPixel(const QPointF& pt, const QColor& c);
    void Text(const QPointF& pt, const QString& str, quint32 nOptions, const QRectF* pRect,
              const std::vector<double>& dx);
    void Blit(const QRectF& rcDest, const QImage& img, const QRectF& rcSrc, quint32 nRop);
    void PatBlt(const QRectF& rcDest, quint32 nRop);

    // Paths.
    void BeginPath();
    void EndPath() { m_bInPath = false; }
    void AbortPath();
    void CloseFigure();
    void FillPath() { DrawPathAndEnd(false, true); }
    void StrokePath() { DrawPathAndEnd(true, false); }
    void StrokeAndFillPath() { DrawPathAndEnd(true, true); }
    void SelectClipPath(int nMode);
    // Combines a region given in the reference device's units with the clip
    // (RGN_AND 1, RGN_OR 2, RGN_XOR 3, RGN_DIFF 4, RGN_COPY 5).
    void CombineDeviceClip(const QPainterPath& refDevicePath, int nMode);

private:
    struct SState
    {
        int nMapMode = 1;
        QPointF ptWinOrg, ptVpOrg;
        QSizeF szWinExt{1, 1}, szVpExt{1, 1};
        QTransform world;
        SMetaPen pen;
        SMetaBrush brush;
        SMetaFont font;
        QColor textColor = Qt::black;
        QColor bkColor = Qt::white;
        bool bOpaque = true;
        quint32 nTextAlign = 0;
        Qt::FillRule fillRule = Qt::OddEvenFill;
        bool bArcClockwise = false;
        bool bSmoothBlits = false;
        QPointF ptCurrent;
        CMetafileClip clip; // device coordinates
    };

    void MappingChanged() { m_bTransformDirty = true; }
    const QTransform& Transform();
    // Sets the painter up for a drawing; bSmooth: antialiased.
    void Prepare(bool bStroke, bool bFill, bool bSmooth = true);
    void ApplyClip();
    void CombineClip(const QPainterPath& devicePath, int nMode);
    void ChargeArea(const QRectF& rcLogical, bool bStroke = false);
    void ChargeImage(const QImage& img);
    // Counts a shape's edges as work; false when they are too many, or the
    // shape too big, to antialias.
    bool ChargeEdges(double dDeviceLength, double dOnDevice, const QRectF& rcLogicalBounds);
    double DeviceSpan() const { return m_rcDeviceClip.width() + m_rcDeviceClip.height(); }
    bool CanDraw();
    void DrawOrAdd(const QPainterPath& path, bool bStroke, bool bFill);
    void DrawPathAndEnd(bool bStroke, bool bFill);
    QFont FontForHeight(double dDevicePixels);
    // Where the text's baseline starts from its reference point, in device
    // pixels along the text, as the alignment asks.
    QPointF TextBoxOffset(const QFontMetricsF& fm, double dWidth) const;
    // Background box and glyphs, one by one at the file's spacing when pDx is
    // given; the painter maps device pixels along the text.
    void DrawGlyphs(const QString& str, const std::vector<double>* pDx, QPointF ptBox,
                    double dScaleX, double dWidth, const QFont& font);

    QPainter& m_painter;
    QTransform m_toDevice;
    QRectF m_rcDeviceClip;
    qint64 m_nWorkBudget;
    qint64 m_nWork = 0;
    double m_dUnitsPerMm = 96 / 25.4;
    SState m_state;
    std::vector<SState> m_saved;
    std::vector<CObject> m_objects;
    // Slots freed below m_nUnused, lowest first; from m_nUnused on, a slot is
    // free unless a record named it.
    std::priority_queue<std::size_t, std::vector<std::size_t>, std::greater<>> m_freed;
    std::size_t m_nUnused = 0;
    QTransform m_transform;
    bool m_bTransformDirty = true;
    bool m_bToolsDirty = true;
    bool m_bInPath = false;
    QPainterPath m_path;
    QPolygonF m_points;
    QPolygonF m_scratch;
    QFont m_font;
    double m_dFontPixels = -1;
    bool m_bFontDirty = true;
};
