// The records of an enhanced metafile, family by family; offsets come from
// libUEMF's record structures, which lie in the file as they are declared.
#include "platform/picture/CEmfPlayer.h"

#include "platform/picture/CMetafileDC.h"
#include "platform/picture/CMetafileDib.h"
#include "platform/picture/SymbolCharset.h"

#include <uemf.h>

#include <QtMath>
#include <cmath>
#include <cstddef>

namespace {

QPointF Point32(const CMetafileRecordReader& r, std::size_t n)
{
    return QPointF(r.I32(n), r.I32(n + 4));
}

QSizeF Size32(const CMetafileRecordReader& r, std::size_t n)
{
    return QSizeF(r.I32(n), r.I32(n + 4));
}

QRectF Rect32(const CMetafileRecordReader& r, std::size_t n)
{
    return QRectF(Point32(r, n), Point32(r, n + 8));
}

// Reads nCount points of 32 or 16 bits from n on into the context's buffer;
// false when they do not all lie in the record.
bool ReadPoints(CMetafileDC& dc, const CMetafileRecordReader& r, std::size_t n, quint64 nCount,
                bool b16)
{
    const std::size_t nSize = b16 ? sizeof(U_POINT16) : sizeof(U_POINTL);
    if (nCount > r.Size() / nSize || !r.Has(n, std::size_t(nCount) * nSize))
        return false;
    QPolygonF& pts = dc.Points(int(nCount));
    for (std::size_t i = 0; i < nCount; ++i) {
        pts[int(i)] = b16 ? QPointF(r.I16(n + 4 * i), r.I16(n + 4 * i + 2))
                          : QPointF(r.I32(n + 8 * i), r.I32(n + 8 * i + 4));
    }
    return true;
}

// --- Points --------------------------------------------------------------

bool PlayPoly(CMetafileDC& dc, quint32 nType, const CMetafileRecordReader& r)
{
    const bool b16 = nType >= U_EMR_POLYBEZIER16 && nType <= U_EMR_POLYLINETO16;
    const quint32 nKind = b16 ? nType - U_EMR_POLYBEZIER16 + U_EMR_POLYBEZIER : nType;
    if (nKind < U_EMR_POLYBEZIER || nKind > U_EMR_POLYLINETO)
        return false;
    // The 16-bit records share the layout, with smaller points.
    if (!ReadPoints(dc, r, offsetof(U_EMRPOLYLINE, aptl), r.U32(offsetof(U_EMRPOLYLINE, cptl)),
                    b16))
        return true;
    switch (nKind) {
    case U_EMR_POLYBEZIER:
        dc.PolyBezier(false);
        break;
    case U_EMR_POLYGON:
        dc.Polygon();
        break;
    case U_EMR_POLYLINE:
        dc.Polyline(false);
        break;
    case U_EMR_POLYBEZIERTO:
        dc.PolyBezier(true);
        break;
    case U_EMR_POLYLINETO:
        dc.Polyline(true);
        break;
    }
    return true;
}

void PolyPoly(CMetafileDC& dc, quint32 nType, const CMetafileRecordReader& r,
              std::vector<int>& counts)
{
    constexpr std::size_t kCounts = offsetof(U_EMRPOLYPOLYLINE, aPolyCounts);
    const std::size_t nPolys = r.U32(offsetof(U_EMRPOLYPOLYLINE, nPolys));
    if (nPolys > r.Size() / 4 || !r.Has(kCounts, nPolys * 4))
        return;
    counts.clear();
    quint64 nTotal = 0;
    for (std::size_t i = 0; i < nPolys; ++i) {
        counts.push_back(int(std::min<quint32>(r.U32(kCounts + 4 * i), quint32(r.Size()))));
        nTotal += quint64(counts.back());
    }
    const bool b16 = nType == U_EMR_POLYPOLYLINE16 || nType == U_EMR_POLYPOLYGON16;
    if (!ReadPoints(dc, r, kCounts + nPolys * 4, nTotal, b16))
        return;
    if (nType == U_EMR_POLYPOLYGON || nType == U_EMR_POLYPOLYGON16)
        dc.PolyPolygon(counts);
    else
        dc.PolyPolyline(counts);
}

void PolyDraw(CMetafileDC& dc, const CMetafileRecordReader& r, bool b16)
{
    const quint64 nCount = r.U32(offsetof(U_EMRPOLYDRAW, cptl));
    constexpr std::size_t kPoints = offsetof(U_EMRPOLYDRAW, aptl);
    const std::size_t nTypes =
        kPoints + std::size_t(nCount) * (b16 ? sizeof(U_POINT16) : sizeof(U_POINTL));
    if (!ReadPoints(dc, r, kPoints, nCount, b16) || !r.Has(nTypes, std::size_t(nCount)))
        return;
    const QPolygonF pts = dc.Points(int(nCount));
    for (std::size_t i = 0; i < nCount; ++i) {
        const quint8 nPointType = r.U8(nTypes + i);
        const QPointF& pt = pts[int(i)];
        if ((nPointType & U_PT_MOVETO) == U_PT_MOVETO) {
            dc.MoveTo(pt);
        } else if ((nPointType & U_PT_MOVETO) == U_PT_BEZIERTO && i + 2 < nCount) {
            QPolygonF& bez = dc.Points(3);
            bez[0] = pts[int(i)];
            bez[1] = pts[int(i + 1)];
            bez[2] = pts[int(i + 2)];
            dc.PolyBezier(true);
            i += 2;
        } else {
            dc.LineTo(pt);
        }
        if (nPointType & U_PT_CLOSEFIGURE)
            dc.CloseFigure();
    }
}

bool PlayPolyPoly(CMetafileDC& dc, quint32 nType, const CMetafileRecordReader& r,
                  std::vector<int>& counts)
{
    switch (nType) {
    case U_EMR_POLYPOLYLINE:
    case U_EMR_POLYPOLYGON:
    case U_EMR_POLYPOLYLINE16:
    case U_EMR_POLYPOLYGON16:
        PolyPoly(dc, nType, r, counts);
        return true;
    case U_EMR_POLYDRAW:
    case U_EMR_POLYDRAW16:
        PolyDraw(dc, r, nType == U_EMR_POLYDRAW16);
        return true;
    }
    return false;
}

// --- Mapping and attributes ------------------------------------------------

bool PlayMapping(CMetafileDC& dc, quint32 nType, const CMetafileRecordReader& r)
{
    // Both scalings share a layout.
    using SScale = U_EMRSCALEVIEWPORTEXTEX;
    const auto scale = [&](std::size_t n) { return double(r.I32(n)); };
    switch (nType) {
    case U_EMR_SETWINDOWEXTEX:
        dc.SetWindowExt(Size32(r, offsetof(U_EMRSETWINDOWEXTEX, szlExtent)));
        return true;
    case U_EMR_SETWINDOWORGEX:
        dc.SetWindowOrg(Point32(r, offsetof(U_EMRSETWINDOWORGEX, ptlOrigin)));
        return true;
    case U_EMR_SETVIEWPORTEXTEX:
        dc.SetViewportExt(Size32(r, offsetof(U_EMRSETVIEWPORTEXTEX, szlExtent)));
        return true;
    case U_EMR_SETVIEWPORTORGEX:
        dc.SetViewportOrg(Point32(r, offsetof(U_EMRSETVIEWPORTORGEX, ptlOrigin)));
        return true;
    case U_EMR_SCALEVIEWPORTEXTEX:
    case U_EMR_SCALEWINDOWEXTEX: {
        const double xNum = scale(offsetof(SScale, xNum)), xDenom = scale(offsetof(SScale, xDenom));
        const double yNum = scale(offsetof(SScale, yNum)), yDenom = scale(offsetof(SScale, yDenom));
        if (nType == U_EMR_SCALEVIEWPORTEXTEX)
            dc.ScaleViewportExt(xNum, xDenom, yNum, yDenom);
        else
            dc.ScaleWindowExt(xNum, xDenom, yNum, yDenom);
        return true;
    }
    case U_EMR_SETWORLDTRANSFORM:
    case U_EMR_MODIFYWORLDTRANSFORM: {
        constexpr std::size_t kX = offsetof(U_EMRMODIFYWORLDTRANSFORM, xform);
        const QTransform t(r.F32(kX), r.F32(kX + 4), r.F32(kX + 8), r.F32(kX + 12), r.F32(kX + 16),
                           r.F32(kX + 20));
        if (nType == U_EMR_SETWORLDTRANSFORM)
            dc.SetWorldTransform(t);
        else
            dc.ModifyWorldTransform(t, int(r.U32(offsetof(U_EMRMODIFYWORLDTRANSFORM, iMode))));
        return true;
    }
    case U_EMR_SETMAPMODE:
        dc.SetMapMode(int(r.U32(offsetof(U_EMRSETMAPMODE, iMode))));
        return true;
    }
    return false;
}

bool PlayAttribute(CMetafileDC& dc, quint32 nType, const CMetafileRecordReader& r)
{
    // Every attribute record holds one 32-bit value after its type and size.
    const quint32 nValue = r.U32(offsetof(U_EMRSETBKMODE, iMode));
    switch (nType) {
    case U_EMR_SETBKMODE:
        dc.SetBkMode(int(nValue));
        return true;
    case U_EMR_SETPOLYFILLMODE:
        dc.SetPolyFillMode(int(nValue));
        return true;
    case U_EMR_SETSTRETCHBLTMODE:
        dc.SetSmoothBlits(nValue == U_HALFTONE);
        return true;
    case U_EMR_SETTEXTALIGN:
        dc.SetTextAlign(nValue);
        return true;
    case U_EMR_SETTEXTCOLOR:
        dc.SetTextColor(CMetafileDC::ColorRef(nValue));
        return true;
    case U_EMR_SETBKCOLOR:
        dc.SetBkColor(CMetafileDC::ColorRef(nValue));
        return true;
    case U_EMR_SETARCDIRECTION:
        dc.SetArcClockwise(nValue == U_AD_CLOCKWISE);
        return true;
    case U_EMR_SAVEDC:
        dc.SaveDC();
        return true;
    case U_EMR_RESTOREDC:
        dc.RestoreDC(r.I32(offsetof(U_EMRRESTOREDC, iRelative)));
        return true;
    }
    return false;
}

// --- Clipping and paths ----------------------------------------------------

void ExtSelectClipRgn(CMetafileDC& dc, const CMetafileRecordReader& r)
{
    constexpr std::size_t kData = offsetof(U_EMREXTSELECTCLIPRGN, RgnData);
    constexpr std::size_t kRects = kData + sizeof(U_RGNDATAHEADER);
    const std::size_t nData = r.U32(offsetof(U_EMREXTSELECTCLIPRGN, cbRgnData));
    const int nMode = int(r.U32(offsetof(U_EMREXTSELECTCLIPRGN, iMode)));
    QPainterPath path;
    if (nData >= sizeof(U_RGNDATAHEADER) && r.Has(kData, nData)) {
        // Region data: a header, then its rectangles in device units.
        const std::size_t nCount = r.U32(kData + offsetof(U_RGNDATAHEADER, nCount));
        const std::size_t nRects =
            std::min<std::size_t>(nCount, (nData - sizeof(U_RGNDATAHEADER)) / sizeof(U_RECTL));
        for (std::size_t i = 0; i < nRects; ++i)
            path.addRect(Rect32(r, kRects + sizeof(U_RECTL) * i).normalized());
    }
    dc.CombineDeviceClip(path, nMode);
}

bool PlayClipAndPath(CMetafileDC& dc, quint32 nType, const CMetafileRecordReader& r)
{
    switch (nType) {
    case U_EMR_OFFSETCLIPRGN:
        dc.OffsetClip(Point32(r, offsetof(U_EMROFFSETCLIPRGN, ptlOffset)));
        return true;
    case U_EMR_EXCLUDECLIPRECT:
        dc.ExcludeClipRect(Rect32(r, offsetof(U_EMREXCLUDECLIPRECT, rclClip)));
        return true;
    case U_EMR_INTERSECTCLIPRECT:
        dc.IntersectClipRect(Rect32(r, offsetof(U_EMRINTERSECTCLIPRECT, rclClip)));
        return true;
    case U_EMR_EXTSELECTCLIPRGN:
        ExtSelectClipRgn(dc, r);
        return true;
    case U_EMR_SELECTCLIPPATH:
        dc.SelectClipPath(int(r.U32(offsetof(U_EMRSELECTCLIPPATH, iMode))));
        return true;
    case U_EMR_BEGINPATH:
        dc.BeginPath();
        return true;
    case U_EMR_ENDPATH:
        dc.EndPath();
        return true;
    case U_EMR_CLOSEFIGURE:
        dc.CloseFigure();
        return true;
    case U_EMR_FILLPATH:
        dc.FillPath();
        return true;
    case U_EMR_STROKEANDFILLPATH:
        dc.StrokeAndFillPath();
        return true;
    case U_EMR_STROKEPATH:
        dc.StrokePath();
        return true;
    case U_EMR_ABORTPATH:
        dc.AbortPath();
        return true;
    }
    return false;
}

// --- Objects ---------------------------------------------------------------

QImage ReadDib(const CMetafileRecordReader& r, std::size_t nOffBmi, std::size_t nBmiLength,
               std::size_t nOffBits, std::size_t nBitsLength, quint32 nUsage, bool* pBottomUp)
{
    if (nBmiLength == 0 || !r.Has(nOffBmi, nBmiLength) || !r.Has(nOffBits, nBitsLength))
        return {};
    return CMetafileDib::Decode(r.Sub(nOffBmi, nBmiLength), r.Sub(nOffBits, nBitsLength),
                                nUsage == U_DIB_PAL_COLORS, pBottomUp);
}

SMetaFont ReadFont(const CMetafileRecordReader& r)
{
    constexpr std::size_t kFont = offsetof(U_EMREXTCREATEFONTINDIRECTW, elfw);
    SMetaFont font;
    font.dHeight = r.I32(kFont + offsetof(U_LOGFONT, lfHeight));
    font.nEscapement = r.I32(kFont + offsetof(U_LOGFONT, lfEscapement));
    font.nWeight = r.I32(kFont + offsetof(U_LOGFONT, lfWeight));
    font.bItalic = r.U8(kFont + offsetof(U_LOGFONT, lfItalic));
    font.bUnderline = r.U8(kFont + offsetof(U_LOGFONT, lfUnderline));
    font.bStrikeOut = r.U8(kFont + offsetof(U_LOGFONT, lfStrikeOut));
    font.nPitchAndFamily = r.U8(kFont + offsetof(U_LOGFONT, lfPitchAndFamily));
    for (std::size_t i = 0; i < U_LF_FACESIZE; ++i) {
        const char16_t c = r.U16(kFont + offsetof(U_LOGFONT, lfFaceName) + 2 * i);
        if (c == 0)
            break;
        font.strFace.append(QChar(c));
    }
    font.bSymbol =
        SymbolCharset::IsSymbolFont(r.U8(kFont + offsetof(U_LOGFONT, lfCharSet)), font.strFace);
    return font;
}

SMetaPen ReadExtPen(const CMetafileRecordReader& r)
{
    constexpr std::size_t kPen = offsetof(U_EMREXTCREATEPEN, elp);
    const quint32 nStyle = r.U32(kPen + offsetof(U_EXTLOGPEN, elpPenStyle));
    SMetaPen pen =
        CMetafileDC::MakePen(nStyle, r.U32(kPen + offsetof(U_EXTLOGPEN, elpWidth)),
                             CMetafileDC::ColorRef(r.U32(kPen + offsetof(U_EXTLOGPEN, elpColor))));
    if ((nStyle & U_PS_TYPE_MASK) == U_PS_COSMETIC)
        pen.dWidth = 0;
    if (r.U32(kPen + offsetof(U_EXTLOGPEN, elpBrushStyle)) == U_BS_NULL)
        pen.bNull = true;
    const quint32 nEntries = r.U32(kPen + offsetof(U_EXTLOGPEN, elpNumEntries));
    constexpr std::size_t kEntries = kPen + offsetof(U_EXTLOGPEN, elpStyleEntry);
    if ((nStyle & U_PS_STYLE_MASK) == U_PS_USERSTYLE && nEntries >= 2 && nEntries <= 16 &&
        r.Has(kEntries, nEntries * 4)) {
        for (quint32 i = 0; i < nEntries; ++i)
            pen.dashes.append(r.U32(kEntries + 4 * i));
    }
    return pen;
}

SMetaBrush ReadDibBrush(const CMetafileRecordReader& r)
{
    // A mono brush has the pattern brush's layout.
    using S = U_EMRCREATEDIBPATTERNBRUSHPT;
    SMetaBrush brush;
    brush.kind = SMetaBrush::Pattern;
    brush.pattern = ReadDib(r, r.U32(offsetof(S, offBmi)), r.U32(offsetof(S, cbBmi)),
                            r.U32(offsetof(S, offBits)), r.U32(offsetof(S, cbBits)),
                            r.U32(offsetof(S, iUsage)), nullptr);
    if (brush.pattern.isNull())
        brush = CMetafileDC::MakeBrush(U_BS_SOLID, Qt::black, 0);
    return brush;
}

bool PlayObject(CMetafileDC& dc, quint32 nType, const CMetafileRecordReader& r)
{
    // Every object record names its slot first.
    const quint32 nIndex = r.U32(offsetof(U_EMRSELECTOBJECT, ihObject));
    switch (nType) {
    case U_EMR_SELECTOBJECT:
        if (nIndex & U_STOCK_OBJECT)
            dc.SelectStockObject(nIndex & ~U_STOCK_OBJECT);
        else
            dc.SelectObject(nIndex);
        return true;
    case U_EMR_DELETEOBJECT:
        dc.DeleteObject(nIndex);
        return true;
    case U_EMR_CREATEPEN: {
        constexpr std::size_t kPen = offsetof(U_EMRCREATEPEN, lopn);
        dc.CreateObject(nIndex, CMetafileDC::MakePen(r.U32(kPen + offsetof(U_LOGPEN, lopnStyle)),
                                                     r.I32(kPen + offsetof(U_LOGPEN, lopnWidth)),
                                                     CMetafileDC::ColorRef(r.U32(
                                                         kPen + offsetof(U_LOGPEN, lopnColor)))));
        return true;
    }
    case U_EMR_EXTCREATEPEN:
        dc.CreateObject(nIndex, ReadExtPen(r));
        return true;
    case U_EMR_CREATEBRUSHINDIRECT: {
        constexpr std::size_t kBrush = offsetof(U_EMRCREATEBRUSHINDIRECT, lb);
        dc.CreateObject(nIndex,
                        CMetafileDC::MakeBrush(
                            r.U32(kBrush + offsetof(U_LOGBRUSH, lbStyle)),
                            CMetafileDC::ColorRef(r.U32(kBrush + offsetof(U_LOGBRUSH, lbColor))),
                            r.U32(kBrush + offsetof(U_LOGBRUSH, lbHatch))));
        return true;
    }
    case U_EMR_CREATEDIBPATTERNBRUSHPT:
    case U_EMR_CREATEMONOBRUSH:
        dc.CreateObject(nIndex, ReadDibBrush(r));
        return true;
    case U_EMR_EXTCREATEFONTINDIRECTW:
        dc.CreateObject(nIndex, ReadFont(r));
        return true;
    case U_EMR_CREATEPALETTE:
    case U_EMR_CREATECOLORSPACE:
    case U_EMR_CREATECOLORSPACEW:
        dc.CreateObject(nIndex, SMetaOther{});
        return true;
    }
    return false;
}

// --- Shapes ----------------------------------------------------------------

void AngleArc(CMetafileDC& dc, const CMetafileRecordReader& r)
{
    const QPointF c = Point32(r, offsetof(U_EMRANGLEARC, ptlCenter));
    const double dRadius = r.U32(offsetof(U_EMRANGLEARC, nRadius));
    const double a0 = qDegreesToRadians(double(r.F32(offsetof(U_EMRANGLEARC, eStartAngle))));
    const double a1 = a0 + qDegreesToRadians(double(r.F32(offsetof(U_EMRANGLEARC, eSweepAngle))));
    if (!std::isfinite(a0) || !std::isfinite(a1))
        return;
    const QRectF rc(c - QPointF(dRadius, dRadius), c + QPointF(dRadius, dRadius));
    const QPointF ptStart = c + dRadius * QPointF(std::cos(a0), -std::sin(a0));
    dc.LineTo(ptStart);
    dc.ArcShape(CMetafileDC::ArcTo, rc, ptStart,
                c + dRadius * QPointF(std::cos(a1), -std::sin(a1)));
}

bool PlayShape(CMetafileDC& dc, quint32 nType, const CMetafileRecordReader& r)
{
    constexpr std::size_t kBox = offsetof(U_EMRARC, rclBox);
    switch (nType) {
    case U_EMR_MOVETOEX:
        dc.MoveTo(Point32(r, offsetof(U_EMRMOVETOEX, ptl)));
        return true;
    case U_EMR_LINETO:
        dc.LineTo(Point32(r, offsetof(U_EMRLINETO, ptl)));
        return true;
    case U_EMR_RECTANGLE:
        dc.Rectangle(Rect32(r, kBox));
        return true;
    case U_EMR_ELLIPSE:
        dc.Ellipse(Rect32(r, kBox));
        return true;
    case U_EMR_ROUNDRECT:
        dc.RoundRect(Rect32(r, kBox), Size32(r, offsetof(U_EMRROUNDRECT, szlCorner)));
        return true;
    case U_EMR_ARC:
    case U_EMR_CHORD:
    case U_EMR_PIE:
    case U_EMR_ARCTO: {
        const auto kind = nType == U_EMR_ARC     ? CMetafileDC::Arc
                          : nType == U_EMR_CHORD ? CMetafileDC::Chord
                          : nType == U_EMR_PIE   ? CMetafileDC::Pie
                                                 : CMetafileDC::ArcTo;
        dc.ArcShape(kind, Rect32(r, kBox), Point32(r, offsetof(U_EMRARC, ptlStart)),
                    Point32(r, offsetof(U_EMRARC, ptlEnd)));
        return true;
    }
    case U_EMR_ANGLEARC:
        AngleArc(dc, r);
        return true;
    case U_EMR_SETPIXELV:
        dc.SetPixel(Point32(r, offsetof(U_EMRSETPIXELV, ptlPixel)),
                    CMetafileDC::ColorRef(r.U32(offsetof(U_EMRSETPIXELV, crColor))));
        return true;
    }
    return false;
}

// --- Text and bitmaps ------------------------------------------------------

void Text(CMetafileDC& dc, const CMetafileRecordReader& r, bool bWide, std::vector<double>& dx)
{
    // The rectangle and the spacing offset follow the text structure.
    constexpr std::size_t kText = offsetof(U_EMREXTTEXTOUTW, emrtext);
    constexpr std::size_t kRect = kText + sizeof(U_EMRTEXT);
    constexpr std::size_t kOffDx = kRect + sizeof(U_RECTL);
    const std::size_t nChars = r.U32(kText + offsetof(U_EMRTEXT, nChars));
    const std::size_t nOffString = r.U32(kText + offsetof(U_EMRTEXT, offString));
    const quint32 nOptions = r.U32(kText + offsetof(U_EMRTEXT, fOptions));
    const std::size_t nCharSize = bWide ? 2 : 1;
    if (nChars > r.Size() || !r.Has(nOffString, nChars * nCharSize))
        return;
    QString str;
    if (bWide) {
        str.resize(qsizetype(nChars));
        for (std::size_t i = 0; i < nChars; ++i)
            str[qsizetype(i)] = QChar(char16_t(r.U16(nOffString + 2 * i)));
    } else {
        str = QString::fromLatin1(r.Data() + nOffString, qsizetype(nChars));
    }
    dx.clear();
    const std::size_t nOffDx = r.U32(kOffDx);
    if (nOffDx != 0 && r.Has(nOffDx, nChars * 4)) {
        for (std::size_t i = 0; i < nChars; ++i)
            dx.push_back(r.I32(nOffDx + 4 * i));
    }
    const QRectF rc = Rect32(r, kRect);
    dc.Text(Point32(r, kText + offsetof(U_EMRTEXT, ptlReference)), str, nOptions,
            (nOptions & U_ETO_NO_RECT) ? nullptr : &rc, dx);
}

// nOffBmi: where the bitmap's offset and size and then its bits' offset and size lie.
void Blit(CMetafileDC& dc, const CMetafileRecordReader& r, const QRectF& rcDest, QRectF rcSrc,
          quint32 nRop, std::size_t nOffBmi, std::size_t nUsage)
{
    bool bBottomUp = false;
    const QImage img = ReadDib(r, r.U32(nOffBmi), r.U32(nOffBmi + 4), r.U32(nOffBmi + 8),
                               r.U32(nOffBmi + 12), r.U32(nUsage), &bBottomUp);
    if (img.isNull()) {
        dc.PatBlt(rcDest, nRop);
        return;
    }
    if (bBottomUp)
        rcSrc.moveTop(img.height() - rcSrc.top() - rcSrc.height());
    dc.Blit(rcDest, img, rcSrc, nRop);
}

bool PlayBitmap(CMetafileDC& dc, quint32 nType, const CMetafileRecordReader& r)
{
    using SBit = U_EMRSTRETCHBLT;    // BITBLT's fields, then the source's size
    using SDib = U_EMRSTRETCHDIBITS; // SETDIBITSTODEVICE's fields, then the destination's size
    switch (nType) {
    case U_EMR_BITBLT:
    case U_EMR_STRETCHBLT: {
        const QPointF ptDest = Point32(r, offsetof(SBit, Dest));
        const QSizeF szDest = Size32(r, offsetof(SBit, cDest));
        const QSizeF szSrc = nType == U_EMR_BITBLT ? szDest : Size32(r, offsetof(SBit, cSrc));
        Blit(dc, r, QRectF(ptDest, szDest), QRectF(Point32(r, offsetof(SBit, Src)), szSrc),
             r.U32(offsetof(SBit, dwRop)), offsetof(SBit, offBmiSrc), offsetof(SBit, iUsageSrc));
        return true;
    }
    case U_EMR_STRETCHDIBITS:
    case U_EMR_SETDIBITSTODEVICE: {
        const QPointF ptDest = Point32(r, offsetof(SDib, Dest));
        const QSizeF szSrc = Size32(r, offsetof(SDib, cSrc));
        const bool bStretch = nType == U_EMR_STRETCHDIBITS;
        Blit(dc, r, QRectF(ptDest, bStretch ? Size32(r, offsetof(SDib, cDest)) : szSrc),
             QRectF(Point32(r, offsetof(SDib, Src)), szSrc),
             bStretch ? r.U32(offsetof(SDib, dwRop)) : U_SRCCOPY, offsetof(SDib, offBmiSrc),
             offsetof(SDib, iUsageSrc));
        return true;
    }
    }
    return false;
}

} // namespace

void CEmfPlayer::PlayRecord(CMetafileDC& dc, quint32 nType, const CMetafileRecordReader& r,
                            SScratch& scratch)
{
    if (nType == U_EMR_EXTTEXTOUTA || nType == U_EMR_EXTTEXTOUTW) {
        Text(dc, r, nType == U_EMR_EXTTEXTOUTW, scratch.dx);
        return;
    }
    // Records that do not draw, or that this player does not know, fall through.
    PlayPoly(dc, nType, r) || PlayPolyPoly(dc, nType, r, scratch.counts) ||
        PlayMapping(dc, nType, r) || PlayAttribute(dc, nType, r) || PlayClipAndPath(dc, nType, r) ||
        PlayObject(dc, nType, r) || PlayShape(dc, nType, r) || PlayBitmap(dc, nType, r);
}
