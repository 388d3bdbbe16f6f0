#include "TestPictureDecoder.h"

#include "common/TestCameraFiles.h"
#include "common/TestPictures.h"
#include "common/TestWorkspace.h"
#include "platform/picture/CRasterPicture.h"
#include "platform/picture/CThumbnailSource.h"
#include "platform/picture/PictureDecoder.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QPainter>
#include <QRandomGenerator>
#include <QTest>
#include <QThread>
#include <QtConcurrent/QtConcurrentRun>

#include <sys/stat.h>
#include <unistd.h>

namespace {

// The whole picture drawn upright into an image of the given size, as every caller draws it.
QImage Draw(const CPicturePtr& pPicture, QSize size)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::black);
    QPainter painter(&image);
    const QSize szHimetric = pPicture->GetHimetricSize();
    pPicture->Render(painter, QRect(QPoint(0, 0), size),
                     QRect(0, szHimetric.height(), szHimetric.width(), -szHimetric.height()),
                     QRect(QPoint(0, 0), size));
    return image;
}

bool IsRed(QRgb rgb)
{
    return qRed(rgb) > 200 && qGreen(rgb) < 60 && qBlue(rgb) < 60;
}

bool IsWhite(QRgb rgb)
{
    return qRed(rgb) > 200 && qGreen(rgb) > 200 && qBlue(rgb) > 200;
}

// 40 x 30 white with a red 10-pixel square at (20, 10).
QImage Marked()
{
    return MakeMarkedImage(QSize(40, 30), QPoint(20, 10), 10);
}

QImage Filled(QSize size, QColor color)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(color);
    return image;
}

// Runs the reader on a named pipe that nothing writes to: true when it came
// back at once and refused it. A blocked reader is released by opening the
// pipe's other end.
template <typename F> bool RefusesPipeAtOnce(F read)
{
    CTestWorkspace ws;
    const QString strPipe = ws.FilePath(QStringLiteral("pipe.jpg"));
    if (::mkfifo(QFile::encodeName(strPipe).constData(), 0600) != 0)
        return false;
    QFuture<bool> future = QtConcurrent::run(read, strPipe);
    QDeadlineTimer deadline(5000);
    while (!future.isFinished() && !deadline.hasExpired())
        QThread::msleep(5);
    const bool bReturned = future.isFinished();
    if (!bReturned) {
        QFile writer(strPipe);
        writer.open(QIODevice::WriteOnly);
        writer.close();
        future.waitForFinished();
    }
    return bReturned && future.result();
}

} // namespace

void TestPictureDecoder::rasterFormats_data()
{
    QTest::addColumn<QByteArray>("bytes");

    QTest::newRow("jpg") << EncodeImage(Marked(), "JPG", 95);
    QTest::newRow("bmp") << EncodeImage(Marked(), "BMP");
    QTest::newRow("gif first of two frames")
        << MakeGif({Marked(), Filled(QSize(40, 30), Qt::blue)});
    QTest::newRow("ico largest of three")
        << MakeIcon({Filled(QSize(16, 16), Qt::blue), Marked(), Filled(QSize(32, 24), Qt::blue)});
    QTest::newRow("cur largest of two")
        << MakeIcon({Filled(QSize(24, 24), Qt::blue), Marked()}, true);
    QTest::newRow("png") << EncodeImage(Marked(), "PNG");
    QTest::newRow("webp") << EncodeImage(Marked(), "WEBP", 95);
    QTest::newRow("tiff") << EncodeImage(Marked(), "TIFF");
    QTest::newRow("heic") << MakeHeic(Marked(), 1, QString(), 90);
}

void TestPictureDecoder::rasterFormats()
{
    QFETCH(QByteArray, bytes);
    const CPicturePtr pPicture = DecodePictureData(bytes);
    QVERIFY(pPicture);
    // 40 x 30 pixels on a 96-dpi screen.
    QCOMPARE(pPicture->GetHimetricSize(), QSize(1058, 794));

    const QImage same = Draw(pPicture, QSize(40, 30));
    QVERIFY(IsRed(same.pixel(25, 15)));
    QVERIFY(IsWhite(same.pixel(10, 15)));
    QVERIFY(IsWhite(same.pixel(25, 25)));

    const QImage doubled = Draw(pPicture, QSize(80, 60));
    QVERIFY(IsRed(doubled.pixel(50, 30)));
    QVERIFY(IsWhite(doubled.pixel(50, 10)));
    QVERIFY(IsWhite(doubled.pixel(30, 30)));
}

void TestPictureDecoder::exifOrientationSixIsUpright()
{
    // Stored 40 wide and 20 high, red in the top-left corner; orientation 6 turns
    // it a quarter clockwise, so upright it is 20 x 40 with red at the top right.
    const QImage stored = MakeMarkedImage(QSize(40, 20), QPoint(0, 0), 10);
    const CPicturePtr pPicture = DecodePictureData(MakeCameraJpeg(stored, 95, 6));
    QVERIFY(pPicture);
    QCOMPARE(pPicture->GetHimetricSize(), QSize(529, 1058));

    const QImage upright = Draw(pPicture, QSize(20, 40));
    QVERIFY(IsRed(upright.pixel(15, 4)));
    QVERIFY(IsWhite(upright.pixel(4, 4)));
    QVERIFY(IsWhite(upright.pixel(15, 30)));

    // Fitted, the turned picture still covers the box it is drawn in.
    const CPicturePtr pFitted = DecodePictureData(MakeCameraJpeg(stored, 95, 6), QSize(10, 20));
    const auto* pRaster = dynamic_cast<const CRasterPicture*>(pFitted.get());
    QVERIFY(pRaster);
    QCOMPARE(pRaster->GetImage().size(), QSize(10, 20));
    QCOMPARE(pFitted->GetHimetricSize(), QSize(529, 1058));
}

void TestPictureDecoder::cameraFilesUpright_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QSize>("upright");
    QTest::addColumn<QPoint>("red");
    QTest::addColumn<QPoint>("white");

    // Stored 40 x 20, red in the top-left corner.
    const QImage stored = MakeMarkedImage(QSize(40, 20), QPoint(0, 0), 10);
    const QByteArray preview = EncodeImage(stored, "JPG", 95);
    const auto dng = [&](int nOrientation) {
        return MakeDng(preview, QSize(40, 20), QSize(64, 48), nOrientation);
    };
    QTest::newRow("heic as stored") << "a.heic" << MakeHeic(stored, 1, QString(), 90)
                                    << QSize(40, 20) << QPoint(4, 4) << QPoint(35, 15);
    QTest::newRow("heic a quarter clockwise") << "b.HEIC" << MakeHeic(stored, 6, QString(), 90)
                                              << QSize(20, 40) << QPoint(15, 4) << QPoint(4, 4);
    QTest::newRow("raw as stored")
        << "c.dng" << dng(1) << QSize(40, 20) << QPoint(4, 4) << QPoint(35, 15);
    QTest::newRow("raw a quarter clockwise")
        << "d.DNG" << dng(6) << QSize(20, 40) << QPoint(15, 4) << QPoint(4, 4);
    QTest::newRow("raw a quarter anticlockwise")
        << "e.dng" << dng(8) << QSize(20, 40) << QPoint(4, 35) << QPoint(15, 35);
    QTest::newRow("raw upside down")
        << "f.dng" << dng(3) << QSize(40, 20) << QPoint(35, 15) << QPoint(4, 4);
}

void TestPictureDecoder::cameraFilesUpright()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, bytes);
    QFETCH(QSize, upright);
    QFETCH(QPoint, red);
    QFETCH(QPoint, white);

    CTestWorkspace ws;
    const QString strPath = ws.WriteFile(name, bytes);
    QCOMPARE(PictureProblem(strPath), QString());
    const CPicturePtr pPicture = DecodePicture(strPath);
    QVERIFY(pPicture);
    QCOMPARE(pPicture->GetHimetricSize(),
             upright.width() == 40 ? QSize(1058, 529) : QSize(529, 1058));
    const QImage drawn = Draw(pPicture, upright);
    QVERIFY(IsRed(drawn.pixel(red)));
    QVERIFY(IsWhite(drawn.pixel(white)));
    QCOMPARE(CThumbnailSource().Thumbnail(strPath, QSize(64, 64)).size(), upright);
}

void TestPictureDecoder::damagedCameraFilesRefused_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("bytes");

    const QByteArray heic = MakeHeic(Marked());
    const QByteArray dng = MakeDng(EncodeImage(Marked(), "JPG"), QSize(40, 30), QSize(64, 48));
    QByteArray scrambled(4096, '\0');
    QRandomGenerator generator(11);
    for (char& c : scrambled)
        c = char(generator.bounded(256));
    QTest::newRow("heic cut short") << "a.heic" << heic.left(heic.size() * 2 / 5);
    QTest::newRow("heic header, random boxes") << "b.heic" << heic.left(32) + scrambled;
    QTest::newRow("raw cut in its first directory") << "c.dng" << dng.left(60);
    QTest::newRow("raw header, random body") << "d.nef" << dng.left(8) + scrambled;
    QTest::newRow("text named as raw") << "e.cr2" << QByteArray("not a raw file\n");
}

void TestPictureDecoder::damagedCameraFilesRefused()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, bytes);

    CTestWorkspace ws;
    const QString strPath = ws.WriteFile(name, bytes);
    QVERIFY(!DecodePicture(strPath));
    QCOMPARE(PictureProblem(strPath), QStringLiteral("not a picture Orvala can read"));
    QVERIFY(CThumbnailSource().Thumbnail(strPath, QSize(64, 64)).isNull());
}

void TestPictureDecoder::fittedDecodeKeepsNaturalSize()
{
    const QByteArray jpeg =
        EncodeImage(MakeMarkedImage(QSize(400, 300), QPoint(200, 100), 100), "JPG", 90);
    const CPicturePtr pFull = DecodePictureData(jpeg);
    const CPicturePtr pFitted = DecodePictureData(jpeg, QSize(100, 60));
    QVERIFY(pFull && pFitted);
    QCOMPARE(dynamic_cast<const CRasterPicture&>(*pFull).GetImage().size(), QSize(400, 300));
    QCOMPARE(dynamic_cast<const CRasterPicture&>(*pFitted).GetImage().size(), QSize(100, 75));
    QCOMPARE(pFitted->GetHimetricSize(), QSize(10583, 7938));
    QCOMPARE(pFull->GetHimetricSize(), QSize(10583, 7938));

    const QImage drawn = Draw(pFitted, QSize(100, 75));
    QVERIFY(IsRed(drawn.pixel(62, 37)));
    QVERIFY(IsWhite(drawn.pixel(37, 37)));
}

void TestPictureDecoder::textNamedJpgIsNoPicture()
{
    CTestWorkspace ws;
    const QString strPath = ws.FilePath(QStringLiteral("notes.jpg"));
    QFile file(strPath);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("Shopping: film, batteries, a tripod.\n");
    file.close();
    QVERIFY(!DecodePicture(strPath));
    QVERIFY(!DecodePicture(ws.FilePath(QStringLiteral("missing.jpg"))));

    // What the user is told, from the header alone.
    QCOMPARE(PictureProblem(strPath), QStringLiteral("not a picture Orvala can read"));
    QCOMPARE(PictureProblem(ws.FilePath(QStringLiteral("missing.jpg"))),
             QStringLiteral("No such file"));
    QCOMPARE(PictureProblem(ws.WriteFile(QStringLiteral("ok.bmp"), EncodePicture("BMP"))),
             QString());
    const QString strLocked = ws.WriteFile(QStringLiteral("locked.bmp"), EncodePicture("BMP"));
    QVERIFY(::chmod(QFile::encodeName(strLocked).constData(), 0) == 0);
    // Root reads anything: another user is refused.
    const bool bRoot = ::geteuid() == 0;
    QVERIFY(!bRoot || ::seteuid(65534) == 0);
    const QString strLockedProblem = PictureProblem(strLocked);
    QVERIFY(!bRoot || ::seteuid(0) == 0);
    QCOMPARE(strLockedProblem, QStringLiteral("Permission denied"));
}

void TestPictureDecoder::badInput_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("mayDecode");

    QTest::newRow("zero bytes") << QByteArray() << false;
    QByteArray random(4096, '\0');
    QRandomGenerator generator(7);
    for (char& c : random)
        c = char(generator.bounded(256));
    QTest::newRow("random bytes") << random << false;

    const QList<QPair<const char*, QByteArray>> arFormats = {
        {"jpg", EncodeImage(Marked(), "JPG", 90)},
        {"bmp", EncodeImage(Marked(), "BMP")},
        {"gif", MakeGif({Marked(), Marked()})},
        {"ico", MakeIcon({Filled(QSize(16, 16), Qt::blue), Marked()})},
        {"cur", MakeIcon({Marked()}, true)},
    };
    for (const auto& [szName, bytes] : arFormats) {
        for (int nPercent : {1, 10, 30, 60, 95}) {
            const int nLength = qMax(1, int(bytes.size() * nPercent / 100));
            QTest::addRow("%s cut at %d%%", szName, nPercent) << bytes.left(nLength) << true;
        }
    }

    // Headers that claim 30000 x 30000 pixels over a few bytes of data.
    QByteArray bmp = EncodeImage(Marked(), "BMP");
    const QByteArray huge("\x30\x75\x00\x00", 4);
    bmp.replace(18, 4, huge).replace(22, 4, huge);
    QTest::newRow("bmp claims 30000 square") << bmp << false;
    QByteArray gif = MakeGif({Marked()});
    gif.replace(6, 4, QByteArray("\x30\x75\x30\x75", 4));
    gif.replace(6 + 7 + 768 + 8 + 5, 4, QByteArray("\x30\x75\x30\x75", 4));
    QTest::newRow("gif claims 30000 square") << gif << true;
    QByteArray jpeg = EncodeImage(Marked(), "JPG", 90);
    const int nFrame = int(jpeg.indexOf(QByteArray("\xFF\xC0", 2)));
    QVERIFY(nFrame > 0);
    jpeg.replace(nFrame + 5, 4, QByteArray("\x75\x30\x75\x30", 4));
    QTest::newRow("jpg claims 30000 square") << jpeg << true;
}

void TestPictureDecoder::badInput()
{
    QFETCH(QByteArray, bytes);
    QFETCH(bool, mayDecode);
    const CPicturePtr pPicture = DecodePictureData(bytes);
    if (!mayDecode) {
        QVERIFY(!pPicture);
        return;
    }
    if (!pPicture)
        return;
    // A partial picture: drawable, and never more pixels than the limit allows.
    const auto* pRaster = dynamic_cast<const CRasterPicture*>(pPicture.get());
    QVERIFY(pRaster);
    const QSize szImage = pRaster->GetImage().size();
    QVERIFY(qint64(szImage.width()) * szImage.height() <= kMaxDecodedPixels);
    QVERIFY(!pPicture->GetHimetricSize().isEmpty());
    Draw(pPicture, QSize(40, 30));
}

void TestPictureDecoder::namedPipeRefusedAtOnce()
{
    QVERIFY(RefusesPipeAtOnce([](const QString& strPath) { return !DecodePicture(strPath); }));
    QVERIFY(RefusesPipeAtOnce(
        [](const QString& strPath) { return PictureProblem(strPath) == NotAPictureText(); }));
    QVERIFY(RefusesPipeAtOnce([](const QString& strPath) {
        return CThumbnailSource().Thumbnail(strPath, QSize(64, 64)).isNull();
    }));
}

QTEST_MAIN(TestPictureDecoder)
