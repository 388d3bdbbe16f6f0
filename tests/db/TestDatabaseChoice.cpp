#include "common/TestWorkspace.h"
#include "db/DatabaseChoice.h"

#include <QFile>
#include <QRegularExpression>
#include <QSettings>
#include <QTest>

// The photo database chosen, as kept between runs: a server comes back whole,
// its password never reaches the disk, and anything doubtful means the local file.
class TestDatabaseChoice : public QObject
{
    Q_OBJECT
private slots:
    void serverComesBackWithoutPassword();
    void doubtfulMeansLocalFile_data();
    void doubtfulMeansLocalFile();
};

void TestDatabaseChoice::serverComesBackWithoutPassword()
{
    CTestWorkspace ws;
    QSettings settings(QStringLiteral("Tarnwick"), QStringLiteral("Orvala"));
    QVERIFY(WriteDatabaseChoice(
        settings, SServerConnection{"db.lan", 6543, "family", "anna", "verify-full", "pw-Secret"}));
    const auto read =
        ReadDatabaseChoice(QSettings(QStringLiteral("Tarnwick"), QStringLiteral("Orvala")));
    QVERIFY(read);
    QCOMPARE(QStringList({read->m_strHost, QString::number(read->m_nPort), read->m_strDatabase,
                          read->m_strUser, read->m_strSslMode, read->m_strPassword}),
             QStringList({"db.lan", "6543", "family", "anna", "verify-full", ""}));
    const auto Written = [&] {
        QFile file(settings.fileName());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    };
    QVERIFY(Written().contains("db.lan") && !Written().contains("pw-Secret"));

    // Back to the local file: nothing of the server stays behind.
    QVERIFY(WriteDatabaseChoice(settings, std::nullopt));
    QVERIFY(!ReadDatabaseChoice(settings));
    QVERIFY(!Written().contains("db.lan"));
}

void TestDatabaseChoice::doubtfulMeansLocalFile_data()
{
    // The group "Photo Database" as a hand or another version left it:
    // Location|Host|Port|Database|User|SslMode, an empty value not written.
    QTest::addColumn<QString>("stored");
    QTest::addColumn<bool>("server");
    QTest::addColumn<bool>("warned");
    QTest::newRow("whole server") << "Server|h|5433|p|u|allow" << true << false;
    QTest::newRow("nothing stored") << "|||||" << false << false;
    QTest::newRow("local file") << "File|h|5433|p|u|allow" << false << false;
    QTest::newRow("unknown location") << "Cloud|h|5433|p|u|allow" << false << true;
    QTest::newRow("no database") << "Server|h|5433||u|allow" << false << true;
    QTest::newRow("port 0") << "Server|h|0|p|u|allow" << false << true;
    QTest::newRow("port 65536") << "Server|h|65536|p|u|allow" << false << true;
    QTest::newRow("port not a number") << "Server|h|54x|p|u|allow" << false << true;
    QTest::newRow("unknown SSL mode") << "Server|h|5433|p|u|sometimes" << false << true;
}

void TestDatabaseChoice::doubtfulMeansLocalFile()
{
    QFETCH(QString, stored);
    QFETCH(bool, server);
    QFETCH(bool, warned);
    CTestWorkspace ws;
    QSettings settings(QStringLiteral("Tarnwick"), QStringLiteral("Orvala"));
    const QStringList arKeys = {"Location", "Host", "Port", "Database", "User", "SslMode"};
    const QStringList arValues = stored.split(u'|');
    for (int i = 0; i < arKeys.size(); ++i) {
        if (!arValues.at(i).isEmpty())
            settings.setValue(QStringLiteral("Photo Database/") + arKeys.at(i), arValues.at(i));
    }
    if (warned)
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("Photos\\.mdb")));
    else
        QTest::failOnWarning(QRegularExpression(QStringLiteral(".")));
    QCOMPARE(ReadDatabaseChoice(settings).has_value(), server);
}

QTEST_GUILESS_MAIN(TestDatabaseChoice)
#include "TestDatabaseChoice.moc"
