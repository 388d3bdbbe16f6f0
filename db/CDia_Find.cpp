#include "db/CDia_Find.h"

#include "ui_FindDlg.h"

CDia_Find::CDia_Find(QWidget* pParent)
    : CDialog(pParent)
    , m_pUi(std::make_unique<Ui::CDia_Find>())
{
    m_pUi->setupUi(this);
    m_pUi->m_editFind->setFocus();
    connect(m_pUi->m_btnOK, &QPushButton::clicked, this, [this] { OnOK(); });
    connect(m_pUi->m_btnCancel, &QPushButton::clicked, this, &QDialog::reject);
}

CDia_Find::~CDia_Find() = default;

void CDia_Find::OnOK()
{
    // Taken as typed: blanks around a text can be part of what is looked for.
    m_strFind = m_pUi->m_editFind->text();
    accept();
}
