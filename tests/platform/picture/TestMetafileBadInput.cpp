#include "MetafileRender.h"
#include "common/TestMetafiles.h"
#include "platform/picture/CMetafilePicture.h"

#include <QBuffer>
#include <QRandomGenerator>
#include <QtTest>
#include <memory>

using namespace TestMetafiles;

// Damaged and hostile metafiles: no picture or a partial one, never a crash
// and never a read outside the file (the suite runs under ASan and UBSan).
class TestMetafileBadInput : public QObject
{
    Q_OBJECT

private slots:
    void refused_data();
    void refused();
    void partial_data();
    void partial();
    void hostileRecordSkipped_data();
    void hostileRecordSkipped();
    void tangledShapesDrawnAliased_data();
    void tangledShapesDrawnAliased();
    void workBudget_data();
    void workBudget();
    void mutatedFilesNeverCrash();
};

namespace {

constexpr QRgb kRed = 0xFFFF0000, kBlue = 0xFF0000FF, kWhite = 0xFFFFFFFF;

// The bytes in an allocation of exactly their size, so that a read past the
// end leaves it and the address sanitizer reports it.
class CExactBytes
{
public:
    explicit CExactBytes(const QByteArray& bytes)
        : m_data(new char[std::size_t(std::max<qsizetype>(bytes.size(), 1))])
        , m_nSize(bytes.size())
    {
        std::copy(bytes.cbegin(), bytes.cend(), m_data.get());
    }
    QByteArray View() const { return QByteArray::fromRawData(m_data.get(), m_nSize); }

private:
    std::unique_ptr<char[]> m_data;
    qsizetype m_nSize;
};

// A solid brush of that colour selected, after the null pen with bNullPen.
void SelectBrush(CTestEmf& emf, quint32 nRgb, bool bNullPen = true)
{
    if (bNullPen)
        emf.Add(U_EMRSELECTOBJECT_set(U_NULL_PEN));
    uint32_t ih = 0;
    emf.Add(createbrushindirect_set(&ih, emf.Handles(), logbrush_set(U_BS_SOLID, Color(nRgb), 0)));
    emf.Add(selectobject_set(ih, emf.Handles()));
}

void SelectBrush(CTestWmf& wmf, quint32 nRgb, bool bNullPen = true)
{
    uint32_t ih = 0;
    if (bNullPen) {
        wmf.Add(wcreatepenindirect_set(&ih, wmf.Handles(), U_PEN_set(U_PS_NULL, 0, Color(0))));
        wmf.Add(wselectobject_set(ih, wmf.Handles()));
    }
    wmf.Add(
        wcreatebrushindirect_set(&ih, wmf.Handles(), U_WLOGBRUSH_set(U_BS_SOLID, Color(nRgb), 0)));
    wmf.Add(wselectobject_set(ih, wmf.Handles()));
}

// A red rectangle over the left half, then a blue one over the right half as
// the last drawing record; nLastRecord receives that record's offset.
QByteArray RedThenBlueEmf(std::size_t& nLastRecord)
{
    CTestEmf emf(100, 100);
    SelectBrush(emf, 0xFF0000);
    emf.Add(U_EMRRECTANGLE_set(Rect(0, 0, 50, 100)));
    emf.Add(U_EMRSELECTOBJECT_set(U_BLACK_BRUSH));
    emf.Add(U_EMRRECTANGLE_set(Rect(50, 0, 100, 100)));
    const QByteArray file = emf.Finish();
    // Walk the records by their sizes to the last rectangle (before the end record).
    std::size_t nOffset = 0, nPrevious = 0, nLast = 0;
    while (nOffset + 8 <= std::size_t(file.size())) {
        nLast = nPrevious;
        nPrevious = nOffset;
        nOffset += qFromLittleEndian<quint32>(file.constData() + nOffset + 4);
    }
    nLastRecord = nLast;
    return file;
}

QByteArray RedThenBlueWmf(std::size_t& nLastRecord)
{
    CTestWmf wmf(1, 1, 1000);
    wmf.Add(U_WMRSETWINDOWEXT_set(point16_set(1000, 1000)));
    SelectBrush(wmf, 0xFF0000);
    wmf.Add(U_WMRRECTANGLE_set(Rect16(0, 0, 500, 1000)));
    SelectBrush(wmf, 0, false);
    wmf.Add(U_WMRRECTANGLE_set(Rect16(500, 0, 1000, 1000)));
    const QByteArray file = wmf.Finish();
    std::size_t nOffset = 22 + 18, nPrevious = 0, nLast = 0;
    while (nOffset + 6 <= std::size_t(file.size())) {
        nLast = nPrevious;
        nPrevious = nOffset;
        nOffset += 2 * std::size_t(qFromLittleEndian<quint32>(file.constData() + nOffset));
    }
    nLastRecord = nLast;
    return file;
}

// Hand-made records: the type or function, then the fields as they lie in the file.
QByteArray EmfRecord(quint32 nType, std::initializer_list<quint32> fields, QByteArray tail = {})
{
    QByteArray record(8, '\0');
    for (quint32 n : fields)
        record.append(reinterpret_cast<const char*>(&n), 4); // the test machine is little-endian
    record.append(tail);
    record.append(QByteArray((4 - record.size() % 4) % 4, '\0'));
    qToLittleEndian(nType, record.data());
    qToLittleEndian(quint32(record.size()), record.data() + 4);
    return record;
}

QByteArray WmfRecord(quint16 nFunction, std::initializer_list<quint16> params)
{
    QByteArray record(6, '\0');
    for (quint16 n : params)
        record.append(reinterpret_cast<const char*>(&n), 2);
    qToLittleEndian(quint32(record.size() / 2), record.data());
    qToLittleEndian(nFunction, record.data() + 4);
    return record;
}

// A record made by libuemf, as bytes.
QByteArray EmfBytes(char* pRecord)
{
    const QByteArray record(pRecord, qFromLittleEndian<qint32>(pRecord + 4));
    std::free(pRecord);
    return record;
}

// Red over the left half, then the hostile records, then a blue polygon over
// the right half: playback must step over the hostile part to draw the blue.
QByteArray AroundEmf(const QList<QByteArray>& records)
{
    CTestEmf emf(100, 100);
    SelectBrush(emf, 0xFF0000);
    emf.Add(U_EMRRECTANGLE_set(Rect(0, 0, 50, 100)));
    for (const QByteArray& record : records)
        emf.Add(RawRecord(record));
    SelectBrush(emf, 0x0000FF, false);
    const U_POINTL blue[] = {point32_set(50, 0), point32_set(100, 0), point32_set(100, 100),
                             point32_set(50, 100)};
    emf.Add(U_EMRPOLYGON_set(Rect(50, 0, 100, 100), 4, blue));
    return emf.Finish();
}

QByteArray AroundWmf(const QList<QByteArray>& records)
{
    CTestWmf wmf(1, 1, 1000);
    wmf.Add(U_WMRSETWINDOWEXT_set(point16_set(1000, 1000)));
    SelectBrush(wmf, 0xFF0000);
    wmf.Add(U_WMRRECTANGLE_set(Rect16(0, 0, 500, 1000)));
    for (const QByteArray& record : records)
        wmf.Add(RawRecord(record));
    SelectBrush(wmf, 0x0000FF, false);
    const U_POINT16 blue[] = {point16_set(500, 0), point16_set(1000, 0), point16_set(1000, 1000),
                              point16_set(500, 1000)};
    wmf.Add(U_WMRPOLYGON_set(4, blue));
    return wmf.Finish();
}

// A bitmap header of 4 x 4 pixels whose bits are a green PNG of w x h.
QByteArray PngDib(int w, int h)
{
    QImage png(w, h, QImage::Format_Mono);
    png.setColorTable({qRgb(0, 255, 0), qRgb(0, 255, 0)});
    png.fill(0);
    QByteArray bits;
    QBuffer buffer(&bits);
    buffer.open(QIODevice::WriteOnly);
    png.save(&buffer, "PNG");
    const U_BITMAPINFOHEADER bmih =
        bitmapinfoheader_set(4, 4, 1, 0, U_BI_PNG, uint32_t(bits.size()), 0, 0, 0, 0);
    return QByteArray(reinterpret_cast<const char*>(&bmih), sizeof bmih) + bits;
}

// 50 red stripes of 2 x 100 pixels, left to right, one record each.
QByteArray StripesEmf()
{
    CTestEmf emf(100, 100);
    SelectBrush(emf, 0xFF0000);
    for (int x = 0; x < 100; x += 2)
        emf.Add(U_EMRRECTANGLE_set(Rect(x, 0, x + 2, 100)));
    return emf.Finish();
}

QByteArray StripesWmf()
{
    CTestWmf wmf(1, 1, 100);
    wmf.Add(U_WMRSETWINDOWEXT_set(point16_set(100, 100)));
    SelectBrush(wmf, 0xFF0000);
    for (int x = 0; x < 100; x += 2)
        wmf.Add(U_WMRRECTANGLE_set(Rect16(x, 0, x + 2, 100)));
    return wmf.Finish();
}

// A polyline of 20,000 points in one pixel, then a red rectangle over everything.
QByteArray LongPolylineThenRedEmf()
{
    CTestEmf emf(100, 100);
    std::vector<U_POINTL> arPoints(20000, point32_set(1, 1));
    emf.Add(U_EMRPOLYLINE_set(Rect(1, 1, 1, 1), uint32_t(arPoints.size()), arPoints.data()));
    SelectBrush(emf, 0xFF0000);
    emf.Add(U_EMRRECTANGLE_set(Rect(0, 0, 100, 100)));
    return emf.Finish();
}

// nPoints pseudo-random points over 100 x 100 pixels, filled red or stroked
// red three pixels wide; bPath: filled as a path; nReach: the points go to and
// fro on the diagonal instead, reaching that far from the centre.
QByteArray TangleEmf(int nPoints, bool bStroke, bool bPath = false, int nReach = 0)
{
    CTestEmf emf(100, 100);
    uint32_t ih = 0;
    PU_EXTLOGPEN pPen =
        extlogpen_set(U_PS_GEOMETRIC | U_PS_SOLID, 3, U_BS_SOLID, Color(0xFF0000), 0, 0, nullptr);
    emf.Add(extcreatepen_set(&ih, emf.Handles(), nullptr, 0, nullptr, pPen));
    std::free(pPen);
    emf.Add(bStroke ? selectobject_set(ih, emf.Handles()) : U_EMRSELECTOBJECT_set(U_NULL_PEN));
    SelectBrush(emf, 0xFF0000, false);
    std::vector<U_POINTL> arPoints;
    QRandomGenerator rng(99);
    for (int i = 0; i < nPoints; ++i) {
        const int d = i % 2 ? nReach : -nReach;
        arPoints.push_back(nReach ? point32_set(50 + d, 50 + d)
                                  : point32_set(int(rng.bounded(100)), int(rng.bounded(100))));
    }
    const uint32_t n = uint32_t(arPoints.size());
    if (bPath)
        emf.Add(U_EMRBEGINPATH_set());
    emf.Add(bStroke ? U_EMRPOLYLINE_set(Rect(0, 0, 100, 100), n, arPoints.data())
                    : U_EMRPOLYGON_set(Rect(0, 0, 100, 100), n, arPoints.data()));
    if (bPath) {
        emf.Add(U_EMRENDPATH_set());
        emf.Add(U_EMRFILLPATH_set(Rect(0, 0, 100, 100)));
    }
    return emf.Finish();
}

// A red shape turned by 10 degrees: an ellipse of w x 60 pixels, or a spike
// that reaches h pixels down.
QByteArray TurnedEmf(int w, int h)
{
    CTestEmf emf(100, 100);
    emf.Add(U_EMRSETWORLDTRANSFORM_set(xform_set(0.985f, 0.174f, -0.174f, 0.985f, 0, 0)));
    SelectBrush(emf, 0xFF0000);
    if (h == 0) {
        emf.Add(U_EMRELLIPSE_set(Rect(50 - w / 2, 20, 50 + w / 2, 80)));
    } else {
        const U_POINTL aSpike[] = {point32_set(30, 30), point32_set(70, 30), point32_set(50, h)};
        emf.Add(U_EMRPOLYGON_set(Rect(30, 30, 70, h), 3, aSpike));
    }
    return emf.Finish();
}

// How many pixels have the colour, or with bOther, neither it nor white.
int CountPixels(const QImage& img, QRgb rgb, bool bOther = false)
{
    int n = 0;
    for (int y = 0; y < img.height(); ++y) {
        for (int x = 0; x < img.width(); ++x)
            n += bOther ? img.pixel(x, y) != rgb && img.pixel(x, y) != kWhite
                        : img.pixel(x, y) == rgb;
    }
    return n;
}

QByteArray WithSize(QByteArray file, std::size_t nOffset, quint32 nSize)
{
    qToLittleEndian(nSize, file.data() + nOffset);
    return file;
}

} // namespace

void TestMetafileBadInput::refused_data()
{
    QTest::addColumn<QByteArray>("file");

    QTest::newRow("zero bytes") << QByteArray();
    QByteArray random(4096, Qt::Uninitialized);
    QRandomGenerator rng(7);
    for (char& c : random)
        c = char(rng.bounded(256));
    QTest::newRow("random bytes") << random;
    QTest::newRow("text") << QByteArray("These are my notes, not a picture.\n");

    std::size_t nLast = 0;
    const QByteArray emf = RedThenBlueEmf(nLast);
    for (int nCut : {4, 40, 44, 87})
        QTest::addRow("EMF cut at %d in its header", nCut) << emf.left(nCut);
    const QByteArray wmf = RedThenBlueWmf(nLast);
    for (int nCut : {4, 21, 30})
        QTest::addRow("WMF cut at %d in its header", nCut) << wmf.left(nCut);
    {
        CTestWmf huge(32, 32, 1); // a box of 32 inches at one unit per inch is fine...
        QByteArray file = huge.Finish();
        qToLittleEndian<qint16>(32767, file.data() + 10); // ...32767 inches is not
        qToLittleEndian<qint16>(32767, file.data() + 12);
        QTest::newRow("WMF box of 832 metres") << file;
    }
    {
        CTestEmf huge(100, 100);
        QByteArray file = huge.Finish();
        qToLittleEndian<qint32>(2000000000, file.data() + 32); // rclFrame right and bottom
        qToLittleEndian<qint32>(2000000000, file.data() + 36);
        QTest::newRow("EMF frame of 20 km") << file;
    }
    {
        CTestWmf wmf; // no placeable header and no window: no size
        QTest::newRow("WMF without any size") << wmf.Finish();
    }
}

void TestMetafileBadInput::refused()
{
    QFETCH(QByteArray, file);
    const CExactBytes bytes(file);
    QVERIFY(!CMetafilePicture::Load(bytes.View()));
}

void TestMetafileBadInput::partial_data()
{
    QTest::addColumn<QByteArray>("file");

    std::size_t nEmfLast = 0, nWmfLast = 0;
    const QByteArray emf = RedThenBlueEmf(nEmfLast);
    const QByteArray wmf = RedThenBlueWmf(nWmfLast);
    const std::size_t nEmfRest = std::size_t(emf.size()) - nEmfLast;
    const std::size_t nWmfRest = std::size_t(wmf.size()) - nWmfLast;

    QTest::newRow("EMF cut in its last rectangle") << emf.left(int(nEmfLast + 12));
    QTest::newRow("EMF cut after its record header") << emf.left(int(nEmfLast + 8));
    QTest::newRow("EMF record size zero") << WithSize(emf, nEmfLast + 4, 0);
    QTest::newRow("EMF record size odd") << WithSize(emf, nEmfLast + 4, 25);
    QTest::newRow("EMF record size past the end")
        << WithSize(emf, nEmfLast + 4, quint32(nEmfRest + 4));
    QTest::newRow("EMF record size huge") << WithSize(emf, nEmfLast + 4, 0xFFFFFFF0u);

    QTest::newRow("WMF cut in its last rectangle") << wmf.left(int(nWmfLast + 8));
    QTest::newRow("WMF record size zero") << WithSize(wmf, nWmfLast, 0);
    QTest::newRow("WMF record size past the end")
        << WithSize(wmf, nWmfLast, quint32(nWmfRest / 2 + 1));
    QTest::newRow("WMF record size huge") << WithSize(wmf, nWmfLast, 0xFFFFFFFFu);
}

void TestMetafileBadInput::partial()
{
    QFETCH(QByteArray, file);
    const CExactBytes bytes(file);
    const CPicturePtr picture = CMetafilePicture::Load(bytes.View());
    QVERIFY(picture);
    // What came before the damage is drawn; the damaged record is not.
    const QImage img = RenderPicture(*picture, 100, 100);
    QCOMPARE(img.pixel(25, 50), kRed);
    QCOMPARE(img.pixel(75, 50), kWhite);
}

void TestMetafileBadInput::hostileRecordSkipped_data()
{
    QTest::addColumn<QByteArray>("file");

    // Polygons: a record too short for its count, and counts beyond the record.
    QTest::newRow("WMF polygon without points") << AroundWmf({WmfRecord(0x0324, {})});
    QTest::newRow("WMF polyline without points") << AroundWmf({WmfRecord(0x0325, {})});
    QTest::newRow("WMF polypolygon counts past the record")
        << AroundWmf({WmfRecord(0x0538, {2, 0xFFFF, 0xFFFF, 1, 1})});
    QTest::newRow("EMF polygon of 2^31 points")
        << AroundEmf({EmfRecord(U_EMR_POLYGON, {0, 0, 0, 0, 0x80000000u, 1, 1})});
    QTest::newRow("EMF polypolygon counts that wrap") << AroundEmf({EmfRecord(
        U_EMR_POLYPOLYGON16, {0, 0, 0, 0, 2, 2, 0xFFFFFFFFu, 3, 0x00010001, 0x00020002})});
    QTest::newRow("EMF polydraw of 2^30 points")
        << AroundEmf({EmfRecord(U_EMR_POLYDRAW16, {0, 0, 0, 0, 0x40000000u, 1, 1})});
    // Text: a count beyond the record, an offset past its end.
    QTest::newRow("WMF text longer than its record") << AroundWmf({WmfRecord(0x0521, {0xFFFF, 1})});
    QTest::newRow("WMF ExtTextOut longer than its record")
        << AroundWmf({WmfRecord(0x0A32, {0, 0, 0x7FFF, U_ETO_CLIPPED, 0, 0})});
    QTest::newRow("EMF text of 2^31 characters far away")
        << AroundEmf({EmfRecord(U_EMR_EXTTEXTOUTW, {0, 0, 0, 0, 1, 0, 0, 0, 0, 0x80000000u,
                                                    0xFFFFFFF0u, 0, 0, 0, 0, 0, 0xFFFFFFF0u})});
    // Regions, palettes, objects and the state stack.
    QTest::newRow("EMF region claiming 2^32-1 rectangles")
        << AroundEmf({EmfRecord(U_EMR_EXTSELECTCLIPRGN, {48, U_RGN_COPY, 32, 1, 0xFFFFFFFFu, 16, 0,
                                                         0, 100, 100, 0, 0, 100, 100})});
    QTest::newRow("EMF palette of 65535 entries")
        << AroundEmf({EmfRecord(U_EMR_CREATEPALETTE, {1, 0xFFFF0300u})});
    QTest::newRow("EMF objects at the ends of the index range") << AroundEmf(
        {EmfRecord(U_EMR_CREATEBRUSHINDIRECT, {0xFFFFFFFFu, 0, 0x00FF00, 0}),
         EmfRecord(U_EMR_SELECTOBJECT, {0xFFFFFFFFu}), EmfRecord(U_EMR_DELETEOBJECT, {0x7FFFFFFFu}),
         EmfRecord(U_EMR_SELECTOBJECT, {0x80000000u | 0x7FFFFFFFu})});
    QTest::newRow("WMF objects past the handle table")
        << AroundWmf({WmfRecord(0x012D, {0xFFFF}), WmfRecord(0x01F0, {0xFFFF})});
    QTest::newRow("EMF RestoreDC to the most negative state")
        << AroundEmf({EmfRecord(U_EMR_SAVEDC, {}), EmfRecord(U_EMR_RESTOREDC, {0x80000000u})});
    QTest::newRow("EMF pen with 2^32-1 style entries") << AroundEmf({EmfRecord(
        U_EMR_EXTCREATEPEN, {1, 0, 0, 0, 0, U_PS_USERSTYLE, 1, 0, 0, 0, 0xFFFFFFFFu, 5})});
    // Bitmaps: sizes that overflow a stride, and a compressed one beyond the limit.
    QTest::newRow("EMF bitmap of 2^31 rows") << AroundEmf({EmfRecord(
        U_EMR_STRETCHDIBITS,
        {0,         0,   0,   0,  0,       0,           0,          0, 4, 4, 80, 40, 120, 4, 0,
         U_SRCCOPY, 100, 100, 40, 0x10000, 0x80000000u, 0x00180001, 0, 0, 0, 0,  0,  0,   0})});
    {
        // 2 x 1 pixels stretched to 1.3 x 0.7 device pixels at (40, 20), the
        // mapping mirrored upward: Qt itself once read outside the bitmap.
        const SDib dib = TwoBandDib(4, 1, 0x00FF00, 0x00FF00);
        auto* pBmi = reinterpret_cast<PU_BITMAPINFO>(const_cast<char*>(dib.bmi.constData()));
        QTest::newRow("EMF bitmap blitted tiny under an upward mapping") << AroundEmf(
            {EmfBytes(U_EMRSAVEDC_set()), EmfBytes(U_EMRSETMAPMODE_set(U_MM_ANISOTROPIC)),
             EmfBytes(U_EMRSETWINDOWEXTEX_set(sizel_set(2500, -2500))),
             EmfBytes(U_EMRSETVIEWPORTEXTEX_set(sizel_set(100, 100))),
             EmfBytes(U_EMRSETVIEWPORTORGEX_set(point32_set(0, 100))),
             EmfBytes(U_EMRSTRETCHDIBITS_set(
                 Rect(0, 0, 100, 100), point32_set(1000, 1991), point32_set(33, 17),
                 point32_set(0, 0), point32_set(2, 1), U_DIB_RGB_COLORS, U_SRCCOPY, pBmi,
                 uint32_t(dib.bits.size()), const_cast<char*>(dib.bits.constData()))),
             EmfBytes(U_EMRRESTOREDC_set(-1))});
    }
    {
        // A clip path past the path limit becomes a region, which is then
        // moved further than any device reaches.
        std::vector<U_POINTL> arPoints;
        for (int i = 0; i < 300; ++i)
            arPoints.push_back(point32_set(i % 2 ? 0 : 100, i / 3));
        QTest::newRow("EMF clip region moved by 2^31-1") << AroundEmf(
            {EmfBytes(U_EMRSAVEDC_set()), EmfBytes(U_EMRBEGINPATH_set()),
             EmfBytes(U_EMRPOLYGON_set(Rect(0, 0, 100, 100), 300, arPoints.data())),
             EmfBytes(U_EMRENDPATH_set()), EmfBytes(U_EMRSELECTCLIPPATH_set(U_RGN_COPY)),
             EmfBytes(U_EMROFFSETCLIPRGN_set(point32_set(0x7FFFFFFF, 0x7FFFFFFF))),
             EmfBytes(U_EMRRESTOREDC_set(-1))});
    }
    QTest::newRow("EMF bitmap: a PNG beyond the pixel limit") << [] {
        const QByteArray dib = PngDib(4100, 4100);
        return AroundEmf(
            {EmfRecord(U_EMR_STRETCHDIBITS,
                       {0, 0, 0, 0, 0, 0, 0, 0, 4, 4, 80, 40, 120, quint32(dib.size() - 40),
                        U_DIB_RGB_COLORS, U_SRCCOPY, 100, 100},
                       dib)});
    }();
}

void TestMetafileBadInput::hostileRecordSkipped()
{
    QFETCH(QByteArray, file);
    KeepForCorpus(file, QTest::currentDataTag());
    const CExactBytes bytes(file);
    const CPicturePtr picture = CMetafilePicture::Load(bytes.View());
    QVERIFY(picture);
    const QImage img = RenderPicture(*picture, 100, 100);
    QCOMPARE(img.pixel(25, 50), kRed);
    QCOMPARE(img.pixel(75, 50), kBlue);
}

void TestMetafileBadInput::tangledShapesDrawnAliased_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<bool>("smooth");

    // At 100 x 100 pixels, edges longer than 64 x 200 pixels in all are a tangle.
    QTest::newRow("triangle, filled: smooth") << TangleEmf(3, false) << true;
    QTest::newRow("2,886-point tangle, filled: aliased") << TangleEmf(2886, false) << false;
    QTest::newRow("1,000-point tangle, stroked: aliased") << TangleEmf(1000, true) << false;
    QTest::newRow("2,886-point tangle, filled as a path: aliased")
        << TangleEmf(2886, false, true) << false;
    QTest::newRow("20 strokes of 8,500 pixels, 6,000 across: aliased")
        << TangleEmf(21, true, false, 3000) << false;
    // ...and so is a shape more than 64 x 200 pixels across.
    QTest::newRow("ellipse 60 pixels wide: smooth") << TurnedEmf(60, 0) << true;
    QTest::newRow("ellipse of 10^7 pixels: aliased") << TurnedEmf(10000000, 0) << false;
    QTest::newRow("spike reaching 7 million pixels down: aliased")
        << TurnedEmf(0, 7000000) << false;
}

void TestMetafileBadInput::tangledShapesDrawnAliased()
{
    QFETCH(QByteArray, file);
    QFETCH(bool, smooth);
    const CPicturePtr picture = CMetafilePicture::Load(file);
    QVERIFY(picture);
    const QImage img = RenderPicture(*picture, 100, 100);
    QCOMPARE(CountPixels(img, kRed, true) > 0, smooth);
}

void TestMetafileBadInput::workBudget_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<qint64>("budget");
    QTest::addColumn<int>("minRed");
    QTest::addColumn<int>("maxRed");

    // A stripe costs its record, a drawing call and its 200 pixels:
    // 1 + 64 + 200 / 128 = 66 units, after 3 units of pen and brush records in
    // the EMF and 5 in the WMF.
    constexpr qint64 kDefault = MetafileWork::kDefaultBudget;
    QTest::newRow("EMF stripes, default budget: whole")
        << StripesEmf() << kDefault << 10000 << 10000;
    QTest::newRow("WMF stripes, default budget: whole")
        << StripesWmf() << kDefault << 10000 << 10000;
    QTest::newRow("EMF stripes, budget of 663: the first ten")
        << StripesEmf() << qint64(663) << 2000 << 2000;
    QTest::newRow("EMF stripes, budget of 664: one more")
        << StripesEmf() << qint64(664) << 2200 << 2200;
    QTest::newRow("WMF stripes, budget of 665: the first ten")
        << StripesWmf() << qint64(665) << 2000 << 2000;
    QTest::newRow("EMF stripes, no budget: nothing") << StripesEmf() << qint64(0) << 0 << 0;
    QTest::newRow("long polyline, default budget: the rectangle after it")
        << LongPolylineThenRedEmf() << kDefault << 10000 << 10000;
    // 20,000 points at 5 units, a record and a drawing call: 100,065 units.
    QTest::newRow("long polyline spends a budget of 100,000")
        << LongPolylineThenRedEmf() << qint64(100000) << 0 << 0;
    QTest::newRow("2,886-point clip path, default budget: drawn")
        << ClipPathEmf(2886) << kDefault << 1000 << 10000;
}

void TestMetafileBadInput::workBudget()
{
    QFETCH(QByteArray, file);
    QFETCH(qint64, budget);
    QFETCH(int, minRed);
    QFETCH(int, maxRed);
    const CPicturePtr picture = CMetafilePicture::Load(file, budget);
    QVERIFY(picture);
    const int nRed = CountPixels(RenderPicture(*picture, 100, 100), kRed);
    QVERIFY2(nRed >= minRed && nRed <= maxRed, qPrintable(QString::number(nRed)));
}

void TestMetafileBadInput::mutatedFilesNeverCrash()
{
    std::size_t nLast = 0;
    const QByteArray seeds[] = {RedThenBlueEmf(nLast), RedThenBlueWmf(nLast)};
    QRandomGenerator rng(1234);
    int nLoaded = 0;
    for (int i = 0; i < 2000; ++i) {
        QByteArray file = seeds[i % 2];
        for (int n = 0; n < 1 + int(rng.bounded(8)); ++n)
            file[int(rng.bounded(quint32(file.size())))] = char(rng.bounded(256));
        if (rng.bounded(4) == 0)
            file.truncate(int(rng.bounded(quint32(file.size()))));
        const CExactBytes bytes(file);
        if (const CPicturePtr picture = CMetafilePicture::Load(bytes.View())) {
            RenderPicture(*picture, 32, 32);
            ++nLoaded;
        }
    }
    QVERIFY(nLoaded > 0); // the mutations reached playback, not only the header checks
}

QTEST_MAIN(TestMetafileBadInput)
#include "TestMetafileBadInput.moc"
