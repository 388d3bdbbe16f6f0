#include "platform/framework/DesktopTrash.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

// Where a trashed file may rightly land, and the file-system side of the
// trash in a home of its own.
class TestDesktopTrash : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void trashHolding_data();
    void trashHolding();
    void homeWithoutDataFolder();
    void trashThatIsAFileRefuses();
    void putBack();

private:
    QString Write(const QString& strName);
    std::unique_ptr<QTemporaryDir> m_pHome;
    std::unique_ptr<QTemporaryDir> m_pWork;
    QByteArray m_home;
    QString m_strCurrent;
};

void TestDesktopTrash::init()
{
    // A new account: a home without .local/share, and no XDG_DATA_HOME.
    m_pHome = std::make_unique<QTemporaryDir>();
    m_pWork = std::make_unique<QTemporaryDir>();
    m_home = qgetenv("HOME");
    qputenv("HOME", QFile::encodeName(m_pHome->path()));
    qunsetenv("XDG_DATA_HOME");
    m_strCurrent = QDir::currentPath();
    QDir::setCurrent(m_pWork->path());
}

void TestDesktopTrash::cleanup()
{
    QDir::setCurrent(m_strCurrent);
    qputenv("HOME", m_home);
}

QString TestDesktopTrash::Write(const QString& strName)
{
    QFile file(m_pWork->filePath(strName));
    if (!file.open(QIODevice::WriteOnly) || file.write("picture") != 7)
        return QString();
    return file.fileName();
}

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
    QTest::newRow("deeper down") << strHome + "/files/x/a.jpg"
                                 << "";
    QTest::newRow("info, not files") << strHome + "/info/a.jpg"
                                     << "";
    QTest::newRow("relative") << "Trash/files/a.jpg"
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

void TestDesktopTrash::homeWithoutDataFolder()
{
    const QString strPath = Write(QStringLiteral("a.jpg"));
    const STrashResult result = MoveToDesktopTrash(strPath);
    QCOMPARE(result.strError, QString());
    const QString strTrash = m_pHome->filePath(QStringLiteral(".local/share/Trash"));
    QCOMPARE(result.trashed.strPathInTrash, strTrash + "/files/a.jpg");
    QCOMPARE(result.trashed.strInfoPath, strTrash + "/info/a.jpg.trashinfo");
    QVERIFY(QFile::exists(strTrash + "/files/a.jpg"));
    QVERIFY(QFile::exists(strTrash + "/info/a.jpg.trashinfo"));
    QVERIFY(!QFile::exists(strPath));
    QCOMPARE(QDir(m_pWork->path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
             QStringList());
}

void TestDesktopTrash::trashThatIsAFileRefuses()
{
    QVERIFY(QDir().mkpath(m_pHome->filePath(QStringLiteral(".local/share"))));
    QFile blocker(m_pHome->filePath(QStringLiteral(".local/share/Trash")));
    QVERIFY(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    const QString strPath = Write(QStringLiteral("a.jpg"));
    const STrashResult result = MoveToDesktopTrash(strPath);
    QVERIFY(result.trashed.IsEmpty());
    QCOMPARE(result.strError, QStringLiteral("\"%1\" is not a folder").arg(blocker.fileName()));
    QCOMPARE(QDir(m_pWork->path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
             QStringList{QStringLiteral("a.jpg")});
}

void TestDesktopTrash::putBack()
{
    const QString strPath = Write(QStringLiteral("a.jpg"));
    const STrashedFile trashed = MoveToDesktopTrash(strPath).trashed;
    QVERIFY(!trashed.IsEmpty());
    // The camera's next picture took the name meanwhile: nothing is replaced.
    QVERIFY(QFile(strPath).open(QIODevice::WriteOnly));
    QCOMPARE(PutBackFromTrash(trashed).eResult, ERestoreResult::NameTaken);
    QCOMPARE(QFileInfo(strPath).size(), 0);
    QVERIFY(QFile::exists(trashed.strPathInTrash));

    QVERIFY(QFile::remove(strPath));
    QCOMPARE(PutBackFromTrash(trashed).eResult, ERestoreResult::Restored);
    QCOMPARE(QFileInfo(strPath).size(), 7);
    QVERIFY(RemoveTrashInfo(trashed));
    QVERIFY(!QFile::exists(trashed.strInfoPath));

    // Emptied from the trash, and another file of that name trashed since.
    const STrashedFile again = MoveToDesktopTrash(strPath).trashed;
    QVERIFY(QFile::remove(again.strPathInTrash));
    QCOMPARE(PutBackFromTrash(again).eResult, ERestoreResult::Gone);
    QVERIFY(QFile(again.strPathInTrash).open(QIODevice::WriteOnly));
    QCOMPARE(PutBackFromTrash(again).eResult, ERestoreResult::Gone);
    QVERIFY(!QFile::exists(strPath));
}

QTEST_GUILESS_MAIN(TestDesktopTrash)
#include "TestDesktopTrash.moc"
