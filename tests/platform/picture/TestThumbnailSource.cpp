#include "TestThumbnailSource.h"

#include "common/TestPictures.h"
#include "common/TestWorkspace.h"
#include "platform/picture/CThumbnailSource.h"

#include <QCryptographicHash>
#include <QDateTime>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QTest>

#include <sys/stat.h>

namespace {

QImage Filled(QSize size, QColor color)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(color);
    return image;
}

// Which of the test colours the middle of an image has.
QColor Middle(const QImage& image)
{
    const QColor color = image.pixelColor(image.width() / 2, image.height() / 2);
    for (QColor known :
         {QColor(Qt::red), QColor(Qt::green), QColor(Qt::blue), QColor(Qt::yellow)}) {
        if (qAbs(color.red() - known.red()) < 40 && qAbs(color.green() - known.green()) < 40 &&
            qAbs(color.blue() - known.blue()) < 40)
            return known;
    }
    return color;
}

// A 640 x 480 blue photo; with a green 160 x 120 camera thumbnail when asked.
QByteArray Photo(bool bWithThumbnail, int nOrientation = 1)
{
    QImage thumbnail = Filled(QSize(160, 120), Qt::green);
    for (int y = 0; y < 20; ++y) {
        for (int x = 0; x < 20; ++x)
            thumbnail.setPixel(x, y, qRgb(255, 0, 0));
    }
    return MakeCameraJpeg(Filled(QSize(640, 480), Qt::blue), 90, nOrientation,
                          bWithThumbnail ? EncodeImage(thumbnail, "JPG", 95) : QByteArray());
}

QString LargeEntryPath(const QString& strCacheHome, const QString& strFolder, const char* szName)
{
    // The cache names an entry by the MD5 of the file's URI, spaces percent-encoded.
    const QByteArray uri = "file://" + QFile::encodeName(strFolder) + "/" + szName;
    return strCacheHome + "/thumbnails/large/" +
           QCryptographicHash::hash(uri, QCryptographicHash::Md5).toHex() + ".png";
}

QMap<QString, QByteArray> Checksums(const QString& strFolder)
{
    QMap<QString, QByteArray> checksums;
    QDirIterator it(strFolder, QDir::Files | QDir::Dirs | QDir::Hidden | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString strPath = it.next();
        QFile file(strPath);
        file.open(QIODevice::ReadOnly);
        checksums.insert(strPath,
                         QCryptographicHash::hash(file.readAll(), QCryptographicHash::Md5));
    }
    return checksums;
}

} // namespace

void TestThumbnailSource::initTestCase()
{
    QVERIFY(m_cacheHome.isValid());
    qputenv("XDG_CACHE_HOME", QFile::encodeName(m_cacheHome.path()));
}

void TestThumbnailSource::init()
{
    QDir(m_cacheHome.path() + "/thumbnails").removeRecursively();
}

void TestThumbnailSource::embeddedThumbnail_data()
{
    QTest::addColumn<QByteArray>("photo");
    QTest::addColumn<QSize>("cell");
    QTest::addColumn<QColor>("source");
    QTest::addColumn<QSize>("size");

    QTest::newRow("large enough: used")
        << Photo(true) << QSize(160, 160) << QColor(Qt::green) << QSize(160, 120);
    QTest::newRow("smaller than the cell: decoded")
        << Photo(true) << QSize(200, 200) << QColor(Qt::blue) << QSize(256, 192);
    QTest::newRow("none: decoded")
        << Photo(false) << QSize(100, 100) << QColor(Qt::blue) << QSize(128, 96);
    QTest::newRow("turned like the photo")
        << Photo(true, 6) << QSize(160, 160) << QColor(Qt::green) << QSize(120, 160);
}

void TestThumbnailSource::embeddedThumbnail()
{
    QFETCH(QByteArray, photo);
    QFETCH(QSize, cell);
    QFETCH(QColor, source);
    QFETCH(QSize, size);
    CTestWorkspace ws;
    const QImage thumbnail =
        CThumbnailSource().Thumbnail(ws.WriteFile(QStringLiteral("p.jpg"), photo), cell);
    QCOMPARE(thumbnail.size(), size);
    QCOMPARE(Middle(thumbnail), source);
    if (source == QColor(Qt::green)) {
        // The red corner is the stored top-left: upright it is at the top right when turned.
        const QPoint ptCorner =
            size.width() < size.height() ? QPoint(size.width() - 5, 5) : QPoint(5, 5);
        QCOMPARE(Middle(thumbnail.copy(QRect(ptCorner, QSize(1, 1)))), QColor(Qt::red));
    }
}

void TestThumbnailSource::cacheEntryUsedWhileFresh()
{
    CTestWorkspace ws;
    const QString strPath = ws.WriteFile(QStringLiteral("a b.jpg"), Photo(false));
    const QString strEntry = LargeEntryPath(m_cacheHome.path(), ws.Path(), "a%20b.jpg");
    const qint64 nMTime = QFileInfo(strPath).lastModified().toSecsSinceEpoch();
    QImage entry = Filled(QSize(256, 192), Qt::yellow);
    entry.setText("Thumb::URI", QUrl::fromLocalFile(strPath).toString(QUrl::FullyEncoded));
    entry.setText("Thumb::MTime", QString::number(nMTime));
    QVERIFY(QDir().mkpath(QFileInfo(strEntry).path()));
    QVERIFY(entry.save(strEntry, "PNG"));

    const CThumbnailSource source;
    QCOMPARE(Middle(source.Thumbnail(strPath, QSize(200, 150))), QColor(Qt::yellow));

    // The photo changes: the entry is stale, and the new decode replaces it.
    QFile file(strPath);
    QVERIFY(file.open(QIODevice::ReadWrite));
    QVERIFY(file.setFileTime(QDateTime::fromSecsSinceEpoch(nMTime + 60),
                             QFileDevice::FileModificationTime));
    file.close();
    QCOMPARE(Middle(source.Thumbnail(strPath, QSize(200, 150))), QColor(Qt::blue));
    const QImage written(strEntry);
    QCOMPARE(written.text("Thumb::MTime"), QString::number(nMTime + 60));
    QVERIFY(written.text("Thumb::URI").endsWith("/a%20b.jpg"));
    QCOMPARE(written.size(), QSize(256, 192));
    struct stat status = {};
    QCOMPARE(stat(QFile::encodeName(strEntry).constData(), &status), 0);
    QCOMPARE(status.st_mode & 0777, 0600u);
    QCOMPARE(QDir(QFileInfo(strEntry).path()).entryList(QDir::Files).size(), 1);
}

void TestThumbnailSource::corruptCacheEntryIgnored()
{
    CTestWorkspace ws;
    const QString strPath = ws.WriteFile(QStringLiteral("c.jpg"), Photo(false));
    const QString strEntry = LargeEntryPath(m_cacheHome.path(), ws.Path(), "c.jpg");
    QVERIFY(QDir().mkpath(QFileInfo(strEntry).path()));
    QByteArray png = EncodeImage(Filled(QSize(256, 192), Qt::yellow), "PNG");
    png.truncate(png.size() / 2);
    QFile file(strEntry);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(png);
    file.close();
    QCOMPARE(Middle(CThumbnailSource().Thumbnail(strPath, QSize(256, 256))), QColor(Qt::blue));
    // Replaced by the picture's own thumbnail.
    const QImage written(strEntry);
    QCOMPARE(written.size(), QSize(256, 192));
    QCOMPARE(Middle(written), QColor(Qt::blue));
}

void TestThumbnailSource::everyScaledThumbnailWritten()
{
    // A small picture decodes in no time: its entry is written all the same.
    CTestWorkspace ws;
    const QString strPath =
        ws.WriteFile(QStringLiteral("s.bmp"), EncodeImage(Filled(QSize(300, 200), Qt::red), "BMP"));
    const QString strEntry = LargeEntryPath(m_cacheHome.path(), ws.Path(), "s.bmp");
    QCOMPARE(Middle(CThumbnailSource().Thumbnail(strPath, QSize(200, 200))), QColor(Qt::red));
    QVERIFY(QFile::exists(strEntry));

    // A cache that cannot be written costs the entry, not the thumbnail.
    const QString strBlocked = ws.WriteFile(QStringLiteral("not-a-folder"), "x");
    const QByteArray home = qgetenv("XDG_CACHE_HOME");
    qputenv("XDG_CACHE_HOME", QFile::encodeName(strBlocked + QStringLiteral("/cache")));
    const QImage thumbnail = CThumbnailSource().Thumbnail(
        ws.WriteFile(QStringLiteral("t.bmp"),
                     EncodeImage(Filled(QSize(300, 200), Qt::blue), "BMP")),
        QSize(200, 200));
    qputenv("XDG_CACHE_HOME", home);
    QCOMPARE(Middle(thumbnail), QColor(Qt::blue));
}

void TestThumbnailSource::nothingWrittenBesidePictures()
{
    CTestWorkspace ws;
    ws.WriteFile(QStringLiteral("p1.jpg"), Photo(true));
    ws.WriteFile(QStringLiteral("p2.jpg"), Photo(false));
    ws.WriteFile(QStringLiteral("p3.bmp"), EncodeImage(Filled(QSize(300, 200), Qt::blue), "BMP"));
    ws.WriteFile(QStringLiteral("notes.jpg"), "not a picture");
    const QMap<QString, QByteArray> before = Checksums(ws.Path());

    const CThumbnailSource source;
    for (const QString& strName : QDir(ws.Path()).entryList(QDir::Files)) {
        for (QSize cell : {QSize(100, 100), QSize(256, 200), QSize(600, 600)})
            source.Thumbnail(ws.FilePath(strName), cell);
    }
    QCOMPARE(Checksums(ws.Path()), before);
    // Entries went to the cache instead; p1's own thumbnail serves the small cell.
    QCOMPARE(QDir(m_cacheHome.path() + "/thumbnails/normal").entryList(QDir::Files).size(), 2);
    QCOMPARE(QDir(m_cacheHome.path() + "/thumbnails/large").entryList(QDir::Files).size(), 3);
}

QTEST_MAIN(TestThumbnailSource)
