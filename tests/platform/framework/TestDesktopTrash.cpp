#include "platform/framework/DesktopTrash.h"

#include <QTest>

// Where a trashed file may rightly land: a trash folder's files/, never a
// files/ anywhere else (Qt falls back on the working folder).
class TestDesktopTrash : public QObject
{
    Q_OBJECT
private slots:
    void trashHolding_data();
    void trashHolding();
};

void TestDesktopTrash::trashHolding_data()
{
    QTest::addColumn<QString>("inTrash");
    QTest::addColumn<QString>("trash");
    const QString strHome = QStringLiteral("/home/u/.local/share/Trash");
    QTest::newRow("home trash") << strHome + "/files/a.jpg" << strHome;
    QTest::newRow("a numbered name") << strHome + "/files/a.jpg-0001" << strHome;
    QTest::newRow("volume's .Trash-uid") << "/media/s/.Trash-1000/files/a.jpg"
                                         << "/media/s/.Trash-1000";
    QTest::newRow("volume's .Trash/uid") << "/media/s/.Trash/1000/files/a.jpg"
                                         << "/media/s/.Trash/1000";
    QTest::newRow("another user's") << "/media/s/.Trash/1001/files/a.jpg"
                                    << "";
    QTest::newRow("the working folder") << "/work/files/a.jpg"
                                        << "";
    QTest::newRow("relative") << "./files/a.jpg"
                              << "";
    QTest::newRow("deeper down") << strHome + "/files/x/a.jpg"
                                 << "";
    QTest::newRow("info, not files") << strHome + "/info/a.jpg"
                                     << "";
    QTest::newRow("the folder itself") << strHome + "/files"
                                       << "";
}

void TestDesktopTrash::trashHolding()
{
    QFETCH(QString, inTrash);
    const QStringList arTrashes = TrashLocations(QStringLiteral("/home/u/.local/share/Trash"),
                                                 QStringLiteral("/media/s"), 1000);
    QTEST(TrashHolding(inTrash, arTrashes), "trash");
}

QTEST_APPLESS_MAIN(TestDesktopTrash)
#include "TestDesktopTrash.moc"
