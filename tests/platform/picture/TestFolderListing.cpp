#include "platform/picture/FolderListing.h"
#include "platform/picture/PictureFormats.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>

Q_DECLARE_METATYPE(EPictureDecoder)

class TestFolderListing : public QObject
{
    Q_OBJECT
private slots:
    void extension_data();
    void extension();
    void listsPictures_data();
    void listsPictures();
    void appendsAndCounts();
    void decoderOfExtension_data();
    void decoderOfExtension();
    void missingOrNoFolderFindsNothing();
};

namespace {

// Creates the files under the root: a name ending in "/" is a folder, one
// ending in "|" a named pipe, "name->target" a symbolic link.
void MakeTree(const QString& strRoot, const QStringList& arEntries)
{
    for (const QString& strEntry : arEntries) {
        const QString strPath = strRoot + QLatin1Char('/') + strEntry;
        if (strEntry.endsWith(QLatin1Char('/'))) {
            QVERIFY(QDir().mkpath(strPath));
            continue;
        }
        if (strEntry.endsWith(QLatin1Char('|'))) {
            QCOMPARE(::mkfifo(QFile::encodeName(strPath.chopped(1)).constData(), 0600), 0);
            continue;
        }
        if (strEntry.contains(QStringLiteral("->"))) {
            const QStringList arLink = strEntry.split(QStringLiteral("->"));
            QVERIFY(QFile::link(arLink[1], strRoot + QLatin1Char('/') + arLink[0]));
            continue;
        }
        QFile file(strPath);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("not read by the listing");
    }
}

} // namespace

void TestFolderListing::extension_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("extension");
    QTest::newRow("case kept") << "/p/PHOTO.JpG"
                               << "JpG";
    QTest::newRow("last dot of the whole path") << "/p/album.jpg/notes"
                                                << "jpg/notes";
    QTest::newRow("ends in a dot") << "/p/photo."
                                   << "";
    QTest::newRow("no dot") << "/p/photo"
                            << "";
    QTest::newRow("dot file") << "/p/.hidden"
                              << "hidden";
}

void TestFolderListing::extension()
{
    QFETCH(QString, path);
    QFETCH(QString, extension);
    QCOMPARE(GetExtension(path), extension);
}

void TestFolderListing::listsPictures_data()
{
    QTest::addColumn<QStringList>("entries");
    QTest::addColumn<QString>("extension");
    QTest::addColumn<QStringList>("listed");
    QTest::addColumn<bool>("allFormats");

    QTest::newRow("seven extensions, any case")
        << QStringList{"a.jpg", "b.BMP", "c.Gif",      "d.ico", "e.cur",    "f.wmf",
                       "g.EMF", "h.png", "photo.jpeg", "i.jpe", "PHOTO.JpG"}
        << ""
        << QStringList{"a.jpg", "b.BMP", "c.Gif", "d.ico", "e.cur", "f.wmf", "g.EMF", "PHOTO.JpG"}
        << false;
    QTest::newRow("natural order")
        << QStringList{"IMG_10.jpg", "img_2.jpg", "IMG_1.jpg", "b.jpg", "A.jpg"} << ""
        << QStringList{"A.jpg", "b.jpg", "IMG_1.jpg", "img_2.jpg", "IMG_10.jpg"} << false;
    QTest::newRow("folders and their contents skipped")
        << QStringList{"album.jpg/", "album.jpg/inner.jpg", "x.jpg/", "x.jpg/plain", "z.bmp"} << ""
        << QStringList{"z.bmp"} << false;
    QTest::newRow("dot files listed, dotless and dot-ended not")
        << QStringList{".hidden.jpg", "README", "photo.", "k.gif"} << ""
        << QStringList{".hidden.jpg", "k.gif"} << false;
    QTest::newRow("pipes and dangling links skipped, links to files listed")
        << QStringList{"a.jpg", "pipe.jpg|", "to-a.jpg->a.jpg", "gone.jpg->nowhere.jpg"} << ""
        << QStringList{"a.jpg", "to-a.jpg"} << false;
    QTest::newRow("extension narrows, filter still applies")
        << QStringList{"a.jpg", "b.bmp", "c.JPG", "d.jpeg"} << "jpg"
        << QStringList{"a.jpg", "c.JPG"} << false;

    const QStringList arMixed{"b.HEIC", "a.jpg",  "c.Dng", "notes.txt", "d.webp", "e.tiff",
                              "f.cr3",  "g.JFIF", "h.xcf", "i.Png",     "j.nef",  "k.jp2"};
    QTest::newRow("classic seven only while the option is off")
        << arMixed << "" << QStringList{"a.jpg"} << false;
    QTest::newRow("all formats, natural order kept")
        << arMixed << "" << QStringList{"a.jpg", "b.HEIC", "c.Dng", "d.webp", "e.tiff",
                                        "f.cr3", "g.JFIF", "i.Png", "j.nef"}
        << true;
    QTest::newRow("every extra extension, any case")
        << QStringList{"1.jpeg", "2.JPE",  "3.jfif", "4.png",  "5.webp", "6.tif",  "7.TIFF",
                       "8.heic", "9.HEIF", "10.dng", "11.cr2", "12.cr3", "13.nef", "14.arw",
                       "15.orf", "16.rw2", "17.raf", "18.pef", "19.SRW", "20.bmp"}
        << "" << QStringList{"1.jpeg", "2.JPE",  "3.jfif", "4.png",  "5.webp", "6.tif",  "7.TIFF",
                             "8.heic", "9.HEIF", "10.dng", "11.cr2", "12.cr3", "13.nef", "14.arw",
                             "15.orf", "16.rw2", "17.raf", "18.pef", "19.SRW", "20.bmp"}
        << true;
}

void TestFolderListing::listsPictures()
{
    QFETCH(QStringList, entries);
    QFETCH(QString, extension);
    QFETCH(QStringList, listed);
    QFETCH(bool, allFormats);

    QTemporaryDir dir;
    MakeTree(dir.path(), entries);
    QStringList arList;
    QCOMPARE(ListPictureFiles(dir.path(), arList, extension, allFormats), int(listed.size()));
    QStringList arExpected;
    for (const QString& strName : listed)
        arExpected << dir.path() + QLatin1Char('/') + strName;
    QCOMPARE(arList, arExpected);
}

void TestFolderListing::appendsAndCounts()
{
    QTemporaryDir dir;
    MakeTree(dir.path(), {"1.jpg", "2.bmp"});
    QStringList arList{"/kept/first.jpg"};
    // A trailing separator gives the same paths.
    QCOMPARE(ListPictureFiles(dir.path() + QLatin1Char('/'), arList, QString()), 2);
    QCOMPARE(ListPictureFiles(dir.path(), arList, QString()), 2);
    const QString strOne = dir.path() + QStringLiteral("/1.jpg");
    const QString strTwo = dir.path() + QStringLiteral("/2.bmp");
    QCOMPARE(arList, QStringList({"/kept/first.jpg", strOne, strTwo, strOne, strTwo}));
}

void TestFolderListing::decoderOfExtension_data()
{
    QTest::addColumn<QString>("extension");
    QTest::addColumn<EPictureDecoder>("decoder");

    QTest::newRow("classic raster") << "GIF" << EPictureDecoder::Raster;
    QTest::newRow("metafile") << "Emf" << EPictureDecoder::Metafile;
    QTest::newRow("webp through Qt") << "webp" << EPictureDecoder::Raster;
    QTest::newRow("heic") << "HEIC" << EPictureDecoder::Heif;
    QTest::newRow("heif") << "heif" << EPictureDecoder::Heif;
    QTest::newRow("raw") << "Rw2" << EPictureDecoder::CameraRaw;
    QTest::newRow("unknown") << "txt" << EPictureDecoder::None;
    QTest::newRow("no extension") << "" << EPictureDecoder::None;
}

void TestFolderListing::decoderOfExtension()
{
    QFETCH(QString, extension);
    QFETCH(EPictureDecoder, decoder);
    QCOMPARE(DecoderForExtension(extension), decoder);
}

void TestFolderListing::missingOrNoFolderFindsNothing()
{
    QTemporaryDir dir;
    MakeTree(dir.path(), {"a.jpg"});
    // An empty folder name must not fall back on the working folder.
    const QString strPrevious = QDir::currentPath();
    QDir::setCurrent(dir.path());
    QStringList arList{"/kept.jpg"};
    QCOMPARE(ListPictureFiles(QString(), arList, QString()), 0);
    QDir::setCurrent(strPrevious);
    QCOMPARE(ListPictureFiles(dir.path() + QStringLiteral("/missing"), arList, QString()), 0);
    QCOMPARE(arList, QStringList{"/kept.jpg"});
}

QTEST_GUILESS_MAIN(TestFolderListing)
#include "TestFolderListing.moc"
