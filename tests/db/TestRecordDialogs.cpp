#include "app/AppSession.h"
#include "app/CMainFrame.h"
#include "common/DbTestData.h"
#include "common/MessageBoxRecorder.h"
#include "common/TestWorkspace.h"
#include "db/CDia_Find.h"
#include "db/CDia_Record.h"
#include "platform/database/CDaoDatabase.h"
#include "platform/database/CDaoRecordset.h"
#include "table/CListView_Table.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTest>

// The Find and Record dialogs of the table windows, driven as a user would.
class TestRecordDialogs : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanup();
    void find_data();
    void find();
    void recordShowsRecord_data();
    void recordShowsRecord();
    void recordStores_data();
    void recordStores();
    void recordOkWhileLocked();
    void recordWithAKeyBeyond32Bits();

private:
    static QPushButton* Button(QWidget* pDialog, const QString& strText);
};

namespace {
QStringList Row(const QString& strTheme, const QString& strComment)
{
    return {"1", "12/07/06", "a.jpg", "jpg", "1234", "/photos", strTheme, strComment};
}

QStringList Stored(CDaoDatabase* pDb)
{
    CDaoRecordset recordset(pDb);
    recordset.Open(AFX_DAO_USE_DEFAULT_TYPE, QStringLiteral("SELECT * FROM PHOTOS"));
    return {recordset.GetFieldValue(QStringLiteral("Theme")).toString(),
            recordset.GetFieldValue(QStringLiteral("Comment")).toString()};
}
} // namespace

void TestRecordDialogs::initTestCase()
{
    CDaoDatabase::SetBusyTimeout(100);
}

void TestRecordDialogs::cleanup()
{
    CDialog::SetModalHook({});
}

QPushButton* TestRecordDialogs::Button(QWidget* pDialog, const QString& strText)
{
    for (QPushButton* pButton : pDialog->findChildren<QPushButton*>()) {
        if (pButton->text() == strText)
            return pButton;
    }
    return nullptr;
}

void TestRecordDialogs::find_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("button");
    QTest::addColumn<int>("result");
    QTest::addColumn<QString>("filter");
    QTest::newRow("text") << "beach"
                          << "OK" << int(IDOK) << "beach";
    QTest::newRow("blanks kept") << "  sea  "
                                 << "OK" << int(IDOK) << "  sea  ";
    QTest::newRow("empty") << ""
                           << "OK" << int(IDOK) << "";
    QTest::newRow("cancel") << "beach"
                            << "Cancel" << int(IDCANCEL) << "";
}

void TestRecordDialogs::find()
{
    QFETCH(QString, typed);
    QFETCH(QString, button);
    QFETCH(int, result);
    QFETCH(QString, filter);
    CDialog::SetModalHook([&](CDialog* pDialog) {
        QLineEdit* pEdit = pDialog->findChild<QLineEdit*>();
        [&] { QVERIFY(pEdit && pEdit->text().isEmpty()); }();
        QTest::keyClicks(pEdit, typed);
        Button(pDialog, button)->click();
        return pDialog->result() == QDialog::Accepted ? int(IDOK) : int(IDCANCEL);
    });
    CDia_Find dialog;
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Find Records"));
    QCOMPARE(dialog.DoModal(), result);
    if (result == IDOK)
        QCOMPARE(dialog.m_strFind, filter);
}

void TestRecordDialogs::recordShowsRecord_data()
{
    QTest::addColumn<QStringList>("themes"); // of the records in the table
    QTest::addColumn<QString>("theme");      // of the record shown
    QTest::addColumn<QStringList>("offered");
    QTest::newRow("own theme over the list")
        << QStringList{"Trips", "Family", "Trips", ""} << "Trips" << QStringList{"Family", "Trips"};
    QTest::newRow("empty theme") << QStringList{"Trips", "Family"} << ""
                                 << QStringList{"Family", "Trips"};
    QTest::newRow("no themes") << QStringList{"", ""} << "" << QStringList{};
}

void TestRecordDialogs::recordShowsRecord()
{
    QFETCH(QStringList, themes);
    QFETCH(QString, theme);
    QFETCH(QStringList, offered);
    CTestWorkspace ws;
    CAppSession session;
    for (const QString& strTheme : themes)
        AddPhoto(session.Frame()->GetPhotoDatabase().m_pCDaoDatabase,
                 QDateTime::currentDateTimeUtc(), "x.jpg", "/p", strTheme);
    const QStringList arValues = Row(theme, "a comment");
    CDia_Record dialog;
    dialog.m_pValues = &arValues;
    QStringList arOffered;
    CDialog::SetModalHook([&](CDialog*) {
        for (int i = 0; i < dialog.m_comboTheme->count(); ++i)
            arOffered.append(dialog.m_comboTheme->itemText(i));
        return int(IDCANCEL);
    });
    dialog.DoModal();
    QCOMPARE(dialog.windowTitle(), QStringLiteral("/photos/a.jpg"));
    QCOMPARE(arOffered, offered);
    QCOMPARE(dialog.m_comboTheme->currentText(), theme);
    QCOMPARE(dialog.m_editComment->toPlainText(), QStringLiteral("a comment"));
}

void TestRecordDialogs::recordStores_data()
{
    QTest::addColumn<QString>("theme");
    QTest::addColumn<QString>("button"); // pressed after typing
    QTest::addColumn<bool>("clear");     // Clear record first
    QTest::addColumn<QStringList>("stored");
    QTest::addColumn<bool>("stillOpen");
    QTest::newRow("OK stores") << "Trips"
                               << "OK" << false << QStringList{"Trips", "new"} << false;
    QTest::newRow("Cancel stores nothing")
        << "Trips"
        << "Cancel" << false << QStringList{"Old", "old"} << false;
    QTest::newRow("Clear record then OK") << ""
                                          << "OK" << true << QStringList{"", ""} << false;
    QTest::newRow("over-long theme refused, dialog stays")
        << QString(151, u'x') << "OK" << false << QStringList{"Old", "old"} << true;
}

void TestRecordDialogs::recordStores()
{
    QFETCH(QString, theme);
    QFETCH(QString, button);
    QFETCH(bool, clear);
    QFETCH(QStringList, stored);
    QFETCH(bool, stillOpen);
    CTestWorkspace ws;
    CAppSession session;
    CMessageBoxRecorder messages;
    CDaoDatabase* pDb = session.Frame()->GetPhotoDatabase().m_pCDaoDatabase;
    AddPhoto(pDb, QDateTime::currentDateTimeUtc(), "a.jpg", "/photos", "Old", "old");
    const QStringList arValues = Row("Old", "old");
    CDia_Record dialog;
    dialog.m_pValues = &arValues;
    bool bOpenAfter = false;
    CDialog::SetModalHook([&](CDialog* pDialog) {
        dialog.m_comboTheme->setEditText(theme);
        dialog.m_editComment->setPlainText(QStringLiteral("new"));
        if (clear)
            Button(pDialog, "Clear record")->click();
        Button(pDialog, button)->click();
        bOpenAfter = pDialog->isVisible();
        return int(IDCANCEL);
    });
    dialog.DoModal();
    QCOMPARE(Stored(pDb), stored);
    QCOMPARE(bOpenAfter, stillOpen);
    QCOMPARE(messages.m_arTexts.size(), stillOpen ? 1 : 0);
}

void TestRecordDialogs::recordOkWhileLocked()
{
    CTestWorkspace ws;
    CAppSession session;
    CDaoDatabase* pDb = session.Frame()->GetPhotoDatabase().m_pCDaoDatabase;
    AddPhoto(pDb, QDateTime::currentDateTimeUtc(), "a.jpg", "/photos", "Old", "old");
    const QStringList arValues = Row("Old", "old");
    CDia_Record dialog;
    dialog.m_pValues = &arValues;
    QSqlDatabase locker = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), "locker");
    locker.setDatabaseName(ws.FilePath(QStringLiteral("Photos.mdb")));
    QVERIFY(locker.open());
    CMessageBoxRecorder messages;
    bool bOpenAfter = false;
    CDialog::SetModalHook([&](CDialog* pDialog) {
        // Another program locks the file while the dialog is open.
        QSqlQuery(locker).exec(QStringLiteral("BEGIN EXCLUSIVE"));
        dialog.m_comboTheme->setEditText(QStringLiteral("Trips"));
        Button(pDialog, "OK")->click();
        bOpenAfter = pDialog->isVisible();
        return int(IDCANCEL);
    });
    dialog.DoModal();
    QVERIFY(QSqlQuery(locker).exec(QStringLiteral("ROLLBACK")));
    locker.close();
    locker = QSqlDatabase();
    QSqlDatabase::removeDatabase(QStringLiteral("locker"));

    QCOMPARE(messages.m_arTexts.size(), 1);
    QVERIFY(bOpenAfter);
    QCOMPARE(Stored(pDb), (QStringList{"Old", "old"}));
}

void TestRecordDialogs::recordWithAKeyBeyond32Bits()
{
    CTestWorkspace ws;
    CAppSession session;
    CDaoDatabase* pDb = session.Frame()->GetPhotoDatabase().m_pCDaoDatabase;
    AddPhoto(pDb, QDateTime::currentDateTimeUtc(), "a.jpg", "/photos", "Zero", "zero");
    AddPhoto(pDb, QDateTime::currentDateTimeUtc(), "b.jpg", "/photos", "Wide", "wide");
    pDb->Execute(QStringLiteral("UPDATE PHOTOS SET ID_Photo = 0 WHERE Name = 'a.jpg'"));
    pDb->Execute(QStringLiteral("UPDATE PHOTOS SET ID_Photo = 3000000000 WHERE Name = 'b.jpg'"));
    const QStringList arValues{"3000000000", "12/07/06", "b.jpg", "jpg",
                               "1234",       "/photos",  "Wide",  "wide"};
    CDia_Record dialog;
    dialog.m_pValues = &arValues;
    CDialog::SetModalHook([&](CDialog* pDialog) {
        dialog.m_comboTheme->setEditText(QStringLiteral("Trips"));
        Button(pDialog, "OK")->click();
        return int(IDOK);
    });
    dialog.DoModal();

    CDaoRecordset recordset(pDb);
    recordset.Open(AFX_DAO_USE_DEFAULT_TYPE,
                   QStringLiteral("SELECT * FROM PHOTOS ORDER BY ID_Photo"));
    QCOMPARE(recordset.GetFieldValue(QStringLiteral("Theme")).toString(), QStringLiteral("Zero"));
    recordset.MoveNext();
    QCOMPARE(recordset.GetFieldValue(QStringLiteral("Theme")).toString(), QStringLiteral("Trips"));
}

QTEST_MAIN(TestRecordDialogs)
#include "TestRecordDialogs.moc"
