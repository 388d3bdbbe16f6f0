#include "db/CDia_PhotoDatabase.h"

#include "db/DatabaseChoice.h"
#include "platform/framework/MessageBox.h"

#include "ui_PhotoDatabaseDlg.h"

#include <QSettings>

CDia_PhotoDatabase::CDia_PhotoDatabase(QSettings& settings, QWidget* pParent)
    : CDialog(pParent)
    , m_settings(settings)
    , m_pUi(std::make_unique<Ui::CDia_PhotoDatabase>())
{
    m_pUi->setupUi(this);
    m_pUi->m_comboSslMode->addItems(SslModes());
    connect(m_pUi->m_radioServer, &QRadioButton::toggled, m_pUi->m_wndServer, &QWidget::setEnabled);
    connect(m_pUi->m_btnOK, &QPushButton::clicked, this, [this] { OnOK(); });
    connect(m_pUi->m_btnCancel, &QPushButton::clicked, this, &QDialog::reject);
    ShowChoice(ReadDatabaseChoice(m_settings));
}

CDia_PhotoDatabase::~CDia_PhotoDatabase() = default;

void CDia_PhotoDatabase::ShowChoice(const std::optional<SServerConnection>& server)
{
    // The local file still offers a server's usual port and SSL mode.
    const SServerConnection shown = server.value_or(SServerConnection());
    m_pUi->m_editHost->setText(shown.m_strHost);
    m_pUi->m_spinPort->setValue(shown.m_nPort);
    m_pUi->m_editDatabase->setText(shown.m_strDatabase);
    m_pUi->m_editUser->setText(shown.m_strUser);
    m_pUi->m_comboSslMode->setCurrentText(shown.m_strSslMode);
    QRadioButton* pChosen = server ? m_pUi->m_radioServer : m_pUi->m_radioLocal;
    pChosen->setChecked(true);
    pChosen->setFocus();
}

void CDia_PhotoDatabase::OnOK()
{
    std::optional<SServerConnection> server;
    if (m_pUi->m_radioServer->isChecked()) {
        // A server can not be reached without these; the dialog stays open at
        // the first one missing.
        for (QLineEdit* pEdit : {m_pUi->m_editHost, m_pUi->m_editDatabase, m_pUi->m_editUser}) {
            if (pEdit->text().trimmed().isEmpty()) {
                AfxMessageBox(
                    tr("Please enter the server's host (or socket folder), database and user."),
                    MB_OK | MB_ICONEXCLAMATION);
                pEdit->setFocus();
                return;
            }
        }
        server.emplace();
        server->m_strHost = m_pUi->m_editHost->text().trimmed();
        server->m_nPort = m_pUi->m_spinPort->value();
        server->m_strDatabase = m_pUi->m_editDatabase->text().trimmed();
        server->m_strUser = m_pUi->m_editUser->text().trimmed();
        server->m_strSslMode = m_pUi->m_comboSslMode->currentText();
    }
    if (!WriteDatabaseChoice(m_settings, server)) {
        AfxMessageBox(tr("Your choice could not be stored in \"%1\".").arg(m_settings.fileName()),
                      MB_OK | MB_ICONERROR);
        return;
    }
    AfxMessageBox(tr("Orvala opens the photo database you chose at its next start."));
    accept();
}
