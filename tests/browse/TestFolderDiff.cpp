#include "browse/FolderDiff.h"

#include <QTest>

namespace {

// "name:inode:size" for each entry, in order.
QList<SFolderEntry> Entries(const QString& strSpec)
{
    QList<SFolderEntry> arEntries;
    for (const QString& strEntry : strSpec.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        const QStringList arParts = strEntry.split(QLatin1Char(':'));
        SFolderEntry entry;
        entry.strPath = QStringLiteral("/p/") + arParts[0];
        entry.nDevice = 1;
        entry.nInode = arParts.value(1).toULongLong();
        entry.nSize = arParts.value(2).toLongLong();
        arEntries.append(entry);
    }
    return arEntries;
}

QString Names(const QStringList& arPaths)
{
    QStringList arNames;
    for (const QString& strPath : arPaths)
        arNames.append(strPath.mid(3));
    return arNames.join(QLatin1Char(' '));
}

} // namespace

class TestFolderDiff : public QObject
{
    Q_OBJECT
private slots:
    void diff_data();
    void diff();
    void complete_data();
    void complete();
};

void TestFolderDiff::diff_data()
{
    QTest::addColumn<QString>("before");
    QTest::addColumn<QString>("after");
    QTest::addColumn<QString>("removed");
    QTest::addColumn<QString>("renamed"); // from>to
    QTest::addColumn<QString>("added");   // name>next

    QTest::newRow("unchanged") << "a:1 b:2"
                               << "a:1 b:2"
                               << ""
                               << ""
                               << "";
    QTest::newRow("changed content is no change") << "a:1:5"
                                                  << "a:9:7"
                                                  << ""
                                                  << ""
                                                  << "";
    QTest::newRow("added between") << "a:1 c:3"
                                   << "a:1 b:2 c:3"
                                   << ""
                                   << ""
                                   << "b>c";
    QTest::newRow("added at the end") << "a:1"
                                      << "a:1 b:2"
                                      << ""
                                      << ""
                                      << "b>";
    QTest::newRow("two added in a row") << "c:3"
                                        << "a:1 b:2 c:3"
                                        << ""
                                        << ""
                                        << "a>b b>c";
    QTest::newRow("into an empty folder") << ""
                                          << "a:1"
                                          << ""
                                          << ""
                                          << "a>";
    QTest::newRow("removed") << "a:1 b:2 c:3"
                             << "a:1 c:3"
                             << "b"
                             << ""
                             << "";
    QTest::newRow("renamed: same inode") << "a:1 b:2"
                                         << "a:1 z:2"
                                         << ""
                                         << "b>z"
                                         << "";
    QTest::newRow("other inode: removed and added") << "a:1 b:2"
                                                    << "a:1 z:7"
                                                    << "b"
                                                    << ""
                                                    << "z>";
    QTest::newRow("unknown inode is never a rename") << "b:0"
                                                     << "z:0"
                                                     << "b"
                                                     << ""
                                                     << "z>";
    QTest::newRow("all at once") << "a:1 b:2 c:3"
                                 << "b:2 c2:3 d:4"
                                 << "a"
                                 << "c>c2"
                                 << "d>";
}

void TestFolderDiff::diff()
{
    QFETCH(QString, before);
    QFETCH(QString, after);
    const SFolderDiff d = DiffListings(Entries(before), Entries(after));
    QStringList arRenamed;
    for (const SFolderRename& rename : d.arRenamed)
        arRenamed << rename.strFrom.mid(3) + QLatin1Char('>') + rename.strTo.mid(3);
    QStringList arAdded;
    for (const SFolderAdd& add : d.arAdded)
        arAdded << add.strPath.mid(3) + QLatin1Char('>') + add.strNext.mid(3);
    QTEST(Names(d.arRemoved), "removed");
    QTEST(arRenamed.join(QLatin1Char(' ')), "renamed");
    QTEST(arAdded.join(QLatin1Char(' ')), "added");
}

void TestFolderDiff::complete_data()
{
    QTest::addColumn<QString>("shown");
    QTest::addColumn<QString>("previous");
    QTest::addColumn<QString>("scan");
    QTest::addColumn<QString>("complete");

    QTest::newRow("shown stays while rewritten") << "a:1:5"
                                                 << "a:1:5"
                                                 << "a:1:9"
                                                 << "a";
    QTest::newRow("new, seen the first time") << "a:1:5"
                                              << "a:1:5"
                                              << "a:1:5 b:2:3"
                                              << "a";
    QTest::newRow("new, still growing") << "a:1:5"
                                        << "a:1:5 b:2:3"
                                        << "a:1:5 b:2:8"
                                        << "a";
    QTest::newRow("new, settled") << "a:1:5"
                                  << "a:1:5 b:2:8"
                                  << "a:1:5 b:2:8"
                                  << "a b";
    QTest::newRow("new, same name, other file") << ""
                                                << "b:2:8"
                                                << "b:3:8"
                                                << "";
    QTest::newRow("renamed, shown at once") << "a:1:5"
                                            << "a:1:5"
                                            << "z:1:5"
                                            << "z";
}

void TestFolderDiff::complete()
{
    QFETCH(QString, shown);
    QFETCH(QString, previous);
    QFETCH(QString, scan);
    QStringList arPaths;
    for (const SFolderEntry& entry :
         CompleteEntries(Entries(shown), Entries(previous), Entries(scan)))
        arPaths << entry.strPath;
    QTEST(Names(arPaths), "complete");
}

QTEST_GUILESS_MAIN(TestFolderDiff)
#include "TestFolderDiff.moc"
