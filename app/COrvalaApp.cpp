#include "app/COrvalaApp.h"

#include "app/AppLog.h"
#include "app/CAboutDlg.h"
#include "app/CChildFrame.h"
#include "app/CMainFrame.h"
#include "browse/COrvalaDoc.h"
#include "browse/COrvalaView.h"
#include "platform/framework/AfxIds.h"
#include "platform/framework/CMultiDocTemplate.h"
#include "platform/framework/CResources.h"
#include "platform/framework/HelpGuide.h"
#include "resources/resource.h"
#include "table/CListView_Drift.h"
#include "table/CListView_Table.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QSettings>

namespace {

// Where this run keeps and finds its files: the first thing to ask of an installation.
void LogWhereThingsAre()
{
    qCDebug(lcApp).noquote() << "working folder:" << QDir::currentPath();
    qCDebug(lcApp).noquote() << "settings:" << QSettings().fileName();
    qCDebug(lcApp).noquote() << "user guide:"
                             << HelpGuideUrl(QCoreApplication::applicationDirPath()).toString();
}

} // namespace

COrvalaApp::COrvalaApp()
    : CWinApp(CResources::Get().LoadSourceString(AFX_IDS_APP_TITLE))
{
    // The settings are kept under this name, so it is one in every language.
    // Only the application name: a display name set explicitly would be appended
    // by Qt to every window title that differs from it.
    QCoreApplication::setApplicationName(m_pszAppName);
    QCoreApplication::setApplicationVersion(QStringLiteral(ORVALA_VERSION));
    // Ties the windows to the installed desktop entry, for the launcher and task bar.
    QGuiApplication::setDesktopFileName(QStringLiteral(ORVALA_APP_ID));
    OnCommand(ID_APP_ABOUT, [this] { OnAppAbout(); });
}

bool COrvalaApp::InitInstance()
{
    CWinApp::InitInstance();
    SetRegistryKey(QStringLiteral("Tarnwick"));
    QCoreApplication::setOrganizationName(m_pszRegistryKey);
    LoadStdProfileSettings(15);

    m_pPictureTemplate = new CMultiDocTemplate(
        IDR_ORVALATYPE, [] { return new COrvalaDoc; }, [] { return new CChildFrame; },
        [this] { return new COrvalaView(&m_FolderModels); });
    AddDocTemplate(m_pPictureTemplate);
    m_pTableTemplate = new CMultiDocTemplate(
        IDR_TABLETYPE, [] { return new COrvalaDoc; }, [] { return new CChildFrame; },
        [] { return new CListView_Table; });
    AddDocTemplate(m_pTableTemplate);
    m_pDriftTemplate = new CMultiDocTemplate(
        IDR_DRIFTTYPE, [] { return new COrvalaDoc; }, [] { return new CChildFrame; },
        [] { return new CListView_Drift; });
    AddDocTemplate(m_pDriftTemplate);

    auto* pMainFrame = new CMainFrame(m_FolderModels);
    if (!pMainFrame->LoadFrame(IDR_MAINFRAME)) {
        delete pMainFrame;
        return false;
    }
    m_pMainWnd = pMainFrame;

    // The command line is read but never acted upon: the frame starts empty.
    QCommandLineParser parser;
    parser.addPositionalArgument(QStringLiteral("files"), QString());
    parser.parse(QCoreApplication::arguments());

    pMainFrame->show();
    pMainFrame->update();
    LogWhereThingsAre();
    return true;
}

void COrvalaApp::OnAppAbout()
{
    CAboutDlg dlg(m_pMainWnd);
    dlg.DoModal();
}
