#include "platform/picture/CWmfPlayer.h"

#include "platform/picture/CMetafileDC.h"
#include "platform/picture/CMetafileDib.h"
#include "platform/picture/SymbolCharset.h"

#include <uwmf.h>

#include <cmath>

namespace {

constexpr quint32 kPlaceableKey = 0x9AC6CDD7;
constexpr std::size_t kPlaceableSize = 22;
constexpr std::size_t kHeaderSize = 18;
constexpr std::size_t kParams = 6; // record size and function come first
constexpr double kMaxHimetric = 1e6;

bool IsStandardHeader(const CMetafileRecordReader& file, std::size_t nOffset)
{
    const quint16 nType = file.U16(nOffset);
    const quint16 nVersion = file.U16(nOffset + 4);
    return file.Has(nOffset, kHeaderSize) && (nType == 1 || nType == 2) &&
           file.U16(nOffset + 2) == 9 && (nVersion == 0x0100 || nVersion == 0x0300);
}

// Walks the records from the first one, stopping at the end record or at a
// record whose size does not fit what is left of the file.
template <typename F>
void ForEachRecord(const CMetafileRecordReader& file, std::size_t nOffset, F f)
{
    while (file.Has(nOffset, kParams)) {
        const quint64 nBytes = quint64(file.U32(nOffset)) * 2;
        const quint16 nFunction = file.U16(nOffset + 4);
        if (nBytes < kParams || !file.Has(nOffset, nBytes) || nFunction == 0)
            return;
        if (!f(nFunction, file.Sub(nOffset, std::size_t(nBytes))))
            return;
        nOffset += std::size_t(nBytes);
    }
}

// WMF parameters come in reverse order; p(i) is the i-th 16-bit parameter.
struct SParams
{
    const CMetafileRecordReader& r;
    double operator()(int i) const { return r.I16(kParams + 2 * std::size_t(i)); }
    QPointF Point(int iY) const { return QPointF((*this)(iY + 1), (*this)(iY)); }
    QRectF Rect(int iBottom) const
    {
        const SParams& p = *this;
        return QRectF(QPointF(p(iBottom + 3), p(iBottom + 2)), QPointF(p(iBottom + 1), p(iBottom)));
    }
};

QString Latin1(const CMetafileRecordReader& r, std::size_t nOffset, std::size_t nLength)
{
    if (!r.Has(nOffset, nLength))
        nLength = nOffset < r.Size() ? r.Size() - nOffset : 0;
    return QString::fromLatin1(r.Data() + nOffset, qsizetype(nLength));
}

SMetaFont ReadFont(const CMetafileRecordReader& r)
{
    SMetaFont font;
    font.dHeight = r.I16(6);
    font.nEscapement = r.I16(10);
    font.nWeight = r.I16(14);
    font.bItalic = r.U8(16);
    font.bUnderline = r.U8(17);
    font.bStrikeOut = r.U8(18);
    font.nPitchAndFamily = r.U8(23);
    QString strFace = Latin1(r, 24, 32);
    font.strFace = strFace.left(strFace.indexOf(QChar(0)));
    font.bSymbol = SymbolCharset::IsSymbolFont(r.U8(19), font.strFace);
    return font;
}

void PlayBlit(CMetafileDC& dc, const CMetafileRecordReader& r, std::size_t nDib,
              const QRectF& rcDest, QRectF rcSrc, quint32 nRop, bool bPalIndices = false)
{
    bool bBottomUp = false;
    const QImage img = CMetafileDib::DecodePacked(r.Sub(nDib, r.Size() - std::min(nDib, r.Size())),
                                                  bPalIndices, &bBottomUp);
    if (img.isNull())
        return;
    if (bBottomUp)
        rcSrc.moveTop(img.height() - rcSrc.top() - rcSrc.height());
    dc.Blit(rcDest, img, rcSrc, nRop);
}

bool PlayAttribute(CMetafileDC& dc, quint16 nFunction, const CMetafileRecordReader& r)
{
    // The first parameter is the value, a colour takes two.
    const quint16 nValue = r.U16(kParams);
    switch (nFunction) {
    case U_WMR_SETBKCOLOR:
        dc.SetBkColor(CMetafileDC::ColorRef(r.U32(kParams)));
        return true;
    case U_WMR_SETBKMODE:
        dc.SetBkMode(nValue);
        return true;
    case U_WMR_SETPOLYFILLMODE:
        dc.SetPolyFillMode(nValue);
        return true;
    case U_WMR_SETSTRETCHBLTMODE:
        dc.SetSmoothBlits(nValue == U_HALFTONE);
        return true;
    case U_WMR_SETTEXTCOLOR:
        dc.SetTextColor(CMetafileDC::ColorRef(r.U32(kParams)));
        return true;
    case U_WMR_SETTEXTALIGN:
        dc.SetTextAlign(nValue);
        return true;
    case U_WMR_SAVEDC:
        dc.SaveDC();
        return true;
    case U_WMR_RESTOREDC:
        dc.RestoreDC(r.I16(kParams));
        return true;
    }
    return false;
}

bool PlayMapping(CMetafileDC& dc, quint16 nFunction, const SParams& p)
{
    switch (nFunction) {
    case U_WMR_SETMAPMODE:
        dc.SetMapMode(p.r.U16(kParams));
        return true;
    case U_WMR_SETWINDOWORG:
        dc.SetWindowOrg(p.Point(0));
        return true;
    case U_WMR_SETWINDOWEXT:
        dc.SetWindowExt(QSizeF(p(1), p(0)));
        return true;
    case U_WMR_SETVIEWPORTORG:
        dc.SetViewportOrg(p.Point(0));
        return true;
    case U_WMR_SETVIEWPORTEXT:
        dc.SetViewportExt(QSizeF(p(1), p(0)));
        return true;
    case U_WMR_OFFSETWINDOWORG:
        dc.OffsetWindowOrg(p.Point(0));
        return true;
    case U_WMR_OFFSETVIEWPORTORG:
        dc.OffsetViewportOrg(p.Point(0));
        return true;
    case U_WMR_SCALEWINDOWEXT:
        dc.ScaleWindowExt(p(3), p(2), p(1), p(0));
        return true;
    case U_WMR_SCALEVIEWPORTEXT:
        dc.ScaleViewportExt(p(3), p(2), p(1), p(0));
        return true;
    }
    return false;
}

void Poly(CMetafileDC& dc, quint16 nFunction, const CMetafileRecordReader& r)
{
    // The count comes first; a record too short to hold it has no points.
    const std::size_t nParams = (r.Size() - kParams) / 2;
    const int n = int(std::min<std::size_t>(r.U16(kParams), nParams > 0 ? (nParams - 1) / 2 : 0));
    QPolygonF& pts = dc.Points(n);
    for (int i = 0; i < n; ++i)
        pts[i] = QPointF(r.I16(8 + 4 * i), r.I16(10 + 4 * i));
    if (nFunction == U_WMR_POLYGON)
        dc.Polygon();
    else
        dc.Polyline(false);
}

void PolyPolygon(CMetafileDC& dc, const CMetafileRecordReader& r, std::vector<int>& counts)
{
    const std::size_t nPolys = r.U16(kParams);
    if (!r.Has(8, nPolys * 2))
        return;
    counts.clear();
    std::size_t nTotal = 0;
    for (std::size_t i = 0; i < nPolys; ++i) {
        counts.push_back(r.U16(8 + 2 * i));
        nTotal += std::size_t(counts.back());
    }
    const std::size_t nPoints = 8 + nPolys * 2;
    if (!r.Has(nPoints, nTotal * 4))
        return;
    QPolygonF& pts = dc.Points(int(nTotal));
    for (std::size_t i = 0; i < nTotal; ++i)
        pts[int(i)] = QPointF(r.I16(nPoints + 4 * i), r.I16(nPoints + 4 * i + 2));
    dc.PolyPolygon(counts);
}

bool PlayShape(CMetafileDC& dc, quint16 nFunction, const SParams& p, std::vector<int>& counts)
{
    switch (nFunction) {
    case U_WMR_MOVETO:
        dc.MoveTo(p.Point(0));
        return true;
    case U_WMR_LINETO:
        dc.LineTo(p.Point(0));
        return true;
    case U_WMR_RECTANGLE:
        dc.Rectangle(p.Rect(0));
        return true;
    case U_WMR_ELLIPSE:
        dc.Ellipse(p.Rect(0));
        return true;
    case U_WMR_ROUNDRECT:
        dc.RoundRect(p.Rect(2), QSizeF(p(1), p(0)));
        return true;
    case U_WMR_ARC:
    case U_WMR_CHORD:
    case U_WMR_PIE: {
        const auto kind = nFunction == U_WMR_ARC     ? CMetafileDC::Arc
                          : nFunction == U_WMR_CHORD ? CMetafileDC::Chord
                                                     : CMetafileDC::Pie;
        dc.ArcShape(kind, p.Rect(4), p.Point(2), p.Point(0));
        return true;
    }
    case U_WMR_SETPIXEL:
        dc.SetPixel(p.Point(2), CMetafileDC::ColorRef(p.r.U32(kParams)));
        return true;
    case U_WMR_POLYGON:
    case U_WMR_POLYLINE:
        Poly(dc, nFunction, p.r);
        return true;
    case U_WMR_POLYPOLYGON:
        PolyPolygon(dc, p.r, counts);
        return true;
    }
    return false;
}

void ExtTextOut(CMetafileDC& dc, const SParams& p, std::vector<double>& dx)
{
    const CMetafileRecordReader& r = p.r;
    const std::size_t nCount = r.U16(10);
    const quint16 nOptions = r.U16(12);
    std::size_t nString = 14;
    QRectF rc;
    const bool bRect = nOptions & (U_ETO_OPAQUE | U_ETO_CLIPPED);
    if (bRect) {
        rc = QRectF(QPointF(r.I16(14), r.I16(16)), QPointF(r.I16(18), r.I16(20)));
        nString = 22;
    }
    const std::size_t nDx = nString + ((nCount + 1) & ~std::size_t(1));
    dx.clear();
    if (r.Has(nDx, nCount * 2)) {
        for (std::size_t i = 0; i < nCount; ++i)
            dx.push_back(r.I16(nDx + 2 * i));
    }
    dc.Text(p.Point(0), Latin1(r, nString, nCount), nOptions, bRect ? &rc : nullptr, dx);
}

bool PlayText(CMetafileDC& dc, quint16 nFunction, const SParams& p, std::vector<double>& dx)
{
    const CMetafileRecordReader& r = p.r;
    if (nFunction == U_WMR_EXTTEXTOUT) {
        ExtTextOut(dc, p, dx);
        return true;
    }
    if (nFunction != U_WMR_TEXTOUT)
        return false;
    // The string, padded to a whole word, then the position.
    const std::size_t nCount = r.U16(kParams);
    const std::size_t nAfter = 8 + ((nCount + 1) & ~std::size_t(1));
    if (r.Has(nAfter, 4)) {
        dx.clear();
        dc.Text(QPointF(r.I16(nAfter + 2), r.I16(nAfter)), Latin1(r, 8, nCount), 0, nullptr, dx);
    }
    return true;
}

bool PlayClip(CMetafileDC& dc, quint16 nFunction, const SParams& p)
{
    switch (nFunction) {
    case U_WMR_EXCLUDECLIPRECT:
        dc.ExcludeClipRect(p.Rect(0));
        return true;
    case U_WMR_INTERSECTCLIPRECT:
        dc.IntersectClipRect(p.Rect(0));
        return true;
    case U_WMR_OFFSETCLIPRGN:
        dc.OffsetClip(p.Point(0));
        return true;
    case U_WMR_SELECTCLIPREGION:
        dc.ResetClip(); // regions are not kept; their clip is lost
        return true;
    }
    return false;
}

bool PlayObject(CMetafileDC& dc, quint16 nFunction, const CMetafileRecordReader& r)
{
    switch (nFunction) {
    case U_WMR_SELECTOBJECT:
        dc.SelectObject(r.U16(kParams));
        return true;
    case U_WMR_DELETEOBJECT:
        dc.DeleteObject(r.U16(kParams));
        return true;
    case U_WMR_CREATEPENINDIRECT:
        dc.CreateObject(dc.FreeObjectSlot(),
                        CMetafileDC::MakePen(r.U16(6), r.I16(8), CMetafileDC::ColorRef(r.U32(12))));
        return true;
    case U_WMR_CREATEBRUSHINDIRECT:
        dc.CreateObject(
            dc.FreeObjectSlot(),
            CMetafileDC::MakeBrush(r.U16(6), CMetafileDC::ColorRef(r.U32(8)), r.U16(12)));
        return true;
    case U_WMR_DIBCREATEPATTERNBRUSH: {
        SMetaBrush brush;
        brush.kind = SMetaBrush::Pattern;
        brush.pattern =
            CMetafileDib::DecodePacked(r.Sub(10, r.Size() - std::min<std::size_t>(10, r.Size())),
                                       r.U16(8) == U_DIB_PAL_COLORS);
        if (brush.pattern.isNull())
            brush = CMetafileDC::MakeBrush(U_BS_SOLID, Qt::black, 0);
        dc.CreateObject(dc.FreeObjectSlot(), brush);
        return true;
    }
    case U_WMR_CREATEFONTINDIRECT:
        dc.CreateObject(dc.FreeObjectSlot(), ReadFont(r));
        return true;
    case U_WMR_CREATEPALETTE:
    case U_WMR_CREATEPATTERNBRUSH:
    case U_WMR_CREATEREGION:
        dc.CreateObject(dc.FreeObjectSlot(), SMetaOther{});
        return true;
    }
    return false;
}

bool PlayBitmap(CMetafileDC& dc, quint16 nFunction, const SParams& p, std::size_t nRecordWords)
{
    const CMetafileRecordReader& r = p.r;
    // A blit record as long as its parameters has no bitmap: a pattern blit.
    const bool bNoBitmap = r.Size() == nRecordWords * 2;
    switch (nFunction) {
    case U_WMR_PATBLT:
        dc.PatBlt(QRectF(p(4), p(3), p(2), p(1)), r.U32(kParams));
        return true;
    case U_WMR_DIBBITBLT:
        if (bNoBitmap)
            dc.PatBlt(QRectF(p(7), p(6), p(5), p(4)), r.U32(kParams));
        else
            PlayBlit(dc, r, 22, QRectF(p(7), p(6), p(5), p(4)), QRectF(p(3), p(2), p(5), p(4)),
                     r.U32(kParams));
        return true;
    case U_WMR_DIBSTRETCHBLT:
        if (bNoBitmap)
            dc.PatBlt(QRectF(p(9), p(8), p(7), p(6)), r.U32(kParams));
        else
            PlayBlit(dc, r, 26, QRectF(p(9), p(8), p(7), p(6)), QRectF(p(5), p(4), p(3), p(2)),
                     r.U32(kParams));
        return true;
    case U_WMR_STRETCHDIB:
        PlayBlit(dc, r, 28, QRectF(p(10), p(9), p(8), p(7)), QRectF(p(6), p(5), p(4), p(3)),
                 r.U32(kParams), r.U16(10) == U_DIB_PAL_COLORS);
        return true;
    case U_WMR_SETDIBTODEV:
        PlayBlit(dc, r, 24, QRectF(p(8), p(7), p(6), p(5)), QRectF(p(4), p(3), p(6), p(5)),
                 U_SRCCOPY, r.U16(kParams) == U_DIB_PAL_COLORS);
        return true;
    }
    return false;
}

void PlayRecord(CMetafileDC& dc, quint16 nRecordFunction, const CMetafileRecordReader& r,
                std::vector<int>& counts, std::vector<double>& dx)
{
    // The high byte of the function is its count of parameter words.
    const quint16 nFunction = nRecordFunction & U_WMR_MASK;
    const std::size_t nRecordWords = std::size_t(nRecordFunction >> 8) + kParams / 2;
    const SParams p{r};
    // Records that do not draw, or that this player does not know, fall through.
    PlayAttribute(dc, nFunction, r) || PlayMapping(dc, nFunction, p) ||
        PlayShape(dc, nFunction, p, counts) || PlayText(dc, nFunction, p, dx) ||
        PlayClip(dc, nFunction, p) || PlayObject(dc, nFunction, r) ||
        PlayBitmap(dc, nFunction, p, nRecordWords);
}

// Without a placeable header the picture is the file's own first window. A
// file that maps that window onto a viewport was drawn on a device of the
// viewport's units: the viewport is then the part of the device it covers.
void ReadOwnMapping(const CMetafileRecordReader& file, CWmfPlayer::SHeader& h)
{
    bool bHaveOrg = false, bHaveExt = false, bHaveVpExt = false;
    int nMapMode = 0;
    QPointF ptVpOrg;
    QSizeF szVpExt;
    ForEachRecord(file, h.nFirstRecord, [&](quint16 nFunction, const CMetafileRecordReader& r) {
        const SParams p{r};
        switch (nFunction & U_WMR_MASK) {
        case U_WMR_SETWINDOWORG:
            h.ptWinOrg = bHaveOrg ? h.ptWinOrg : p.Point(0);
            bHaveOrg = true;
            break;
        case U_WMR_SETWINDOWEXT:
            h.szWinExt = bHaveExt ? h.szWinExt : QSizeF(p(1), p(0));
            bHaveExt = true;
            break;
        case U_WMR_SETVIEWPORTORG:
            ptVpOrg = bHaveVpExt ? ptVpOrg : p.Point(0);
            break;
        case U_WMR_SETVIEWPORTEXT:
            szVpExt = bHaveVpExt ? szVpExt : QSizeF(p(1), p(0));
            bHaveVpExt = true;
            break;
        case U_WMR_SETMAPMODE:
            nMapMode = nMapMode != 0 ? nMapMode : r.U16(kParams);
            break;
        }
        return !(bHaveOrg && bHaveExt && bHaveVpExt && nMapMode != 0);
    });
    const bool bScaled = nMapMode == U_MM_ANISOTROPIC || nMapMode == U_MM_ISOTROPIC;
    if (bScaled && bHaveExt && szVpExt.width() != 0 && szVpExt.height() != 0)
        h.rcDevice = QRectF(ptVpOrg, szVpExt).normalized();
}

} // namespace

bool CWmfPlayer::IsWmf(const CMetafileRecordReader& file)
{
    if (file.U32(0) == kPlaceableKey)
        return IsStandardHeader(file, kPlaceableSize);
    return IsStandardHeader(file, 0);
}

bool CWmfPlayer::ReadHeader(const CMetafileRecordReader& file, SHeader& header)
{
    SHeader h;
    std::size_t nStandard = 0;
    bool bHaveWindow = false;
    if (file.U32(0) == kPlaceableKey) {
        const double l = file.I16(6), t = file.I16(8), r = file.I16(10), b = file.I16(12);
        h.ptWinOrg = QPointF(std::min(l, r), std::min(t, b));
        h.szWinExt = QSizeF(std::abs(r - l), std::abs(b - t));
        h.dUnitsPerInch = file.U16(14);
        nStandard = kPlaceableSize;
        bHaveWindow = true;
    }
    if (!IsStandardHeader(file, nStandard) || h.dUnitsPerInch <= 0)
        return false;
    h.nObjects = file.U16(nStandard + 10);
    h.nFirstRecord = nStandard + kHeaderSize;
    if (!bHaveWindow)
        ReadOwnMapping(file, h);
    const double w = std::round(std::abs(h.szWinExt.width()) * 2540 / h.dUnitsPerInch);
    const double ht = std::round(std::abs(h.szWinExt.height()) * 2540 / h.dUnitsPerInch);
    if (w < 1 || ht < 1 || w > kMaxHimetric || ht > kMaxHimetric)
        return false;
    h.szHimetric = QSize(int(w), int(ht));
    if (h.rcDevice.isEmpty())
        h.rcDevice = QRectF(0, 0, std::abs(h.szWinExt.width()), std::abs(h.szWinExt.height()));
    header = h;
    return true;
}

void CWmfPlayer::Play(const CMetafileRecordReader& file, const SHeader& header, CMetafileDC& dc)
{
    // As a picture player does: anisotropic, the picture's window on the frame.
    dc.SetObjectTableSize(header.nObjects);
    dc.SetMetricScale(header.dUnitsPerInch / 25.4 * header.rcDevice.width() /
                      std::abs(header.szWinExt.width()));
    dc.SetMapMode(U_MM_ANISOTROPIC);
    dc.SetWindowOrg(header.ptWinOrg);
    dc.SetWindowExt(header.szWinExt);
    dc.SetViewportOrg(header.rcDevice.topLeft());
    dc.SetViewportExt(header.rcDevice.size());
    std::vector<int> counts;
    std::vector<double> dx;
    ForEachRecord(file, header.nFirstRecord,
                  [&](quint16 nFunction, const CMetafileRecordReader& r) {
                      if (dc.BudgetSpent())
                          return false;
                      dc.AddWork(MetafileWork::kPerRecord);
                      PlayRecord(dc, nFunction, r, counts, dx);
                      return true;
                  });
}
