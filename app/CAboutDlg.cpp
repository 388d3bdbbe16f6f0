#include "app/CAboutDlg.h"

#include "platform/framework/CResources.h"
#include "resources/resource.h"
#include "ui_AboutDlg.h"

#include <QCoreApplication>
#include <QIcon>

CAboutDlg::CAboutDlg(QWidget* pParent)
    : CDialog(pParent)
    , m_pUi(std::make_unique<Ui::CAboutDlg>())
{
    m_pUi->setupUi(this);
    m_pUi->m_wndIcon->setPixmap(
        QIcon(CResources::Get().GetIconPath(IDR_MAINFRAME)).pixmap(QSize(32, 32)));
    // The resource leaves the text empty; the program's name and version belong there.
    m_pUi->m_wndText->setText(
        tr("%1 Version %2")
            .arg(QCoreApplication::applicationName(), QCoreApplication::applicationVersion()));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
}

CAboutDlg::~CAboutDlg() = default;
