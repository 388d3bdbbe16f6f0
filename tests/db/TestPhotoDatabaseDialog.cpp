#include "common/MessageBoxRecorder.h"
#include "common/TestWorkspace.h"
#include "db/CDia_PhotoDatabase.h"
#include "db/DatabaseChoice.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>
#include <QSpinBox>
#include <QTest>

// Database > Photo Database... driven as a user would.
class TestPhotoDatabaseDialog : public QObject
{
    Q_OBJECT
private slots:
    void cleanup() { CDialog::SetModalHook({}); }
    void serverFieldsOnlyForAServer();
    void okStoresAWholeServerOnly();
    void cancelStoresNothing();
};

namespace {
template <class T = QLineEdit> T* Field(QWidget* pDialog, const char* pszName)
{
    return pDialog->findChild<T*>(QLatin1String(pszName));
}

// Chooses the server and types its fields.
void TypeServer(QWidget* pDialog, const SServerConnection& server)
{
    Field<QRadioButton>(pDialog, "m_radioServer")->click();
    for (const auto& [pszName, strText] : {std::pair("m_editHost", server.m_strHost),
                                           std::pair("m_editDatabase", server.m_strDatabase),
                                           std::pair("m_editUser", server.m_strUser)})
        QTest::keyClicks(Field(pDialog, pszName), strText);
    Field<QSpinBox>(pDialog, "m_spinPort")->setValue(server.m_nPort);
    Field<QComboBox>(pDialog, "m_comboSslMode")->setCurrentText(server.m_strSslMode);
}

// Runs the dialog on the settings as a user would: act, then press the button.
int Run(QSettings& settings, const std::function<void(CDialog*)>& act, const char* pszButton)
{
    CDialog::SetModalHook([&](CDialog* pDialog) {
        act(pDialog);
        Field<QPushButton>(pDialog, pszButton)->click();
        return pDialog->result() == QDialog::Accepted ? int(IDOK) : int(IDCANCEL);
    });
    return CDia_PhotoDatabase(settings).DoModal();
}

// The stored server in one line: "database@host:port user sslmode".
QString Stored(const QSettings& settings)
{
    const SServerConnection s = ReadDatabaseChoice(settings).value_or(SServerConnection());
    return QStringLiteral("%1:%2 %3 %4")
        .arg(s.Label())
        .arg(s.m_nPort)
        .arg(s.m_strUser, s.m_strSslMode);
}

const SServerConnection serverTyped{"db.lan", 6543, "photos", "anna", "require", QString()};
} // namespace

void TestPhotoDatabaseDialog::serverFieldsOnlyForAServer()
{
    CTestWorkspace ws;
    QSettings settings(QStringLiteral("Tarnwick"), QStringLiteral("Orvala"));
    CDia_PhotoDatabase dialog(settings);
    dialog.show();
    QVERIFY(Field<QRadioButton>(&dialog, "m_radioLocal")->isChecked());
    for (bool bServer : {false, true, false}) {
        Field<QRadioButton>(&dialog, bServer ? "m_radioServer" : "m_radioLocal")->click();
        for (const char* pszName :
             {"m_editHost", "m_spinPort", "m_editDatabase", "m_editUser", "m_comboSslMode"})
            QVERIFY2(Field<QWidget>(&dialog, pszName)->isEnabled() == bServer, pszName);
    }
    QCOMPARE(Field<QSpinBox>(&dialog, "m_spinPort")->value(), 5432);
    QCOMPARE(Field<QComboBox>(&dialog, "m_comboSslMode")->currentText(), QStringLiteral("prefer"));
}

void TestPhotoDatabaseDialog::okStoresAWholeServerOnly()
{
    CTestWorkspace ws;
    CMessageBoxRecorder messages;
    QSettings settings(QStringLiteral("Tarnwick"), QStringLiteral("Orvala"));
    const auto act = [&](CDialog* pDialog) {
        TypeServer(pDialog, serverTyped);
        // Refused while one is blank: still open, at the field to fill in.
        for (const char* pszName : {"m_editHost", "m_editDatabase", "m_editUser"}) {
            QLineEdit* pEdit = Field(pDialog, pszName);
            const QString strTyped = pEdit->text();
            pEdit->setText(QStringLiteral("  "));
            Field<QPushButton>(pDialog, "m_btnOK")->click();
            QVERIFY2(pDialog->isVisible() && pDialog->focusWidget() == pEdit, pszName);
            QVERIFY2(settings.allKeys().isEmpty(), pszName);
            pEdit->setText(strTyped);
        }
    };
    QCOMPARE(Run(settings, act, "m_btnOK"), int(IDOK));
    QCOMPARE(messages.m_arTexts.size(), 4);
    QVERIFY(messages.m_arTexts.first().contains(QStringLiteral("host (or socket folder)")));
    QCOMPARE(messages.m_arTexts.last(),
             QStringLiteral("Orvala opens the photo database you chose at its next start."));
    QCOMPARE(Stored(settings), QStringLiteral("photos@db.lan:6543 anna require"));
}

void TestPhotoDatabaseDialog::cancelStoresNothing()
{
    CTestWorkspace ws;
    CMessageBoxRecorder messages;
    QSettings settings(QStringLiteral("Tarnwick"), QStringLiteral("Orvala"));
    QVERIFY(WriteDatabaseChoice(settings, serverTyped));
    const auto act = [](CDialog* pDialog) {
        QCOMPARE(Field(pDialog, "m_editHost")->text(), QStringLiteral("db.lan"));
        Field<QRadioButton>(pDialog, "m_radioLocal")->click();
    };
    QCOMPARE(Run(settings, act, "m_btnCancel"), int(IDCANCEL));
    QVERIFY(messages.m_arTexts.isEmpty());
    QCOMPARE(Stored(settings), QStringLiteral("photos@db.lan:6543 anna require"));
}

QTEST_MAIN(TestPhotoDatabaseDialog)
#include "TestPhotoDatabaseDialog.moc"
