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

// Each row: "before | after | removed | renamed (from>to) | added (name>next)".
void TestFolderDiff::diff_data()
{
    QTest::addColumn<QString>("row");
    QTest::newRow("unchanged") << "a:1 b:2 | a:1 b:2 | | |";
    QTest::newRow("new content, same name") << "a:1:5 | a:9:7 | | |";
    QTest::newRow("added between") << "a:1 c:3 | a:1 b:2 c:3 | | | b>c";
    QTest::newRow("added at the end") << "a:1 | a:1 b:2 | | | b>";
    QTest::newRow("two added in a row") << "c:3 | a:1 b:2 c:3 | | | a>b b>c";
    QTest::newRow("removed") << "a:1 b:2 c:3 | a:1 c:3 | b | |";
    QTest::newRow("renamed: same inode") << "a:1 b:2 | a:1 z:2 | | b>z |";
    QTest::newRow("other inode: removed and added") << "a:1 b:2 | a:1 z:7 | b | | z>";
    QTest::newRow("unknown inode is never a rename") << "b:0 | z:0 | b | | z>";
    QTest::newRow("all at once") << "a:1 b:2 c:3 | b:2 c2:3 d:4 | a | c>c2 | d>";
}

void TestFolderDiff::diff()
{
    QFETCH(QString, row);
    const QStringList arCols = row.split(QLatin1Char('|'));
    const SFolderDiff d = DiffListings(Entries(arCols[0]), Entries(arCols[1]));
    QStringList arRenamed;
    for (const SFolderRename& rename : d.arRenamed)
        arRenamed << rename.strFrom.mid(3) + QLatin1Char('>') + rename.strTo.mid(3);
    QStringList arAdded;
    for (const SFolderAdd& add : d.arAdded)
        arAdded << add.strPath.mid(3) + QLatin1Char('>') + add.strNext.mid(3);
    QCOMPARE(Names(d.arRemoved), arCols[2].trimmed());
    QCOMPARE(arRenamed.join(QLatin1Char(' ')), arCols[3].trimmed());
    QCOMPARE(arAdded.join(QLatin1Char(' ')), arCols[4].trimmed());
}

// Each row: "shown | previous scan | scan | complete".
void TestFolderDiff::complete_data()
{
    QTest::addColumn<QString>("row");
    QTest::newRow("shown stays while rewritten") << "a:1:5 | a:1:5 | a:1:9 | a";
    QTest::newRow("new, seen the first time") << "a:1:5 | a:1:5 | a:1:5 b:2:3 | a";
    QTest::newRow("new, still growing") << "a:1:5 | a:1:5 b:2:3 | a:1:5 b:2:8 | a";
    QTest::newRow("new, settled") << "a:1:5 | a:1:5 b:2:8 | a:1:5 b:2:8 | a b";
    QTest::newRow("new, same name, other file") << " | b:2:8 | b:3:8 | ";
    QTest::newRow("renamed, shown at once") << "a:1:5 | a:1:5 | z:1:5 | z";
}

void TestFolderDiff::complete()
{
    QFETCH(QString, row);
    const QStringList arCols = row.split(QLatin1Char('|'));
    QStringList arPaths;
    for (const SFolderEntry& entry :
         CompleteEntries(Entries(arCols[0]), Entries(arCols[1]), Entries(arCols[2])))
        arPaths << entry.strPath;
    QCOMPARE(Names(arPaths), arCols[3].trimmed());
}

QTEST_GUILESS_MAIN(TestFolderDiff)
#include "TestFolderDiff.moc"
