#include "app/AppSession.h"
#include "app/CMainFrame.h"
#include "common/DbTestData.h"
#include "common/MessageBoxRecorder.h"
#include "common/TestBackend.h"
#include "common/TestWorkspace.h"
#include "db/CDao_Table.h"
#include "db/CDia_Find.h"
#include "db/CDia_Record.h"
#include "platform/database/CDaoDatabase.h"
#include "platform/database/CDaoRecordset.h"
#include "table/CListView_Table.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

// The Find and Record dialogs of the table windows, driven as a user would,
// on the file and on a PostgreSQL server.
class TestRecordDialogs : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase_data();
    void initTestCase();
    void init();
    void cleanup();
    void find_data();
    void find();
    void recordShowsRecord_data();
    void recordShowsRecord();
    void recordStores_data();
    void recordStores();
    void recordOkWhileLocked();
    void enterPressesOk_data();
    void anotherProgramsChange_data();
    void anotherProgramsChange();
    void enterPressesOk();
    void recordWithAKeyBeyond32Bits();

private:
    static QPushButton* Button(QWidget* pDialog, const QString& strText);

    CTestBackend m_backend;
};

namespace {
// A record as a table row shows it.
SPhotoRecord Row(qint64 nKey, const QString& strTheme, const QString& strComment)
{
    SPhotoRecord record;
    record.m_nKey = nKey;
    record.m_strName = QStringLiteral("a.jpg");
    record.m_strDirectory = QStringLiteral("/photos");
    record.m_strTheme = strTheme;
    record.m_strComment = strComment;
    return record;
}

QStringList Stored(CDaoDatabase* pDb)
{
    CDaoRecordset recordset(pDb);
    recordset.Open(AFX_DAO_USE_DEFAULT_TYPE,
                   QStringLiteral("SELECT * FROM PHOTOS ORDER BY ID_Photo"));
    return {recordset.GetFieldValue(PhotoFieldName(EPhotoField::Theme)).toString(),
            recordset.GetFieldValue(PhotoFieldName(EPhotoField::Comment)).toString()};
}
} // namespace

void TestRecordDialogs::initTestCase_data()
{
    CTestBackend::AddRows();
}

void TestRecordDialogs::initTestCase()
{
    CDaoDatabase::SetBusyTimeout(100);
}

void TestRecordDialogs::init()
{
    if (!m_backend.Begin())
        QSKIP(qPrintable(m_backend.WhySkipped()));
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
    QTest::addColumn<QStringList>("themes"); // of the records in the table, keys 1, 2, ...
    QTest::addColumn<qint64>("key");         // of the record shown
    QTest::addColumn<QString>("theme");      // shown
    QTest::addColumn<QStringList>("offered");
    QTest::newRow("stored theme, not the row's")
        << QStringList{"Trips", "Family", "Trips", ""} << qint64(1) << "Trips"
        << QStringList{"Family", "Trips"};
    QTest::newRow("empty theme") << QStringList{"", "Trips", "Family"} << qint64(1) << ""
                                 << QStringList{"Family", "Trips"};
    QTest::newRow("no themes") << QStringList{"", ""} << qint64(2) << "" << QStringList{};
    QTest::newRow("record gone: the row's")
        << QStringList{"Trips"} << qint64(42) << "row theme" << QStringList{"Trips"};
}

void TestRecordDialogs::recordShowsRecord()
{
    QFETCH(QStringList, themes);
    QFETCH(qint64, key);
    QFETCH(QString, theme);
    QFETCH(QStringList, offered);
    CTestWorkspace ws;
    m_backend.ChooseForProgram();
    CAppSession session;
    for (const QString& strTheme : themes)
        AddPhoto(session.Frame()->GetPhotoDatabase().m_pCDaoDatabase.get(),
                 QDateTime::currentDateTimeUtc(), "a.jpg", "/photos", strTheme, "stored");
    CDia_Record dialog(Row(key, "row theme", "row comment"));
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
    QCOMPARE(dialog.m_editComment->toPlainText(),
             key == 42 ? QStringLiteral("row comment") : QStringLiteral("stored"));
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
    m_backend.ChooseForProgram();
    CAppSession session;
    CMessageBoxRecorder messages;
    CDaoDatabase* pDb = session.Frame()->GetPhotoDatabase().m_pCDaoDatabase.get();
    AddPhoto(pDb, QDateTime::currentDateTimeUtc(), "a.jpg", "/photos", "Old", "old");
    CDia_Record dialog(Row(1, "Old", "old"));
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
    m_backend.ChooseForProgram();
    CAppSession session;
    CDaoDatabase* pDb = session.Frame()->GetPhotoDatabase().m_pCDaoDatabase.get();
    AddPhoto(pDb, QDateTime::currentDateTimeUtc(), "a.jpg", "/photos", "Old", "old");
    CDia_Record dialog(Row(1, "Old", "old"));
    CDaoDatabase locker;
    m_backend.OpenOther(locker);
    CMessageBoxRecorder messages;
    bool bOpenAfter = false;
    CDialog::SetModalHook([&](CDialog* pDialog) {
        // Another program takes the write lock while the dialog is open.
        locker.BeginTrans();
        dialog.m_comboTheme->setEditText(QStringLiteral("Trips"));
        Button(pDialog, "OK")->click();
        bOpenAfter = pDialog->isVisible();
        return int(IDCANCEL);
    });
    dialog.DoModal();
    locker.Rollback();

    QCOMPARE(messages.m_arTexts.size(), 1);
    QVERIFY(bOpenAfter);
    QCOMPARE(Stored(pDb), (QStringList{"Old", "old"}));
}

void TestRecordDialogs::enterPressesOk_data()
{
    QTest::addColumn<QString>("typed"); // into Theme; empty types nothing
    QTest::addColumn<bool>("comment");  // Enter in Comment, not in Theme
    QTest::addColumn<int>("key");
    QTest::addColumn<QString>("stored");
    QTest::newRow("theme already set") << "" << false << int(Qt::Key_Return) << "Trips";
    QTest::newRow("known theme completed") << "Fam" << false << int(Qt::Key_Return) << "Family";
    QTest::newRow("keypad Enter") << "Fam" << false << int(Qt::Key_Enter) << "Family";
    QTest::newRow("in the comment") << "" << true << int(Qt::Key_Return) << "Trips";
    QTest::newRow("keypad Enter in the comment") << "" << true << int(Qt::Key_Enter) << "Trips";
}

void TestRecordDialogs::enterPressesOk()
{
    QFETCH(QString, typed);
    QFETCH(bool, comment);
    QFETCH(int, key);
    QFETCH(QString, stored);
    CTestWorkspace ws;
    m_backend.ChooseForProgram();
    CAppSession session;
    CDaoDatabase* pDb = session.Frame()->GetPhotoDatabase().m_pCDaoDatabase.get();
    AddPhoto(pDb, QDateTime::currentDateTimeUtc(), "a.jpg", "/photos", "Trips", "old");
    AddPhoto(pDb, QDateTime::currentDateTimeUtc(), "b.jpg", "/photos", "Family", "");
    CDia_Record dialog(Row(1, "Trips", "old"));
    bool bOpenAfter = true;
    CDialog::SetModalHook([&](CDialog* pDialog) {
        QWidget* pField =
            comment ? static_cast<QWidget*>(dialog.m_editComment) : dialog.m_comboTheme->lineEdit();
        if (!typed.isEmpty()) {
            dialog.m_comboTheme->lineEdit()->clear();
            QTest::keyClicks(pField, typed);
        }
        const Qt::KeyboardModifiers modifiers =
            key == Qt::Key_Enter ? Qt::KeypadModifier : Qt::NoModifier;
        QTest::keyClick(pField, Qt::Key(key), modifiers);
        bOpenAfter = pDialog->isVisible();
        return pDialog->result() == QDialog::Accepted ? int(IDOK) : int(IDCANCEL);
    });
    QCOMPARE(dialog.DoModal(), int(IDOK));
    QVERIFY(!bOpenAfter);
    QCOMPARE(Stored(pDb), (QStringList{stored, "old"}));
}

void TestRecordDialogs::anotherProgramsChange_data()
{
    QTest::addColumn<QString>("theirs");     // the Theme another program saves meanwhile
    QTest::addColumn<QString>("theme");      // typed here; empty leaves it as shown
    QTest::addColumn<int>("answer");         // to the question, when one comes
    QTest::addColumn<QStringList>("stored"); // Theme and Comment afterwards
    QTest::addColumn<QStringList>("shown");  // by the dialog, when it stays open
    const QString strQuestion = "Another program changed this record while you edited it. "
                                "Theme: \"Hochzeit\" (stored) / \"Urlaub\" (yours).";
    QTest::newRow("comment only: their theme stays")
        << "Hochzeit"
        << "" << 0 << QStringList{"Hochzeit", "mine"} << QStringList{};
    QTest::newRow("both the same change: no question")
        << "Urlaub"
        << "Urlaub" << 0 << QStringList{"Urlaub", "mine"} << QStringList{};
    QTest::newRow("Cancel writes nothing")
        << "Hochzeit"
        << "Urlaub" << int(IDCANCEL) << QStringList{"Hochzeit", "old"}
        << QStringList{"Urlaub", "mine", strQuestion};
    QTest::newRow("Take Theirs keeps my comment in the dialog")
        << "Hochzeit"
        << "Urlaub" << int(IDTAKETHEIRS) << QStringList{"Hochzeit", "old"}
        << QStringList{"Hochzeit", "mine", strQuestion};
    QTest::newRow("Keep Mine") << "Hochzeit"
                               << "Urlaub" << int(IDKEEPMINE) << QStringList{"Urlaub", "mine"}
                               << QStringList{};
}

void TestRecordDialogs::anotherProgramsChange()
{
    QFETCH(QString, theirs);
    QFETCH(QString, theme);
    QFETCH(int, answer);
    QFETCH(QStringList, stored);
    QFETCH(QStringList, shown);
    CTestWorkspace ws;
    m_backend.ChooseForProgram();
    CAppSession session;
    CDaoDatabase* pDb = session.Frame()->GetPhotoDatabase().m_pCDaoDatabase.get();
    AddPhoto(pDb, QDateTime::currentDateTimeUtc(), "a.jpg", "/photos", "Old", "old");
    CDaoDatabase other;
    m_backend.OpenOther(other);
    CMessageBoxRecorder messages;
    if (answer)
        messages.QueueAnswer(answer);
    CDia_Record dialog(Row(1, "Old", "old"));
    QStringList arShown;
    CDialog::SetModalHook([&](CDialog* pDialog) {
        if (!theme.isEmpty())
            dialog.m_comboTheme->setEditText(theme);
        dialog.m_editComment->setPlainText(QStringLiteral("mine"));
        other.Execute(QStringLiteral(R"(UPDATE "PHOTOS" SET "Theme" = ? WHERE "ID_Photo" = 1)"),
                      {theirs});
        Button(pDialog, "OK")->click();
        if (pDialog->isVisible())
            arShown << dialog.m_comboTheme->currentText() << dialog.m_editComment->toPlainText()
                    << messages.m_arTexts;
        return int(IDCANCEL);
    });
    dialog.DoModal();
    QCOMPARE(Stored(pDb), stored);
    QCOMPARE(arShown, shown);
    if (answer == IDKEEPMINE)
        QCOMPARE(messages.m_arTypes.value(0), int(MB_KEEPTAKECANCEL | MB_ICONEXCLAMATION));
}

void TestRecordDialogs::recordWithAKeyBeyond32Bits()
{
    CTestWorkspace ws;
    m_backend.ChooseForProgram();
    CAppSession session;
    CDaoDatabase* pDb = session.Frame()->GetPhotoDatabase().m_pCDaoDatabase.get();
    AddPhoto(pDb, QDateTime::currentDateTimeUtc(), "a.jpg", "/photos", "Zero", "zero");
    AddPhoto(pDb, QDateTime::currentDateTimeUtc(), "b.jpg", "/photos", "Wide", "wide");
    pDb->Execute(QStringLiteral(R"(UPDATE "PHOTOS" SET "ID_Photo" = 0 WHERE "Name" = 'a.jpg')"));
    pDb->Execute(
        QStringLiteral(R"(UPDATE "PHOTOS" SET "ID_Photo" = 3000000000 WHERE "Name" = 'b.jpg')"));
    CDia_Record dialog(Row(3000000000, "Wide", "wide"));
    CDialog::SetModalHook([&](CDialog* pDialog) {
        dialog.m_comboTheme->setEditText(QStringLiteral("Trips"));
        Button(pDialog, "OK")->click();
        return int(IDOK);
    });
    dialog.DoModal();

    CDaoRecordset recordset(pDb);
    recordset.Open(AFX_DAO_USE_DEFAULT_TYPE,
                   QStringLiteral("SELECT * FROM PHOTOS ORDER BY ID_Photo"));
    QCOMPARE(recordset.GetFieldValue(PhotoFieldName(EPhotoField::Theme)).toString(),
             QStringLiteral("Zero"));
    recordset.MoveNext();
    QCOMPARE(recordset.GetFieldValue(PhotoFieldName(EPhotoField::Theme)).toString(),
             QStringLiteral("Trips"));
}

QTEST_MAIN(TestRecordDialogs)
#include "TestRecordDialogs.moc"
