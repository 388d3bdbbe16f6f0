#include "TestMetafiles.h"

#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QUuid>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

QString TempPath(const char* pszSuffix)
{
    return QDir::temp().filePath(
        QStringLiteral("orvala-test-%1%2")
            .arg(QUuid::createUuid().toString(QUuid::Id128), QLatin1String(pszSuffix)));
}

QByteArray TakeFile(const QString& strPath)
{
    QFile file(strPath);
    QByteArray data;
    if (file.open(QIODevice::ReadOnly))
        data = file.readAll();
    file.remove();
    return data;
}

} // namespace

CTestEmf::CTestEmf(int nWidthPx, int nHeightPx, QRect rcBounds)
    : m_strPath(TempPath(".emf"))
{
    emf_start(m_strPath.toLocal8Bit().constData(), 1 << 16, 1 << 16, &m_pTrack);
    emf_htable_create(128, 128, &m_pHandles);
    if (rcBounds.isNull())
        rcBounds = QRect(0, 0, nWidthPx, nHeightPx);
    const U_RECTL rclBounds =
        TestMetafiles::Rect(rcBounds.left(), rcBounds.top(), rcBounds.right(), rcBounds.bottom());
    const U_RECTL rclFrame = TestMetafiles::Rect(0, 0, nWidthPx * 25, nHeightPx * 25);
    Add(U_EMRHEADER_set(rclBounds, rclFrame, nullptr, 0, nullptr, sizel_set(1000, 1000),
                        sizel_set(250, 250), 0));
}

CTestEmf::~CTestEmf()
{
    if (m_pTrack)
        emf_free(&m_pTrack);
    if (m_pHandles)
        emf_htable_free(&m_pHandles);
    QFile::remove(m_strPath);
}

void CTestEmf::Add(char* pRecord)
{
    emf_append(reinterpret_cast<U_ENHMETARECORD*>(pRecord), m_pTrack, 1);
}

QByteArray CTestEmf::Finish()
{
    Add(U_EMREOF_set(0, nullptr, m_pTrack));
    emf_finish(m_pTrack, m_pHandles);
    emf_free(&m_pTrack);
    return TakeFile(m_strPath);
}

CTestWmf::CTestWmf()
{
    Start(nullptr, 0);
}

CTestWmf::CTestWmf(double dWidthInches, double dHeightInches, int nUnitsPerInch)
{
    U_PAIRF* pSize = U_PAIRF_set(float(dWidthInches), float(dHeightInches));
    Start(pSize, nUnitsPerInch);
    std::free(pSize);
}

void CTestWmf::Start(U_PAIRF* pSize, int nUnitsPerInch)
{
    m_strPath = TempPath(".wmf");
    wmf_start(m_strPath.toLocal8Bit().constData(), 1 << 16, 1 << 16, &m_pTrack);
    wmf_htable_create(128, 128, &m_pHandles);
    wmf_header_append(
        reinterpret_cast<U_METARECORD*>(U_WMRHEADER_set(pSize, unsigned(nUnitsPerInch))), m_pTrack,
        1);
}

CTestWmf::~CTestWmf()
{
    if (m_pTrack)
        wmf_free(&m_pTrack);
    if (m_pHandles)
        wmf_htable_free(&m_pHandles);
    QFile::remove(m_strPath);
}

void CTestWmf::Add(char* pRecord)
{
    wmf_append(reinterpret_cast<U_METARECORD*>(pRecord), m_pTrack, 1);
}

QByteArray CTestWmf::Finish()
{
    Add(U_WMREOF_set());
    wmf_finish(m_pTrack);
    wmf_free(&m_pTrack);
    return TakeFile(m_strPath);
}

TestMetafiles::SDib TestMetafiles::TwoBandDib(int nWidth, int nHeight, quint32 nTopRgb,
                                              quint32 nBottomRgb)
{
    SDib dib;
    const U_BITMAPINFOHEADER bmih =
        bitmapinfoheader_set(nWidth, nHeight, 1, 24, U_BI_RGB, 0, 3780, 3780, 0, 0);
    dib.bmi = QByteArray(reinterpret_cast<const char*>(&bmih), sizeof bmih);
    const int nStride = (nWidth * 3 + 3) / 4 * 4;
    dib.bits = QByteArray(nStride * nHeight, '\0');
    for (int y = 0; y < nHeight; ++y) {
        // Rows run bottom-up.
        const quint32 nRgb = y < nHeight / 2 ? nBottomRgb : nTopRgb;
        for (int x = 0; x < nWidth; ++x) {
            char* p = dib.bits.data() + y * nStride + 3 * x;
            p[0] = char(nRgb & 0xFF);
            p[1] = char((nRgb >> 8) & 0xFF);
            p[2] = char((nRgb >> 16) & 0xFF);
        }
    }
    return dib;
}

U_RECTL TestMetafiles::Rect(int l, int t, int r, int b)
{
    return rectl_set(point32_set(l, t), point32_set(r, b));
}

U_RECT16 TestMetafiles::Rect16(int l, int t, int r, int b)
{
    return U_RECT16_set(point16_set(int16_t(l), int16_t(t)), point16_set(int16_t(r), int16_t(b)));
}

U_COLORREF TestMetafiles::Color(quint32 nRgb)
{
    return colorref3_set(uint8_t(nRgb >> 16), uint8_t(nRgb >> 8), uint8_t(nRgb));
}

char* TestMetafiles::RawRecord(const QByteArray& record)
{
    char* p = static_cast<char*>(std::malloc(std::size_t(record.size())));
    std::memcpy(p, record.constData(), std::size_t(record.size()));
    return p;
}

QByteArray TestMetafiles::ClipPathEmf(int nPoints)
{
    CTestEmf emf(400, 300);
    emf.Add(U_EMRSETWORLDTRANSFORM_set(xform_set(0.94f, 0.34f, -0.34f, 0.94f, 60, -40)));
    emf.Add(U_EMRMODIFYWORLDTRANSFORM_set(xform_set(1, 0, 0, 1, 10, 5), U_MWT_LEFTMULTIPLY));
    std::vector<U_POINTL> arPoints;
    QRandomGenerator rng(2886);
    for (int i = 0; i < nPoints; ++i)
        arPoints.push_back(point32_set(int(rng.bounded(400)), int(rng.bounded(300))));
    emf.Add(U_EMRBEGINPATH_set());
    emf.Add(U_EMRPOLYGON_set(Rect(0, 0, 400, 300), uint32_t(arPoints.size()), arPoints.data()));
    emf.Add(U_EMRENDPATH_set());
    emf.Add(U_EMRSELECTCLIPPATH_set(U_RGN_AND));
    emf.Add(U_EMRSELECTOBJECT_set(U_NULL_PEN));
    uint32_t ih = 0;
    emf.Add(
        createbrushindirect_set(&ih, emf.Handles(), logbrush_set(U_BS_SOLID, Color(0xFF0000), 0)));
    emf.Add(selectobject_set(ih, emf.Handles()));
    emf.Add(U_EMRRECTANGLE_set(Rect(-100, -100, 500, 400)));
    return emf.Finish();
}
