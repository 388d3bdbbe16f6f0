#include "MetafileRender.h"
#include "common/TestMetafiles.h"
#include "platform/picture/CMetafilePicture.h"

#include <QtTest>
#include <string>
#include <thread>
#include <uemf_utf.h>

using namespace TestMetafiles;

// A pixel that must show a colour: x, y, 0xRRGGBB.
struct SEmfProbe
{
    int x, y;
    quint32 nRgb;
};
Q_DECLARE_METATYPE(std::vector<SEmfProbe>)

class TestEmfPlayer : public QObject
{
    Q_OBJECT

private slots:
    void himetricSize();
    void drawsPixels_data();
    void drawsPixels();
    void rendersOnWorkerThreads();
};

namespace {

constexpr quint32 kRed = 0xFF0000, kGreen = 0x00FF00, kBlue = 0x0000FF, kWhite = 0xFFFFFF;

void SelectBrush(CTestEmf& emf, quint32 nRgb)
{
    uint32_t ih = 0;
    emf.Add(createbrushindirect_set(&ih, emf.Handles(), logbrush_set(U_BS_SOLID, Color(nRgb), 0)));
    emf.Add(selectobject_set(ih, emf.Handles()));
}

void SelectExtPen(CTestEmf& emf, quint32 nStyle, quint32 nWidth, quint32 nRgb)
{
    uint32_t ih = 0;
    PU_EXTLOGPEN pPen = extlogpen_set(nStyle, nWidth, U_BS_SOLID, Color(nRgb), 0, 0, nullptr);
    emf.Add(extcreatepen_set(&ih, emf.Handles(), nullptr, 0, nullptr, pPen));
    std::free(pPen);
    emf.Add(selectobject_set(ih, emf.Handles()));
}

// A polygon of nPoints on a circle made the clip path, combined by nMode.
void ClipToCircle(CTestEmf& emf, int cx, int cy, int r, int nPoints, uint32_t nMode)
{
    std::vector<U_POINTL> arPoints;
    for (int i = 0; i < nPoints; ++i) {
        const double a = 2 * M_PI * i / nPoints;
        arPoints.push_back(point32_set(cx + int(std::lround(r * std::cos(a))),
                                       cy + int(std::lround(r * std::sin(a)))));
    }
    emf.Add(U_EMRBEGINPATH_set());
    emf.Add(U_EMRPOLYGON_set(Rect(cx - r, cy - r, cx + r, cy + r), uint32_t(arPoints.size()),
                             arPoints.data()));
    emf.Add(U_EMRENDPATH_set());
    emf.Add(U_EMRSELECTCLIPPATH_set(nMode));
}

void SelectFont(CTestEmf& emf, int nHeight, uint8_t nCharSet = U_DEFAULT_CHARSET,
                int nEscapement = 0)
{
    uint32_t ih = 0;
    uint16_t* pFace = U_Utf8ToUtf16le("Sans", 0, nullptr);
    const U_LOGFONT lf = logfont_set(nHeight, 0, nEscapement, nEscapement, 400, 0, 0, 0, nCharSet,
                                     0, 0, 0, 0, pFace);
    std::free(pFace);
    emf.Add(extcreatefontindirectw_set(&ih, emf.Handles(), reinterpret_cast<const char*>(&lf),
                                       nullptr));
    emf.Add(selectobject_set(ih, emf.Handles()));
}

// Wide text, each character nAdvance pixels on.
void TextW(CTestEmf& emf, U_POINTL pt, std::u16string str, uint32_t nAdvance,
           uint32_t nOptions = U_ETO_NONE, U_RECTL rc = Rect(0, 0, 0, 0))
{
    std::vector<uint32_t> dx(str.size(), nAdvance);
    char* pText = emrtext_set(pt, uint32_t(str.size()), 2, str.data(), nOptions, rc, dx.data());
    emf.Add(U_EMREXTTEXTOUTW_set(Rect(0, 0, 200, 100), U_GM_COMPATIBLE, 1, 1,
                                 reinterpret_cast<PU_EMRTEXT>(pText)));
    std::free(pText);
}

void RedRect(CTestEmf& emf, int l, int t, int r, int b)
{
    emf.Add(U_EMRSELECTOBJECT_set(U_NULL_PEN));
    SelectBrush(emf, kRed);
    emf.Add(U_EMRRECTANGLE_set(Rect(l, t, r, b)));
}

} // namespace

void TestEmfPlayer::himetricSize()
{
    CTestEmf emf(200, 100);
    const QByteArray file = emf.Finish();
    QVERIFY(CMetafilePicture::IsMetafile(file));
    const CPicturePtr picture = CMetafilePicture::Load(file);
    QVERIFY(picture);
    // The frame, in 0.01 mm: 200 x 100 pixels at 4 pixels per millimetre.
    QCOMPARE(picture->GetHimetricSize(), QSize(5000, 2500));
}

void TestEmfPlayer::drawsPixels_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<std::vector<SEmfProbe>>("probes");

    {
        CTestEmf emf(200, 100);
        RedRect(emf, 10, 10, 90, 90);
        QTest::newRow("rectangle in reference pixels")
            << emf.Finish() << std::vector<SEmfProbe>{{50, 50, kRed}, {150, 50, kWhite}};
    }
    {
        // A writer that drew above the origin gave the right bounds but a frame at 0,0.
        CTestEmf emf(200, 100, QRect(0, -90, 200, 100));
        RedRect(emf, 10, -80, 90, 9);
        QTest::newRow("frame misplaced, drawing inside the bounds")
            << emf.Finish()
            << std::vector<SEmfProbe>{{50, 50, kRed}, {50, 98, kRed}, {150, 50, kWhite}};
    }
    {
        CTestEmf emf(200, 100, QRect(0, 0, 400, 300));
        RedRect(emf, 10, 10, 90, 90);
        QTest::newRow("frame inside larger bounds")
            << emf.Finish() << std::vector<SEmfProbe>{{50, 50, kRed}, {150, 50, kWhite}};
    }
    {
        CTestEmf emf(200, 100);
        SelectExtPen(emf, U_PS_GEOMETRIC | U_PS_SOLID | U_PS_ENDCAP_FLAT, 20, kBlue);
        emf.Add(U_EMRMOVETOEX_set(point32_set(20, 50)));
        emf.Add(U_EMRLINETO_set(point32_set(180, 50)));
        QTest::newRow("thick geometric pen, flat caps")
            << emf.Finish()
            << std::vector<SEmfProbe>{
                   {100, 50, kBlue}, {100, 58, kBlue}, {100, 65, kWhite}, {12, 50, kWhite}};
    }
    {
        CTestEmf emf(200, 100);
        uint32_t ih = 0;
        U_STYLEENTRY aStyle[] = {10, 10};
        PU_EXTLOGPEN pPen = extlogpen_set(U_PS_GEOMETRIC | U_PS_USERSTYLE | U_PS_ENDCAP_FLAT, 4,
                                          U_BS_SOLID, Color(kBlue), 0, 2, aStyle);
        emf.Add(extcreatepen_set(&ih, emf.Handles(), nullptr, 0, nullptr, pPen));
        std::free(pPen);
        emf.Add(selectobject_set(ih, emf.Handles()));
        emf.Add(U_EMRMOVETOEX_set(point32_set(20, 50)));
        emf.Add(U_EMRLINETO_set(point32_set(180, 50)));
        QTest::newRow("user-styled pen: dashes and gaps in logical units")
            << emf.Finish()
            << std::vector<SEmfProbe>{{25, 50, kBlue}, {35, 50, kWhite}, {45, 50, kBlue}};
    }
    {
        CTestEmf emf(200, 100);
        SelectExtPen(emf, U_PS_COSMETIC | U_PS_SOLID, 20, kBlue);
        emf.Add(U_EMRMOVETOEX_set(point32_set(20, 50)));
        emf.Add(U_EMRLINETO_set(point32_set(180, 50)));
        QTest::newRow("cosmetic pen stays one pixel")
            << emf.Finish() << std::vector<SEmfProbe>{{100, 56, kWhite}};
    }
    {
        CTestEmf emf(200, 100);
        SelectExtPen(emf, U_PS_GEOMETRIC | U_PS_SOLID, 12, kBlue);
        const U_POINT16 pts[] = {point16_set(20, 50), point16_set(60, 50), point16_set(140, 50),
                                 point16_set(180, 50)};
        emf.Add(U_EMRPOLYBEZIER16_set(Rect(0, 0, 200, 100), 4, pts));
        QTest::newRow("PolyBezier16")
            << emf.Finish() << std::vector<SEmfProbe>{{100, 50, kBlue}, {100, 70, kWhite}};
    }
    {
        CTestEmf emf(200, 100);
        SelectBrush(emf, kRed);
        emf.Add(U_EMRBEGINPATH_set());
        emf.Add(U_EMRMOVETOEX_set(point32_set(20, 20)));
        emf.Add(U_EMRLINETO_set(point32_set(180, 20)));
        emf.Add(U_EMRLINETO_set(point32_set(180, 80)));
        emf.Add(U_EMRCLOSEFIGURE_set());
        emf.Add(U_EMRENDPATH_set());
        emf.Add(U_EMRFILLPATH_set(Rect(20, 20, 180, 80)));
        emf.Add(U_EMRLINETO_set(point32_set(10, 10))); // the path is gone: a plain line
        QTest::newRow("filled path")
            << emf.Finish()
            << std::vector<SEmfProbe>{{150, 40, kRed}, {40, 70, kWhite}, {100, 10, kWhite}};
    }
    {
        CTestEmf emf(200, 100);
        const SDib dib = TwoBandDib(4, 4, kRed, kBlue);
        emf.Add(U_EMRSTRETCHDIBITS_set(
            Rect(0, 0, 200, 100), point32_set(0, 0), point32_set(200, 100), point32_set(0, 0),
            point32_set(4, 4), U_DIB_RGB_COLORS, U_SRCCOPY,
            reinterpret_cast<PU_BITMAPINFO>(const_cast<char*>(dib.bmi.constData())),
            uint32_t(dib.bits.size()), const_cast<char*>(dib.bits.constData())));
        QTest::newRow("embedded DIB, bottom-up rows")
            << emf.Finish() << std::vector<SEmfProbe>{{100, 20, kRed}, {100, 80, kBlue}};
    }
    {
        CTestEmf emf(200, 100);
        SelectFont(emf, -40, U_DEFAULT_CHARSET, 900);
        emf.Add(U_EMRSETBKMODE_set(U_OPAQUE));
        emf.Add(U_EMRSETBKCOLOR_set(Color(kBlue)));
        TextW(emf, point32_set(100, 90), u"MMMM", 30);
        // Turned a quarter counterclockwise, the text box rises from its reference point.
        QTest::newRow("rotated font")
            << emf.Finish()
            << std::vector<SEmfProbe>{
                   {102, 60, kBlue}, {110, 96, kWhite}, {60, 60, kWhite}, {160, 95, kWhite}};
    }
    {
        CTestEmf emf(200, 100);
        SelectFont(emf, -80, U_SYMBOL_CHARSET);
        emf.Add(U_EMRSETBKMODE_set(U_TRANSPARENT));
        emf.Add(U_EMRSETTEXTCOLOR_set(Color(kRed)));
        // The diamond in the private-use page where wide strings put the symbol set.
        TextW(emf, point32_set(10, 10), u"\uF0A8", 60);
        QTest::newRow("symbol character set, wide text")
            << emf.Finish()
            << std::vector<SEmfProbe>{{46, 55, kRed}, {46, 35, kRed}, {150, 55, kWhite}};
    }
    {
        // Advances of 25 pixels, as a narrow face gives them, and a box as
        // wide; the face drawn here has an O near twice as wide.
        CTestEmf emf(200, 100);
        SelectFont(emf, -60);
        emf.Add(U_EMRSETBKCOLOR_set(Color(kGreen)));
        emf.Add(U_EMRSETTEXTCOLOR_set(Color(kBlue)));
        TextW(emf, point32_set(10, 10), u"OOOO", 25, U_ETO_OPAQUE | U_ETO_CLIPPED,
              Rect(10, 10, 110, 90));
        // The last O ends where the writer's did, its right side in the box.
        QTest::newRow("stand-in font narrowed to the writer's advances")
            << emf.Finish()
            << std::vector<SEmfProbe>{{106, 44, kBlue}, {50, 85, kGreen}, {125, 44, kWhite}};
    }
    {
        CTestEmf emf(200, 100);
        const SDib dib = TwoBandDib(2, 2, kRed, kBlue);
        uint32_t ih = 0;
        emf.Add(createdibpatternbrushpt_set(
            &ih, emf.Handles(), U_DIB_RGB_COLORS,
            reinterpret_cast<PU_BITMAPINFO>(const_cast<char*>(dib.bmi.constData())),
            uint32_t(dib.bits.size()), dib.bits.constData()));
        emf.Add(selectobject_set(ih, emf.Handles()));
        emf.Add(U_EMRSELECTOBJECT_set(U_NULL_PEN));
        emf.Add(U_EMRSETMAPMODE_set(U_MM_ANISOTROPIC));
        emf.Add(U_EMRSETWINDOWEXTEX_set(sizel_set(1000, 1000)));
        emf.Add(U_EMRSETVIEWPORTEXTEX_set(sizel_set(200, 100)));
        emf.Add(U_EMRRECTANGLE_set(Rect(0, 0, 1000, 1000)));
        // One pattern pixel per reference pixel whatever the mapping, the
        // pattern's top row on even rows.
        QTest::newRow("DIB pattern brush")
            << emf.Finish() << std::vector<SEmfProbe>{{50, 50, kRed}, {50, 51, kBlue}};
    }
    {
        CTestEmf emf(200, 100);
        emf.Add(U_EMRSETMAPMODE_set(U_MM_ANISOTROPIC));
        emf.Add(U_EMRSETWINDOWEXTEX_set(sizel_set(1000, 1000)));
        emf.Add(U_EMRSETVIEWPORTEXTEX_set(sizel_set(200, 100)));
        RedRect(emf, 0, 0, 500, 500);
        QTest::newRow("anisotropic window on the viewport")
            << emf.Finish()
            << std::vector<SEmfProbe>{{50, 25, kRed}, {150, 25, kWhite}, {50, 75, kWhite}};
    }
    {
        CTestEmf emf(200, 100);
        emf.Add(U_EMRSETWORLDTRANSFORM_set(xform_set(1, 0, 0, 1, 100, 0)));
        RedRect(emf, 0, 0, 50, 50);
        QTest::newRow("world transform moves the drawing")
            << emf.Finish() << std::vector<SEmfProbe>{{125, 25, kRed}, {25, 25, kWhite}};
    }
    {
        CTestEmf emf(200, 100);
        emf.Add(U_EMRINTERSECTCLIPRECT_set(Rect(0, 0, 100, 100)));
        emf.Add(U_EMRSAVEDC_set());
        emf.Add(U_EMREXCLUDECLIPRECT_set(Rect(0, 0, 50, 100)));
        emf.Add(U_EMRRESTOREDC_set(-1));
        RedRect(emf, 0, 0, 200, 100);
        QTest::newRow("clip kept across SaveDC and RestoreDC")
            << emf.Finish()
            << std::vector<SEmfProbe>{{25, 50, kRed}, {75, 50, kRed}, {150, 50, kWhite}};
    }
    {
        CTestEmf emf(200, 100);
        emf.Add(U_EMRSETWORLDTRANSFORM_set(xform_set(1, 0, 0, 1, 100, 0)));
        emf.Add(U_EMRBEGINPATH_set());
        emf.Add(U_EMRRECTANGLE_set(Rect(0, 0, 50, 100)));
        emf.Add(U_EMRENDPATH_set());
        emf.Add(U_EMRSELECTCLIPPATH_set(U_RGN_COPY));
        emf.Add(U_EMRMODIFYWORLDTRANSFORM_set(xform_set(1, 0, 0, 1, 0, 0), U_MWT_IDENTITY));
        RedRect(emf, 0, 0, 200, 100);
        QTest::newRow("rectangular clip path under a world transform")
            << emf.Finish()
            << std::vector<SEmfProbe>{{125, 50, kRed}, {75, 50, kWhite}, {175, 50, kWhite}};
    }
    for (int nPoints : {24, 1000}) {
        CTestEmf emf(200, 100);
        ClipToCircle(emf, 100, 50, 40, nPoints, U_RGN_AND);
        RedRect(emf, 0, 0, 200, 100);
        QTest::addRow("clip path of %d points", nPoints)
            << emf.Finish()
            << std::vector<SEmfProbe>{
                   {100, 50, kRed}, {100, 85, kRed}, {100, 95, kWhite}, {40, 50, kWhite}};
    }
    {
        CTestEmf emf(200, 100);
        ClipToCircle(emf, 50, 50, 30, 500, U_RGN_COPY);
        ClipToCircle(emf, 150, 50, 30, 500, U_RGN_OR);
        RedRect(emf, 0, 0, 200, 100);
        QTest::newRow("clip paths of 500 points united")
            << emf.Finish()
            << std::vector<SEmfProbe>{{50, 50, kRed}, {150, 50, kRed}, {100, 50, kWhite}};
    }
    {
        CTestEmf emf(200, 100);
        ClipToCircle(emf, 100, 50, 45, 500, U_RGN_AND);
        ClipToCircle(emf, 100, 50, 20, 500, U_RGN_DIFF);
        emf.Add(U_EMROFFSETCLIPRGN_set(point32_set(50, 0)));
        RedRect(emf, 0, 0, 200, 100);
        QTest::newRow("clip ring of 500-point paths, moved")
            << emf.Finish()
            << std::vector<SEmfProbe>{{150, 50, kWhite}, {180, 50, kRed}, {60, 50, kWhite}};
    }
    {
        CTestEmf emf(200, 100);
        ClipToCircle(emf, 50, 50, 30, 500, U_RGN_COPY);
        emf.Add(U_EMRSAVEDC_set());
        emf.Add(U_EMRINTERSECTCLIPRECT_set(Rect(0, 0, 50, 100)));
        emf.Add(U_EMRRESTOREDC_set(-1));
        RedRect(emf, 0, 0, 200, 100);
        QTest::newRow("complex clip back after RestoreDC")
            << emf.Finish() << std::vector<SEmfProbe>{{70, 50, kRed}, {150, 50, kWhite}};
    }
}

void TestEmfPlayer::drawsPixels()
{
    QFETCH(QByteArray, file);
    QFETCH(std::vector<SEmfProbe>, probes);
    KeepForCorpus(file, QTest::currentDataTag());
    const CPicturePtr picture = CMetafilePicture::Load(file);
    QVERIFY(picture);
    const QImage img = RenderPicture(*picture, 200, 100);
    for (const SEmfProbe& probe : probes) {
        const QRgb actual = img.pixel(probe.x, probe.y);
        QVERIFY2(Near(actual, 0xFF000000 | probe.nRgb),
                 qPrintable(QStringLiteral("(%1,%2) is %3, expected %4")
                                .arg(probe.x)
                                .arg(probe.y)
                                .arg(actual & 0xFFFFFF, 6, 16, QLatin1Char('0'))
                                .arg(probe.nRgb, 6, 16, QLatin1Char('0'))));
    }
}

void TestEmfPlayer::rendersOnWorkerThreads()
{
    CTestEmf emf(200, 100);
    RedRect(emf, 10, 10, 90, 90);
    emf.Add(U_EMRSETBKMODE_set(U_TRANSPARENT));
    TextW(emf, point32_set(110, 40), u"Orvala", 12);
    const CPicturePtr picture = CMetafilePicture::Load(emf.Finish());
    QVERIFY(picture);
    // One picture drawn by several threads at once, as the mosaic's decoders do.
    std::vector<QRgb> results(4);
    std::vector<std::thread> threads;
    for (std::size_t i = 0; i < results.size(); ++i) {
        threads.emplace_back([&, i] {
            QRgb rgb = 0;
            for (int n = 0; n < 20; ++n)
                rgb = RenderPicture(*picture, 200, 100).pixel(50, 50);
            results[i] = rgb;
        });
    }
    for (std::thread& t : threads)
        t.join();
    for (QRgb rgb : results)
        QCOMPARE(rgb, qRgb(255, 0, 0));
}

QTEST_MAIN(TestEmfPlayer)
#include "TestEmfPlayer.moc"
