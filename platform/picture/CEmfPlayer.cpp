#include "platform/picture/CEmfPlayer.h"

#include "platform/picture/CMetafileDC.h"
#include "platform/picture/CMetafileDib.h"

#include <uemf.h>

#include <cmath>

namespace {

constexpr quint32 kSignature = 0x464D4520; // " EMF"
constexpr std::size_t kMinHeader = 88;
constexpr double kMaxHimetric = 1e6;

QPointF Point32(const CMetafileRecordReader& r, std::size_t n)
{
    return QPointF(r.I32(n), r.I32(n + 4));
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
    const std::size_t nSize = b16 ? 4 : 8;
    if (nCount > r.Size() / nSize || !r.Has(n, std::size_t(nCount) * nSize))
        return false;
    QPolygonF& pts = dc.Points(int(nCount));
    for (std::size_t i = 0; i < nCount; ++i) {
        pts[int(i)] = b16 ? QPointF(r.I16(n + 4 * i), r.I16(n + 4 * i + 2))
                          : QPointF(r.I32(n + 8 * i), r.I32(n + 8 * i + 4));
    }
    return true;
}

QImage ReadDib(const CMetafileRecordReader& r, std::size_t nOffBmi, std::size_t nBmiLength,
               std::size_t nOffBits, std::size_t nBitsLength, quint32 nUsage, bool* pBottomUp)
{
    if (nBmiLength == 0 || !r.Has(nOffBmi, nBmiLength) || !r.Has(nOffBits, nBitsLength))
        return {};
    return CMetafileDib::Decode(r.Sub(nOffBmi, nBmiLength), r.Sub(nOffBits, nBitsLength),
                                nUsage == U_DIB_PAL_COLORS, pBottomUp);
}

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

SMetaFont ReadFont(const CMetafileRecordReader& r)
{
    SMetaFont font;
    font.dHeight = r.I32(12);
    font.nEscapement = r.I32(20);
    font.nWeight = r.I32(28);
    font.bItalic = r.U8(32);
    font.bUnderline = r.U8(33);
    font.bStrikeOut = r.U8(34);
    font.nPitchAndFamily = r.U8(39);
    for (std::size_t i = 0; i < 32; ++i) {
        const char16_t c = r.U16(40 + 2 * i);
        if (c == 0)
            break;
        font.strFace.append(QChar(c));
    }
    return font;
}

void Text(CMetafileDC& dc, const CMetafileRecordReader& r, bool bWide, std::vector<double>& dx)
{
    const std::size_t nChars = r.U32(44);
    const std::size_t nOffString = r.U32(48);
    const quint32 nOptions = r.U32(52);
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
    const std::size_t nOffDx = r.U32(72);
    if (nOffDx != 0 && r.Has(nOffDx, nChars * 4)) {
        for (std::size_t i = 0; i < nChars; ++i)
            dx.push_back(r.I32(nOffDx + 4 * i));
    }
    const QRectF rc = Rect32(r, 56);
    dc.Text(Point32(r, 36), str, nOptions, (nOptions & U_ETO_NO_RECT) ? nullptr : &rc, dx);
}

void ExtSelectClipRgn(CMetafileDC& dc, const CMetafileRecordReader& r)
{
    const std::size_t nData = r.U32(8);
    const int nMode = int(r.U32(12));
    QPainterPath path;
    if (nData >= 32 && r.Has(16, nData)) {
        // Region data: a header, then its rectangles in device units.
        const std::size_t nCount = r.U32(24);
        const std::size_t nRects = std::min<std::size_t>(nCount, (nData - 32) / 16);
        for (std::size_t i = 0; i < nRects; ++i)
            path.addRect(Rect32(r, 48 + 16 * i).normalized());
    }
    dc.CombineDeviceClip(path, nMode);
}

void PolyDraw(CMetafileDC& dc, const CMetafileRecordReader& r, bool b16)
{
    const quint64 nCount = r.U32(24);
    const std::size_t nTypes = 28 + std::size_t(nCount) * (b16 ? 4 : 8);
    if (!ReadPoints(dc, r, 28, nCount, b16) || !r.Has(nTypes, std::size_t(nCount)))
        return;
    const QPolygonF pts = dc.Points(int(nCount));
    for (std::size_t i = 0; i < nCount; ++i) {
        const quint8 nType = r.U8(nTypes + i);
        const QPointF& pt = pts[int(i)];
        if ((nType & 6) == 6) { // PT_MOVETO
            dc.MoveTo(pt);
        } else if ((nType & 6) == 4 && i + 2 < nCount) { // PT_BEZIERTO
            QPolygonF& bez = dc.Points(3);
            bez[0] = pts[int(i)];
            bez[1] = pts[int(i + 1)];
            bez[2] = pts[int(i + 2)];
            dc.PolyBezier(true);
            i += 2;
        } else {
            dc.LineTo(pt);
        }
        if (nType & 1) // PT_CLOSEFIGURE
            dc.CloseFigure();
    }
}

void PlayRecord(CMetafileDC& dc, quint32 nType, const CMetafileRecordReader& r,
                std::vector<int>& counts, std::vector<double>& dx)
{
    switch (nType) {
    case U_EMR_POLYBEZIER:
    case U_EMR_POLYGON:
    case U_EMR_POLYLINE:
    case U_EMR_POLYBEZIERTO:
    case U_EMR_POLYLINETO:
    case U_EMR_POLYBEZIER16:
    case U_EMR_POLYGON16:
    case U_EMR_POLYLINE16:
    case U_EMR_POLYBEZIERTO16:
    case U_EMR_POLYLINETO16: {
        const bool b16 = nType >= U_EMR_POLYBEZIER16;
        if (!ReadPoints(dc, r, 28, r.U32(24), b16))
            break;
        switch (b16 ? nType - U_EMR_POLYBEZIER16 + U_EMR_POLYBEZIER : nType) {
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
        break;
    }
    case U_EMR_POLYPOLYLINE:
    case U_EMR_POLYPOLYGON:
    case U_EMR_POLYPOLYLINE16:
    case U_EMR_POLYPOLYGON16: {
        const std::size_t nPolys = r.U32(24);
        if (nPolys > r.Size() / 4 || !r.Has(32, nPolys * 4))
            break;
        counts.clear();
        quint64 nTotal = 0;
        for (std::size_t i = 0; i < nPolys; ++i) {
            counts.push_back(int(std::min<quint32>(r.U32(32 + 4 * i), quint32(r.Size()))));
            nTotal += quint64(counts.back());
        }
        const bool b16 = nType == U_EMR_POLYPOLYLINE16 || nType == U_EMR_POLYPOLYGON16;
        if (!ReadPoints(dc, r, 32 + nPolys * 4, nTotal, b16))
            break;
        if (nType == U_EMR_POLYPOLYGON || nType == U_EMR_POLYPOLYGON16)
            dc.PolyPolygon(counts);
        else
            dc.PolyPolyline(counts);
        break;
    }
    case U_EMR_POLYDRAW:
    case U_EMR_POLYDRAW16:
        PolyDraw(dc, r, nType == U_EMR_POLYDRAW16);
        break;
    case U_EMR_SETWINDOWEXTEX:
        dc.SetWindowExt(QSizeF(r.I32(8), r.I32(12)));
        break;
    case U_EMR_SETWINDOWORGEX:
        dc.SetWindowOrg(Point32(r, 8));
        break;
    case U_EMR_SETVIEWPORTEXTEX:
        dc.SetViewportExt(QSizeF(r.I32(8), r.I32(12)));
        break;
    case U_EMR_SETVIEWPORTORGEX:
        dc.SetViewportOrg(Point32(r, 8));
        break;
    case U_EMR_SCALEVIEWPORTEXTEX:
        dc.ScaleViewportExt(r.I32(8), r.I32(12), r.I32(16), r.I32(20));
        break;
    case U_EMR_SCALEWINDOWEXTEX:
        dc.ScaleWindowExt(r.I32(8), r.I32(12), r.I32(16), r.I32(20));
        break;
    case U_EMR_SETWORLDTRANSFORM:
    case U_EMR_MODIFYWORLDTRANSFORM: {
        const QTransform t(r.F32(8), r.F32(12), r.F32(16), r.F32(20), r.F32(24), r.F32(28));
        if (nType == U_EMR_SETWORLDTRANSFORM)
            dc.SetWorldTransform(t);
        else
            dc.ModifyWorldTransform(t, int(r.U32(32)));
        break;
    }
    case U_EMR_SETPIXELV:
        dc.SetPixel(Point32(r, 8), CMetafileDC::ColorRef(r.U32(16)));
        break;
    case U_EMR_SETMAPMODE:
        dc.SetMapMode(int(r.U32(8)));
        break;
    case U_EMR_SETBKMODE:
        dc.SetBkMode(int(r.U32(8)));
        break;
    case U_EMR_SETPOLYFILLMODE:
        dc.SetPolyFillMode(int(r.U32(8)));
        break;
    case U_EMR_SETSTRETCHBLTMODE:
        dc.SetSmoothBlits(r.U32(8) == 4); // HALFTONE
        break;
    case U_EMR_SETTEXTALIGN:
        dc.SetTextAlign(r.U32(8));
        break;
    case U_EMR_SETTEXTCOLOR:
        dc.SetTextColor(CMetafileDC::ColorRef(r.U32(8)));
        break;
    case U_EMR_SETBKCOLOR:
        dc.SetBkColor(CMetafileDC::ColorRef(r.U32(8)));
        break;
    case U_EMR_SETARCDIRECTION:
        dc.SetArcClockwise(r.U32(8) == 2);
        break;
    case U_EMR_OFFSETCLIPRGN:
        dc.OffsetClip(Point32(r, 8));
        break;
    case U_EMR_EXCLUDECLIPRECT:
        dc.ExcludeClipRect(Rect32(r, 8));
        break;
    case U_EMR_INTERSECTCLIPRECT:
        dc.IntersectClipRect(Rect32(r, 8));
        break;
    case U_EMR_EXTSELECTCLIPRGN:
        ExtSelectClipRgn(dc, r);
        break;
    case U_EMR_SAVEDC:
        dc.SaveDC();
        break;
    case U_EMR_RESTOREDC:
        dc.RestoreDC(r.I32(8));
        break;
    case U_EMR_SELECTOBJECT: {
        const quint32 nObject = r.U32(8);
        if (nObject & U_STOCK_OBJECT)
            dc.SelectStockObject(nObject & ~U_STOCK_OBJECT);
        else
            dc.SelectObject(nObject);
        break;
    }
    case U_EMR_DELETEOBJECT:
        dc.DeleteObject(r.U32(8));
        break;
    case U_EMR_CREATEPEN:
        dc.CreateObject(
            r.U32(8), CMetafileDC::MakePen(r.U32(12), r.I32(16), CMetafileDC::ColorRef(r.U32(24))));
        break;
    case U_EMR_EXTCREATEPEN: {
        SMetaPen pen = CMetafileDC::MakePen(r.U32(28), r.U32(32), CMetafileDC::ColorRef(r.U32(40)));
        if ((r.U32(28) & U_PS_TYPE_MASK) == U_PS_COSMETIC)
            pen.dWidth = 0;
        if (r.U32(36) == 1) // BS_NULL
            pen.bNull = true;
        const quint32 nEntries = r.U32(48);
        if ((r.U32(28) & U_PS_STYLE_MASK) == U_PS_USERSTYLE && nEntries >= 2 && nEntries <= 16 &&
            r.Has(52, nEntries * 4)) {
            for (quint32 i = 0; i < nEntries; ++i)
                pen.dashes.append(r.U32(52 + 4 * i));
        }
        dc.CreateObject(r.U32(8), pen);
        break;
    }
    case U_EMR_CREATEBRUSHINDIRECT:
        dc.CreateObject(r.U32(8), CMetafileDC::MakeBrush(
                                      r.U32(12), CMetafileDC::ColorRef(r.U32(16)), r.U32(20)));
        break;
    case U_EMR_CREATEDIBPATTERNBRUSHPT:
    case U_EMR_CREATEMONOBRUSH: {
        SMetaBrush brush;
        brush.kind = SMetaBrush::Pattern;
        brush.pattern = ReadDib(r, r.U32(16), r.U32(20), r.U32(24), r.U32(28), r.U32(12), nullptr);
        if (brush.pattern.isNull())
            brush = CMetafileDC::MakeBrush(0, Qt::black, 0);
        dc.CreateObject(r.U32(8), brush);
        break;
    }
    case U_EMR_EXTCREATEFONTINDIRECTW:
        dc.CreateObject(r.U32(8), ReadFont(r));
        break;
    case U_EMR_CREATEPALETTE:
    case U_EMR_CREATECOLORSPACE:
    case U_EMR_CREATECOLORSPACEW:
        dc.CreateObject(r.U32(8), SMetaOther{});
        break;
    case U_EMR_MOVETOEX:
        dc.MoveTo(Point32(r, 8));
        break;
    case U_EMR_LINETO:
        dc.LineTo(Point32(r, 8));
        break;
    case U_EMR_RECTANGLE:
        dc.Rectangle(Rect32(r, 8));
        break;
    case U_EMR_ELLIPSE:
        dc.Ellipse(Rect32(r, 8));
        break;
    case U_EMR_ROUNDRECT:
        dc.RoundRect(Rect32(r, 8), QSizeF(r.I32(24), r.I32(28)));
        break;
    case U_EMR_ARC:
    case U_EMR_CHORD:
    case U_EMR_PIE:
    case U_EMR_ARCTO: {
        const auto kind = nType == U_EMR_ARC     ? CMetafileDC::Arc
                          : nType == U_EMR_CHORD ? CMetafileDC::Chord
                          : nType == U_EMR_PIE   ? CMetafileDC::Pie
                                                 : CMetafileDC::ArcTo;
        dc.ArcShape(kind, Rect32(r, 8), Point32(r, 24), Point32(r, 32));
        break;
    }
    case U_EMR_ANGLEARC: {
        const QPointF c = Point32(r, 8);
        const double dRadius = r.U32(16);
        const double a0 = qDegreesToRadians(double(r.F32(20)));
        const double a1 = a0 + qDegreesToRadians(double(r.F32(24)));
        if (!std::isfinite(a0) || !std::isfinite(a1))
            break;
        const QRectF rc(c - QPointF(dRadius, dRadius), c + QPointF(dRadius, dRadius));
        const QPointF ptStart = c + dRadius * QPointF(std::cos(a0), -std::sin(a0));
        dc.LineTo(ptStart);
        dc.ArcShape(CMetafileDC::ArcTo, rc, ptStart,
                    c + dRadius * QPointF(std::cos(a1), -std::sin(a1)));
        break;
    }
    case U_EMR_BEGINPATH:
        dc.BeginPath();
        break;
    case U_EMR_ENDPATH:
        dc.EndPath();
        break;
    case U_EMR_CLOSEFIGURE:
        dc.CloseFigure();
        break;
    case U_EMR_FILLPATH:
        dc.FillPath();
        break;
    case U_EMR_STROKEANDFILLPATH:
        dc.StrokeAndFillPath();
        break;
    case U_EMR_STROKEPATH:
        dc.StrokePath();
        break;
    case U_EMR_ABORTPATH:
        dc.AbortPath();
        break;
    case U_EMR_SELECTCLIPPATH:
        dc.SelectClipPath(int(r.U32(8)));
        break;
    case U_EMR_EXTTEXTOUTA:
    case U_EMR_EXTTEXTOUTW:
        Text(dc, r, nType == U_EMR_EXTTEXTOUTW, dx);
        break;
    case U_EMR_BITBLT:
        Blit(dc, r, QRectF(Point32(r, 24), QSizeF(r.I32(32), r.I32(36))),
             QRectF(Point32(r, 44), QSizeF(r.I32(32), r.I32(36))), r.U32(40), 84, 80);
        break;
    case U_EMR_STRETCHBLT:
        Blit(dc, r, QRectF(Point32(r, 24), QSizeF(r.I32(32), r.I32(36))),
             QRectF(Point32(r, 44), QSizeF(r.I32(100), r.I32(104))), r.U32(40), 84, 80);
        break;
    case U_EMR_STRETCHDIBITS:
        Blit(dc, r, QRectF(Point32(r, 24), QSizeF(r.I32(72), r.I32(76))),
             QRectF(Point32(r, 32), QSizeF(r.I32(40), r.I32(44))), r.U32(68), 48, 64);
        break;
    case U_EMR_SETDIBITSTODEVICE:
        Blit(dc, r, QRectF(Point32(r, 24), QSizeF(r.I32(40), r.I32(44))),
             QRectF(Point32(r, 32), QSizeF(r.I32(40), r.I32(44))), U_SRCCOPY, 48, 64);
        break;
    default:
        break; // records that do not draw, or that this player does not know
    }
}

} // namespace

bool CEmfPlayer::IsEmf(const CMetafileRecordReader& file)
{
    return file.Has(0, kMinHeader) && file.U32(0) == U_EMR_HEADER && file.U32(40) == kSignature;
}

bool CEmfPlayer::ReadHeader(const CMetafileRecordReader& file, SHeader& header)
{
    if (!IsEmf(file))
        return false;
    const quint32 nHeaderSize = file.U32(4);
    if (nHeaderSize < kMinHeader || nHeaderSize % 4 != 0 || !file.Has(0, nHeaderSize))
        return false;
    SHeader h;
    const double dDeviceW = file.I32(72), dDeviceH = file.I32(76);
    const double dMmW = file.I32(80), dMmH = file.I32(84);
    double dPxPerMmX = h.dPixelsPerMm, dPxPerMmY = h.dPixelsPerMm;
    if (dDeviceW > 0 && dDeviceH > 0 && dMmW > 0 && dMmH > 0) {
        dPxPerMmX = dDeviceW / dMmW;
        dPxPerMmY = dDeviceH / dMmH;
    }
    h.dPixelsPerMm = dPxPerMmX;
    // The frame is in 0.01 mm; a writer that left it empty still gave the bounds in pixels.
    QRectF rcFrame = Rect32(file, 24);
    QSizeF szHimetric = rcFrame.size();
    if (szHimetric.width() <= 0 || szHimetric.height() <= 0) {
        const QRectF rcBounds = Rect32(file, 8);
        szHimetric =
            QSizeF(rcBounds.width() * 100 / dPxPerMmX, rcBounds.height() * 100 / dPxPerMmY);
        rcFrame = QRectF(rcBounds.left() * 100 / dPxPerMmX, rcBounds.top() * 100 / dPxPerMmY,
                         szHimetric.width(), szHimetric.height());
    }
    const double w = std::round(szHimetric.width()), ht = std::round(szHimetric.height());
    if (!(w >= 1 && ht >= 1 && w <= kMaxHimetric && ht <= kMaxHimetric))
        return false;
    h.szHimetric = QSize(int(w), int(ht));
    h.rcFrame = QRectF(rcFrame.left() * dPxPerMmX / 100, rcFrame.top() * dPxPerMmY / 100,
                       rcFrame.width() * dPxPerMmX / 100, rcFrame.height() * dPxPerMmY / 100);
    h.nObjects = int(std::min<quint32>(file.U16(56), 65536));
    h.nFirstRecord = nHeaderSize;
    header = h;
    return true;
}

void CEmfPlayer::Play(const CMetafileRecordReader& file, const SHeader& header, CMetafileDC& dc)
{
    dc.SetObjectTableSize(header.nObjects);
    dc.SetMetricScale(header.dPixelsPerMm);
    std::vector<int> counts;
    std::vector<double> dx;
    std::size_t nOffset = header.nFirstRecord;
    // Each record's size must be a whole number of 32-bit words that fits in
    // what is left of the file; playback ends at the first one that is not.
    while (file.Has(nOffset, 8)) {
        const quint32 nType = file.U32(nOffset);
        const quint32 nSize = file.U32(nOffset + 4);
        if (nSize < 8 || nSize % 4 != 0 || !file.Has(nOffset, nSize) || nType == U_EMR_EOF ||
            dc.BudgetSpent())
            return;
        dc.AddWork(MetafileWork::kPerRecord);
        PlayRecord(dc, nType, file.Sub(nOffset, nSize), counts, dx);
        nOffset += nSize;
    }
}
