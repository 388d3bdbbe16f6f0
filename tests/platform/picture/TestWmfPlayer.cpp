#include "MetafileRender.h"
#include "common/TestMetafiles.h"
#include "platform/picture/CMetafilePicture.h"

#include <QtTest>
#include <memory>
#include <utility>

using namespace TestMetafiles;

// A pixel that must show a colour: x, y, 0xRRGGBB.
struct SProbe
{
    int x, y;
    quint32 nRgb;
};
Q_DECLARE_METATYPE(std::vector<SProbe>)

class TestWmfPlayer : public QObject
{
    Q_OBJECT

private slots:
    void himetricSize_data();
    void himetricSize();
    void drawsPixels_data();
    void drawsPixels();
};

namespace {

constexpr quint32 kRed = 0xFF0000, kBlue = 0x0000FF, kWhite = 0xFFFFFF, kBlack = 0x000000;

void SelectBrush(CTestWmf& wmf, quint32 nRgb, quint16 nStyle = U_BS_SOLID, quint16 nHatch = 0)
{
    uint32_t ih = 0;
    wmf.Add(
        wcreatebrushindirect_set(&ih, wmf.Handles(), U_WLOGBRUSH_set(nStyle, Color(nRgb), nHatch)));
    wmf.Add(wselectobject_set(ih, wmf.Handles()));
}

void SelectPen(CTestWmf& wmf, quint16 nStyle, quint16 nWidth, quint32 nRgb)
{
    uint32_t ih = 0;
    wmf.Add(wcreatepenindirect_set(&ih, wmf.Handles(), U_PEN_set(nStyle, nWidth, Color(nRgb))));
    wmf.Add(wselectobject_set(ih, wmf.Handles()));
}

void SelectFont(CTestWmf& wmf, int nHeight, int nWeight, uint8_t nCharSet = U_ANSI_CHARSET,
                const char* pszFace = "Sans")
{
    uint32_t ih = 0;
    U_FONT* pFont = U_FONT_set(int16_t(nHeight), 0, 0, 0, int16_t(nWeight), 0, 0, 0, nCharSet, 0, 0,
                               0, 0, const_cast<char*>(pszFace));
    wmf.Add(wcreatefontindirect_set(&ih, wmf.Handles(), pFont));
    std::free(pFont);
    wmf.Add(wselectobject_set(ih, wmf.Handles()));
}

// A 2 x 1 inch placeable picture at 1000 units per inch whose window is w x h.
void StartWindow(CTestWmf& wmf, int nMapMode, int w, int h)
{
    wmf.Add(U_WMRSETMAPMODE_set(nMapMode));
    wmf.Add(U_WMRSETWINDOWORG_set(point16_set(0, 0)));
    wmf.Add(U_WMRSETWINDOWEXT_set(point16_set(w, h)));
}

} // namespace

void TestWmfPlayer::himetricSize_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QSize>("himetric");

    {
        CTestWmf wmf(2, 1, 1000);
        QTest::newRow("placeable box at its units per inch") << wmf.Finish() << QSize(5080, 2540);
    }
    {
        CTestWmf wmf(1, 0.5, 1440);
        StartWindow(wmf, U_MM_ANISOTROPIC, 5000, 7000); // the box wins over the window
        QTest::newRow("placeable box, window ignored") << wmf.Finish() << QSize(2540, 1270);
    }
    {
        CTestWmf wmf;
        StartWindow(wmf, U_MM_ANISOTROPIC, 1440, 720);
        QTest::newRow("no placeable header: window at 1440 per inch")
            << wmf.Finish() << QSize(2540, 1270);
    }
    {
        CTestWmf wmf;
        StartWindow(wmf, U_MM_ANISOTROPIC, 2880, -1440);
        QTest::newRow("window measured upward") << wmf.Finish() << QSize(5080, 2540);
    }
}

void TestWmfPlayer::himetricSize()
{
    QFETCH(QByteArray, file);
    QFETCH(QSize, himetric);
    QVERIFY(CMetafilePicture::IsMetafile(file));
    const CPicturePtr picture = CMetafilePicture::Load(file);
    QVERIFY(picture);
    QCOMPARE(picture->GetHimetricSize(), himetric);
}

void TestWmfPlayer::drawsPixels_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QSize>("imageSize");
    QTest::addColumn<std::vector<SProbe>>("probes");

    const auto nullPen = [](CTestWmf& wmf) { SelectPen(wmf, U_PS_NULL, 0, 0); };
    {
        CTestWmf wmf(2, 1, 1000);
        StartWindow(wmf, U_MM_ANISOTROPIC, 2000, 1000);
        nullPen(wmf);
        SelectBrush(wmf, kRed);
        wmf.Add(U_WMRRECTANGLE_set(Rect16(0, 0, 1000, 500)));
        QTest::newRow("placeable, red quarter top left")
            << wmf.Finish() << QSize(200, 100)
            << std::vector<SProbe>{{50, 25, kRed}, {150, 25, kWhite}, {50, 75, kWhite}};
    }
    {
        CTestWmf wmf(2, 1, 1000);
        StartWindow(wmf, U_MM_ANISOTROPIC, 1000, 1000);
        nullPen(wmf);
        SelectBrush(wmf, kRed);
        wmf.Add(U_WMRRECTANGLE_set(Rect16(0, 0, 1000, 1000)));
        QTest::newRow("anisotropic window stretched over the box")
            << wmf.Finish() << QSize(200, 100)
            << std::vector<SProbe>{{50, 50, kRed}, {150, 50, kRed}};
    }
    {
        CTestWmf wmf(2, 1, 1000);
        StartWindow(wmf, U_MM_ISOTROPIC, 1000, 1000);
        nullPen(wmf);
        SelectBrush(wmf, kRed);
        wmf.Add(U_WMRRECTANGLE_set(Rect16(0, 0, 1000, 1000)));
        QTest::newRow("isotropic window keeps its square")
            << wmf.Finish() << QSize(200, 100)
            << std::vector<SProbe>{{50, 50, kRed}, {150, 50, kWhite}};
    }
    {
        CTestWmf wmf;
        StartWindow(wmf, U_MM_ANISOTROPIC, 1000, 1000);
        wmf.Add(U_WMRSETWINDOWORG_set(point16_set(-500, -500)));
        nullPen(wmf);
        SelectBrush(wmf, kBlue);
        wmf.Add(U_WMRELLIPSE_set(Rect16(-400, -400, 400, 400)));
        QTest::newRow("no placeable header, window origin moved later")
            << wmf.Finish() << QSize(100, 100)
            << std::vector<SProbe>{{50, 50, kBlue}, {10, 10, kWhite}, {90, 90, kWhite}};
    }
    for (bool bPlaceable : {false, true}) {
        // The file's window on a viewport of 1/15 its extent. Without a
        // placeable header that viewport is the picture; with one, the box is.
        std::unique_ptr<CTestWmf> pWmf =
            bPlaceable ? std::make_unique<CTestWmf>(4, 3, 1440) : std::make_unique<CTestWmf>();
        StartWindow(*pWmf, U_MM_ANISOTROPIC, 5760, 4320);
        // libuemf's U_WMRSETVIEWPORTEXT_set writes a window extent: same layout.
        char* pViewport = U_WMRSETWINDOWEXT_set(point16_set(384, 288));
        pViewport[offsetof(U_METARECORD, iType)] = char(U_WMR_SETVIEWPORTEXT);
        pWmf->Add(pViewport);
        nullPen(*pWmf);
        SelectBrush(*pWmf, kBlue);
        pWmf->Add(U_WMRRECTANGLE_set(Rect16(0, 0, 5760, 4320)));
        SelectBrush(*pWmf, kRed);
        pWmf->Add(U_WMRRECTANGLE_set(Rect16(2880, 2160, 5760, 4320)));
        const quint32 nFar = bPlaceable ? kWhite : kRed;
        QTest::addRow("window on its viewport, %s",
                      bPlaceable ? "placeable" : "no placeable header")
            << pWmf->Finish() << QSize(200, 150)
            << std::vector<SProbe>{
                   {5, 5, kBlue}, {150, 110, nFar}, {150, 40, bPlaceable ? kWhite : kBlue}};
    }
    {
        CTestWmf wmf(1, 1, 254);
        wmf.Add(U_WMRSETMAPMODE_set(U_MM_LOMETRIC));
        nullPen(wmf);
        SelectBrush(wmf, kRed);
        wmf.Add(U_WMRRECTANGLE_set(Rect16(0, 0, 127, -127)));
        QTest::newRow("metric mode measures upward")
            << wmf.Finish() << QSize(100, 100)
            << std::vector<SProbe>{{25, 25, kRed}, {75, 75, kWhite}, {25, 75, kWhite}};
    }
    {
        CTestWmf wmf(1, 1, 1000);
        StartWindow(wmf, U_MM_ANISOTROPIC, 1000, 1000);
        SelectPen(wmf, U_PS_SOLID, 100, kBlue);
        wmf.Add(U_WMRMOVETO_set(point16_set(100, 500)));
        wmf.Add(U_WMRLINETO_set(point16_set(900, 500)));
        QTest::newRow("pen width in logical units")
            << wmf.Finish() << QSize(100, 100)
            << std::vector<SProbe>{{50, 50, kBlue}, {50, 53, kBlue}, {50, 40, kWhite}};
    }
    {
        CTestWmf wmf(1, 1, 1000);
        StartWindow(wmf, U_MM_ANISOTROPIC, 4000, 4000); // 40 units a pixel
        SelectPen(wmf, U_PS_SOLID, 1, kBlack);
        for (int x : {2010, 2030}) { // a double bar half a pixel wide
            wmf.Add(U_WMRMOVETO_set(point16_set(int16_t(x), 400)));
            wmf.Add(U_WMRLINETO_set(point16_set(int16_t(x), 3600)));
        }
        // Lines far thinner than a pixel shade it by what they cover.
        QTest::newRow("pens thinner than a pixel, drawn small")
            << wmf.Finish() << QSize(100, 100)
            << std::vector<SProbe>{{50, 50, kWhite}, {50, 70, kWhite}};
    }
    {
        CTestWmf wmf(1, 1, 1000);
        StartWindow(wmf, U_MM_ANISOTROPIC, 1000, 1000);
        nullPen(wmf);
        SelectBrush(wmf, kRed);
        wmf.Add(U_WMRSAVEDC_set());
        SelectBrush(wmf, kBlue);
        wmf.Add(U_WMRINTERSECTCLIPRECT_set(Rect16(0, 0, 500, 1000)));
        wmf.Add(U_WMRRESTOREDC_set(-1));
        wmf.Add(U_WMRRECTANGLE_set(Rect16(0, 0, 1000, 1000)));
        QTest::newRow("RestoreDC brings back brush and clip")
            << wmf.Finish() << QSize(100, 100)
            << std::vector<SProbe>{{25, 50, kRed}, {75, 50, kRed}};
    }
    {
        CTestWmf wmf(1, 1, 1000);
        StartWindow(wmf, U_MM_ANISOTROPIC, 1000, 1000);
        nullPen(wmf);
        SelectBrush(wmf, kRed);
        wmf.Add(U_WMRINTERSECTCLIPRECT_set(Rect16(0, 0, 500, 1000)));
        wmf.Add(U_WMRRECTANGLE_set(Rect16(0, 0, 1000, 1000)));
        QTest::newRow("clip rectangle") << wmf.Finish() << QSize(100, 100)
                                        << std::vector<SProbe>{{25, 50, kRed}, {75, 50, kWhite}};
    }
    {
        CTestWmf wmf(1, 1, 1000);
        StartWindow(wmf, U_MM_ANISOTROPIC, 1000, 1000);
        nullPen(wmf);
        SelectBrush(wmf, kBlue);
        wmf.Add(U_WMRSETPOLYFILLMODE_set(U_ALTERNATE));
        const uint16_t counts[] = {4, 4};
        const U_POINT16 pts[] = {point16_set(0, 0),       point16_set(1000, 0),
                                 point16_set(1000, 1000), point16_set(0, 1000),
                                 point16_set(250, 250),   point16_set(750, 250),
                                 point16_set(750, 750),   point16_set(250, 750)};
        wmf.Add(U_WMRPOLYPOLYGON_set(2, counts, pts));
        QTest::newRow("PolyPolygon leaves its hole")
            << wmf.Finish() << QSize(100, 100)
            << std::vector<SProbe>{{10, 10, kBlue}, {50, 50, kWhite}};
    }
    {
        CTestWmf wmf(1, 1, 1000);
        StartWindow(wmf, U_MM_ANISOTROPIC, 1000, 1000);
        nullPen(wmf);
        SelectBrush(wmf, kRed);
        wmf.Add(
            U_WMRPIE_set(point16_set(1000, 500), point16_set(500, 0), Rect16(0, 0, 1000, 1000)));
        QTest::newRow("Pie runs counterclockwise from its start")
            << wmf.Finish() << QSize(100, 100)
            << std::vector<SProbe>{{70, 30, kRed}, {30, 70, kWhite}, {30, 30, kWhite}};
    }
    {
        CTestWmf wmf(1, 1, 1000);
        StartWindow(wmf, U_MM_ANISOTROPIC, 1000, 1000);
        const SDib dib = TwoBandDib(4, 4, kRed, kBlue);
        wmf.Add(U_WMRSTRETCHDIB_set(point16_set(0, 0), point16_set(1000, 1000), point16_set(0, 0),
                                    point16_set(4, 4), U_DIB_RGB_COLORS, U_SRCCOPY,
                                    reinterpret_cast<const U_BITMAPINFO*>(dib.bmi.constData()),
                                    uint32_t(dib.bits.size()), dib.bits.constData()));
        QTest::newRow("StretchDIB, bottom-up rows")
            << wmf.Finish() << QSize(100, 100)
            << std::vector<SProbe>{{50, 20, kRed}, {50, 80, kBlue}};
    }
    {
        CTestWmf wmf(1, 1, 1000);
        StartWindow(wmf, U_MM_ANISOTROPIC, 1000, 1000);
        SelectFont(wmf, -400, 700);
        wmf.Add(U_WMRSETBKMODE_set(U_OPAQUE));
        wmf.Add(U_WMRSETBKCOLOR_set(Color(kBlue)));
        wmf.Add(U_WMRSETTEXTCOLOR_set(Color(kBlack)));
        wmf.Add(U_WMRTEXTOUT_set(point16_set(0, 0), const_cast<char*>("ii")));
        QTest::newRow("TextOut, opaque background from the top left")
            << wmf.Finish() << QSize(100, 100)
            << std::vector<SProbe>{{1, 1, kBlue}, {90, 90, kWhite}, {1, 60, kWhite}};
    }
    using SFace = std::pair<const char*, uint8_t>;
    for (auto [pszFace, nCharSet] : {SFace{"Sans", U_SYMBOL_CHARSET}, SFace{"Symbol", 0}}) {
        // Symbol text by character set, or by a face a symbol-encoded font
        // here may answer to.
        CTestWmf wmf(1, 1, 1000);
        StartWindow(wmf, U_MM_ANISOTROPIC, 1000, 1000);
        SelectFont(wmf, -800, 400, nCharSet, pszFace);
        wmf.Add(U_WMRSETBKMODE_set(U_TRANSPARENT));
        wmf.Add(U_WMRSETTEXTCOLOR_set(Color(kRed)));
        wmf.Add(U_WMRTEXTOUT_set(point16_set(100, 100), const_cast<char*>("\xA8")));
        // The symbol set's 0xA8 is a filled diamond, not a diaeresis's two dots.
        QTest::addRow("symbol text, face %s", pszFace)
            << wmf.Finish() << QSize(100, 100)
            << std::vector<SProbe>{{46, 55, kRed}, {46, 35, kRed}, {22, 27, kWhite}};
    }
    {
        CTestWmf wmf(1, 1, 1000);
        StartWindow(wmf, U_MM_ANISOTROPIC, 1000, 1000);
        nullPen(wmf); // slot 0
        uint32_t aSlots[3] = {};
        for (uint32_t& ih : aSlots) // slots 1 to 3
            wmf.Add(wcreatebrushindirect_set(&ih, wmf.Handles(),
                                             U_WLOGBRUSH_set(U_BS_SOLID, Color(kBlack), 0)));
        wmf.Add(wdeleteobject_set(&aSlots[2], wmf.Handles()));
        wmf.Add(wdeleteobject_set(&aSlots[0], wmf.Handles()));
        // The table fills its lowest free slot first: 1, then 3.
        uint32_t ihRed = 0, ihBlue = 0;
        wmf.Add(wcreatebrushindirect_set(&ihRed, wmf.Handles(),
                                         U_WLOGBRUSH_set(U_BS_SOLID, Color(kRed), 0)));
        wmf.Add(wcreatebrushindirect_set(&ihBlue, wmf.Handles(),
                                         U_WLOGBRUSH_set(U_BS_SOLID, Color(kBlue), 0)));
        wmf.Add(wselectobject_set(ihRed, wmf.Handles()));
        wmf.Add(U_WMRRECTANGLE_set(Rect16(0, 0, 500, 1000)));
        wmf.Add(wselectobject_set(ihBlue, wmf.Handles()));
        wmf.Add(U_WMRRECTANGLE_set(Rect16(500, 0, 1000, 1000)));
        QTest::newRow("freed object slots refilled lowest first")
            << wmf.Finish() << QSize(100, 100)
            << std::vector<SProbe>{{25, 50, kRed}, {75, 50, kBlue}};
    }
}

void TestWmfPlayer::drawsPixels()
{
    QFETCH(QByteArray, file);
    QFETCH(QSize, imageSize);
    QFETCH(std::vector<SProbe>, probes);
    KeepForCorpus(file, QTest::currentDataTag());
    const CPicturePtr picture = CMetafilePicture::Load(file);
    QVERIFY(picture);
    const QImage img = RenderPicture(*picture, imageSize.width(), imageSize.height());
    for (const SProbe& probe : probes) {
        const QRgb actual = img.pixel(probe.x, probe.y);
        QVERIFY2(Near(actual, 0xFF000000 | probe.nRgb),
                 qPrintable(QStringLiteral("(%1,%2) is %3, expected %4")
                                .arg(probe.x)
                                .arg(probe.y)
                                .arg(actual & 0xFFFFFF, 6, 16, QLatin1Char('0'))
                                .arg(probe.nRgb, 6, 16, QLatin1Char('0'))));
    }
}

QTEST_MAIN(TestWmfPlayer)
#include "TestWmfPlayer.moc"
