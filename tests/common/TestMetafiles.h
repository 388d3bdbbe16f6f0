#pragma once

#include <QByteArray>
#include <QRect>
#include <QString>

#include <uemf.h>
#include <uwmf.h>

// Builds EMF and WMF files with libuemf for the metafile tests: add records
// made by libuemf's *_set functions, then take the finished bytes.

// An EMF whose reference device has 4 pixels per millimetre, so a picture of
// w x h device pixels has a frame of w*25 x h*25 HIMETRIC at 0,0, and bounds
// of the same place and size unless rcBounds gives others.
class CTestEmf
{
public:
    CTestEmf(int nWidthPx, int nHeightPx, QRect rcBounds = QRect());
    ~CTestEmf();
    CTestEmf(const CTestEmf&) = delete;
    CTestEmf& operator=(const CTestEmf&) = delete;

    void Add(char* pRecord); // takes ownership
    EMFHANDLES* Handles() { return m_pHandles; }
    QByteArray Finish();

private:
    QString m_strPath;
    EMFTRACK* m_pTrack = nullptr;
    EMFHANDLES* m_pHandles = nullptr;
};

// A WMF, with a placeable header (box in logical units at nUnitsPerInch) or
// without one (the default constructor).
class CTestWmf
{
public:
    CTestWmf();
    CTestWmf(double dWidthInches, double dHeightInches, int nUnitsPerInch);
    ~CTestWmf();
    CTestWmf(const CTestWmf&) = delete;
    CTestWmf& operator=(const CTestWmf&) = delete;

    void Add(char* pRecord); // takes ownership
    WMFHANDLES* Handles() { return m_pHandles; }
    QByteArray Finish();

private:
    void Start(U_PAIRF* pSize, int nUnitsPerInch);

    QString m_strPath;
    WMFTRACK* m_pTrack = nullptr;
    WMFHANDLES* m_pHandles = nullptr;
};

namespace TestMetafiles {
// A 24-bit bottom-up DIB for blits and pattern brushes: header and pixels.
struct SDib
{
    QByteArray bmi;
    QByteArray bits;
};
// w x h pixels, the top half nTopRgb, the bottom half nBottomRgb (0xRRGGBB).
SDib TwoBandDib(int nWidth, int nHeight, quint32 nTopRgb, quint32 nBottomRgb);
U_RECTL Rect(int l, int t, int r, int b);
U_RECT16 Rect16(int l, int t, int r, int b);
U_COLORREF Color(quint32 nRgb);
// A malloc'ed copy of hand-made record bytes, for Add (which frees it).
char* RawRecord(const QByteArray& record);
// A picture of 400 x 300 reference pixels filled red through a clip path of
// nPoints pseudo-random points (a polygon crossing itself everywhere) selected
// under a rotating world transform: a drawing that costs what its size hides.
QByteArray ClipPathEmf(int nPoints);
} // namespace TestMetafiles
