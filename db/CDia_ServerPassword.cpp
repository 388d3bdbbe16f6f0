#include "db/CDia_ServerPassword.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>

CDia_ServerPassword::CDia_ServerPassword(const SServerConnection& server, const QString& strRefusal,
                                         QWidget* pParent)
    : CDialog(pParent)
    , m_editPassword(new QLineEdit(this))
{
    setWindowTitle(tr("Photo Database"));
    auto* pLayout = new QFormLayout(this);
    auto* pQuestion = new QLabel(tr("The PostgreSQL server \"%1\" asks for the password of %2 "
                                    "for the photo database \"%3\".")
                                     .arg(server.m_strHost, server.m_strUser, server.m_strDatabase),
                                 this);
    pQuestion->setWordWrap(true);
    pLayout->addRow(pQuestion);
    if (!strRefusal.isEmpty()) {
        auto* pRefusal = new QLabel(strRefusal, this);
        pRefusal->setWordWrap(true);
        pLayout->addRow(pRefusal);
    }
    m_editPassword->setEchoMode(QLineEdit::Password);
    pLayout->addRow(tr("Pass&word:"), m_editPassword);
    auto* pButtons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(pButtons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(pButtons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    pLayout->addRow(pButtons);
    m_editPassword->setFocus();
}

QString CDia_ServerPassword::Password() const
{
    return m_editPassword->text();
}
