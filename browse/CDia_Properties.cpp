#include "browse/CDia_Properties.h"

#include "browse/PropertiesValues.h"
#include "platform/framework/MessageBox.h"

#include "ui_PropertiesDlg.h"

#include <algorithm>

namespace {

// The two groups lay out apart; giving their label and unit columns the same
// width puts the three edits in one column whatever the font.
void AlignEditColumns(std::initializer_list<QGridLayout*> arGrids)
{
    for (const int nColumn : {2, 4}) {
        int nWidth = 0;
        for (QGridLayout* pGrid : arGrids) {
            for (int nRow = 0; nRow < pGrid->rowCount(); ++nRow) {
                if (QLayoutItem* pItem = pGrid->itemAtPosition(nRow, nColumn))
                    nWidth = std::max(nWidth, pItem->sizeHint().width());
            }
        }
        for (QGridLayout* pGrid : arGrids)
            pGrid->setColumnMinimumWidth(nColumn, nWidth);
    }
}

} // namespace

CDia_Properties::CDia_Properties(QWidget* pParent)
    : CDialog(pParent)
    , m_pUi(std::make_unique<Ui::CDia_Properties>())
{
    m_pUi->setupUi(this);
    AlignEditColumns({m_pUi->mosaicLayout, m_pUi->slideShowLayout});
    connect(m_pUi->m_btnOK, &QPushButton::clicked, this, [this] { OnOK(); });
    connect(m_pUi->m_btnCancel, &QPushButton::clicked, this, &QDialog::reject);
}

CDia_Properties::~CDia_Properties() = default;

int CDia_Properties::DoModal()
{
    // The caller sets the members after construction, so the controls are
    // filled only now.
    if (!OnInitDialog())
        return IDCANCEL;
    return CDialog::DoModal();
}

bool CDia_Properties::OnInitDialog()
{
    UpdateData(false);
    m_pUi->m_btnOK->setFocus();
    return true;
}

void CDia_Properties::UpdateData(bool bSaveAndValidate)
{
    Ui::CDia_Properties& ui = *m_pUi;
    if (bSaveAndValidate) {
        m_bKeep = ui.m_checkKeep->isChecked();
        m_bLoop = ui.m_checkLoop->isChecked();
        m_strPhotosInRow = ui.m_editPhotosInRow->text();
        m_strBorderWidth = ui.m_editBorderWidth->text();
        m_strPause = ui.m_editPause->text();
        return;
    }
    ui.m_checkKeep->setChecked(m_bKeep);
    ui.m_checkLoop->setChecked(m_bLoop);
    ui.m_editPhotosInRow->setText(m_strPhotosInRow);
    ui.m_editBorderWidth->setText(m_strBorderWidth);
    ui.m_editPause->setText(m_strPause);
}

void CDia_Properties::OnOK()
{
    UpdateData(true);
    m_settings =
        ViewSettingsFromTexts(m_bKeep, m_bLoop, m_strPhotosInRow, m_strBorderWidth, m_strPause);
    accept();
}
