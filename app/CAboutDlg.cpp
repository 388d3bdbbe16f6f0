#include "app/CAboutDlg.h"

#include "platform/CResources.h"
#include "resources/resource.h"
#include "ui_AboutDlg.h"

#include <QIcon>

CAboutDlg::CAboutDlg(QWidget* pParent)
    : CDialog(pParent)
    , m_pUi(std::make_unique<Ui::CAboutDlg>())
{
    m_pUi->setupUi(this);
    m_pUi->m_wndIcon->setPixmap(
        QIcon(CResources::Get().GetIconPath(IDR_MAINFRAME)).pixmap(QSize(32, 32)));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
}

CAboutDlg::~CAboutDlg() = default;
