// Which gone file is which new one.
#include "db/RenameMatch.h"

#include <QTest>

namespace {

const QDateTime g_date(QDate(2020, 3, 4), QTime(5, 6, 7), Qt::UTC);

SPictureFingerprint Print(qint64 nSize, const char* pszHash, const QDateTime& date = g_date)
{
    return {nSize, date, QByteArray(pszHash)};
}

// "dir/name" of a gone file, with a fingerprint or, with none, the record's
// size and date; a new file "dir/name" with a fingerprint.
SGoneFile Gone(const QString& strPath, const SPictureFingerprint& print)
{
    const qsizetype nSlash = strPath.lastIndexOf(u'/');
    return {strPath.left(nSlash), strPath.mid(nSlash + 1), g_date, 100, print};
}

SNewFile New(const QString& strPath, const SPictureFingerprint& print)
{
    const qsizetype nSlash = strPath.lastIndexOf(u'/');
    return {strPath.left(nSlash), strPath.mid(nSlash + 1), print};
}

} // namespace

Q_DECLARE_METATYPE(QList<SGoneFile>)
Q_DECLARE_METATYPE(QList<SNewFile>)

class TestRenameMatch : public QObject
{
    Q_OBJECT
private slots:
    void matchRenames_data();
    void matchRenames();
};

void TestRenameMatch::matchRenames_data()
{
    QTest::addColumn<QList<SGoneFile>>("gone");
    QTest::addColumn<QList<SNewFile>>("added");
    QTest::addColumn<QStringList>("pairs"); // "gone>new", "?" when by size and date only

    const SPictureFingerprint a = Print(100, "aaaa");
    const SPictureFingerprint none;
    QTest::newRow("renamed") << QList{Gone("/p/IMG_10.JPG", a)}
                             << QList{New("/p/x.JPG", Print(100, "bbbb")),
                                      New("/p/IMG_10_r.JPG", a)}
                             << QStringList{"0>1"};
    QTest::newRow("moved to another folder")
        << QList{Gone("/p/a.jpg", a)} << QList{New("/q/b.jpg", a)} << QStringList{"0>0"};
    QTest::newRow("copied twice") << QList{Gone("/p/a.jpg", a)}
                                  << QList{New("/p/b.jpg", a), New("/p/c.jpg", a)} << QStringList{};
    QTest::newRow("two gone alike") << QList{Gone("/p/a.jpg", a), Gone("/p/b.jpg", a)}
                                    << QList{New("/p/c.jpg", a)} << QStringList{};
    QTest::newRow("other hash") << QList{Gone("/p/a.jpg", a)}
                                << QList{New("/p/c.jpg", Print(100, "ab"))} << QStringList{};
    QTest::newRow("other date") << QList{Gone("/p/a.jpg", a)}
                                << QList{New("/p/c.jpg", Print(100, "aaaa", g_date.addSecs(1)))}
                                << QStringList{};
    QTest::newRow("no fingerprint, same folder")
        << QList{Gone("/p/a.jpg", none), Gone("/p/b.jpg", a)}
        << QList{New("/p/c.JPG", Print(100, "cccc"))} << QStringList{"0>0?"};
    QTest::newRow("no fingerprint, other folder")
        << QList{Gone("/p/a.jpg", none)} << QList{New("/q/c.jpg", Print(100, "cccc"))}
        << QStringList{};
    QTest::newRow("no fingerprint, other extension")
        << QList{Gone("/p/a.jpg", none)} << QList{New("/p/c.png", Print(100, "cccc"))}
        << QStringList{};
    QTest::newRow("no fingerprint, two alike in the folder")
        << QList{Gone("/p/a.jpg", none)}
        << QList{New("/p/c.jpg", Print(100, "cccc")), New("/p/d.jpg", Print(100, "dddd"))}
        << QStringList{};
    QTest::newRow("wanted by a fingerprint and by a size")
        << QList{Gone("/p/a.jpg", none), Gone("/q/b.jpg", a)} << QList{New("/p/c.jpg", a)}
        << QStringList{};
}

void TestRenameMatch::matchRenames()
{
    QFETCH(QList<SGoneFile>, gone);
    QFETCH(QList<SNewFile>, added);
    QFETCH(QStringList, pairs);
    QStringList arFound;
    for (const SRenameMatch& match : MatchRenames(gone, added))
        arFound.append(QStringLiteral("%1>%2%3")
                           .arg(match.m_nGone)
                           .arg(match.m_nNew)
                           .arg(match.m_bByFingerprint ? "" : "?"));
    QCOMPARE(arFound, pairs);
}

QTEST_GUILESS_MAIN(TestRenameMatch)
#include "TestRenameMatch.moc"
