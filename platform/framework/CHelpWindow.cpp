#include "platform/framework/CHelpWindow.h"

#include "platform/framework/CWinApp.h"
#include "platform/framework/HelpGuide.h"

#include <QApplication>
#include <QPointer>
#include <QScreen>

CHelpWindow::CHelpWindow(QWidget* pParent)
    : QTextBrowser(pParent)
{
    // Owned by the main window, so that it neither outlives the program nor keeps it running.
    setWindowFlag(Qt::Window);
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(tr("%1 Help").arg(QApplication::applicationDisplayName()));
    setOpenExternalLinks(true);
    setSource(HelpGuideUrl(QCoreApplication::applicationDirPath()));
    resize(640, 720);
}

CHelpWindow* CHelpWindow::Show(const QString& strAnchor)
{
    static QPointer<CHelpWindow> s_pWindow;
    if (s_pWindow.isNull())
        s_pWindow = new CHelpWindow(AfxGetMainWnd());
    if (!strAnchor.isEmpty())
        s_pWindow->scrollToAnchor(strAnchor);
    s_pWindow->show();
    s_pWindow->raise();
    s_pWindow->activateWindow();
    return s_pWindow;
}
