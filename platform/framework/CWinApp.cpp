#include "platform/framework/CWinApp.h"

#include "platform/framework/AfxIds.h"
#include "platform/framework/CDocument.h"
#include "platform/framework/CMDIChildWnd.h"
#include "platform/framework/CMDIFrameWnd.h"
#include "platform/framework/CMultiDocTemplate.h"
#include "platform/framework/CRecentFileList.h"
#include "platform/framework/CView.h"
#include "platform/framework/FileDialog.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QMdiArea>
#include <QPageSetupDialog>
#include <QPrinter>
#include <QSettings>

namespace {
CWinApp* s_pApp = nullptr;
const QString strSettings = QStringLiteral("Settings");
const QString strOpenFolder = QStringLiteral("OpenFolder");
} // namespace

CWinApp* AfxGetApp()
{
    return s_pApp;
}

QWidget* AfxGetMainWnd()
{
    return s_pApp ? s_pApp->m_pMainWnd : nullptr;
}

CWinApp::CWinApp(const QString& strAppName)
    : m_pszAppName(strAppName)
{
    s_pApp = this;
    OnCommand(ID_FILE_NEW, [this] { OnFileNew(); });
    OnCommand(ID_FILE_OPEN, [this] { OnFileOpen(); });
    OnCommand(ID_FILE_PRINT_SETUP, [this] { OnFilePrintSetup(); });
    OnCommand(ID_APP_EXIT, [this] { OnAppExit(); });
    OnCommandRange(ID_FILE_MRU_FILE1, ID_FILE_MRU_LAST, [this](int nID) { OnOpenRecentFile(nID); });
    OnUpdateCommandUIRange(ID_FILE_MRU_FILE1, ID_FILE_MRU_LAST, [this](CCmdUI* pCmdUI) {
        pCmdUI->Enable(m_pRecentFileList &&
                       pCmdUI->m_nID - ID_FILE_MRU_FILE1 < m_pRecentFileList->GetCount());
    });
}

CWinApp::~CWinApp()
{
    delete m_pMainWnd;
    qDeleteAll(m_arTemplates);
    delete m_pRecentFileList;
    if (s_pApp == this)
        s_pApp = nullptr;
}

int CWinApp::ExitInstance()
{
    if (m_pRecentFileList) {
        auto pSettings = OpenProfile();
        m_pRecentFileList->WriteList(*pSettings);
    }
    return 0;
}

CMDIFrameWnd* CWinApp::GetMainFrame() const
{
    return qobject_cast<CMDIFrameWnd*>(m_pMainWnd);
}

void CWinApp::SetRegistryKey(const QString& strCompany)
{
    m_pszRegistryKey = strCompany;
}

std::unique_ptr<QSettings> CWinApp::OpenProfile() const
{
    return std::make_unique<QSettings>(m_pszRegistryKey, m_pszAppName);
}

void CWinApp::LoadStdProfileSettings(int nMaxMRU)
{
    delete m_pRecentFileList;
    m_pRecentFileList = new CRecentFileList(nMaxMRU);
    auto pSettings = OpenProfile();
    m_pRecentFileList->ReadList(*pSettings);
}

int CWinApp::GetProfileInt(const QString& strSection, const QString& strEntry, int nDefault) const
{
    auto pSettings = OpenProfile();
    bool bOk = false;
    const int nValue = pSettings->value(strSection + QLatin1Char('/') + strEntry).toInt(&bOk);
    return bOk ? nValue : nDefault;
}

bool CWinApp::WriteProfileInt(const QString& strSection, const QString& strEntry, int nValue)
{
    auto pSettings = OpenProfile();
    pSettings->setValue(strSection + QLatin1Char('/') + strEntry, nValue);
    pSettings->sync();
    return pSettings->status() == QSettings::NoError;
}

QString CWinApp::GetProfileString(const QString& strSection, const QString& strEntry,
                                  const QString& strDefault) const
{
    auto pSettings = OpenProfile();
    return pSettings->value(strSection + QLatin1Char('/') + strEntry, strDefault).toString();
}

void CWinApp::AddDocTemplate(CMultiDocTemplate* pTemplate)
{
    m_arTemplates.append(pTemplate);
}

CDocument* CWinApp::OpenDocumentFile(const QString& strPathName)
{
    if (m_arTemplates.isEmpty() || strPathName.isEmpty())
        return nullptr;
    const QString strFullPath = QFileInfo(strPathName).absoluteFilePath();
    for (CMultiDocTemplate* pTemplate : std::as_const(m_arTemplates)) {
        for (CDocument* pDoc : pTemplate->GetDocuments()) {
            if (pDoc->GetPathName() != strFullPath || pDoc->GetViews().isEmpty())
                continue;
            if (CMDIChildWnd* pFrame = pDoc->GetViews().constFirst()->GetParentFrame()) {
                if (QMdiArea* pArea = pFrame->mdiArea())
                    pArea->setActiveSubWindow(pFrame);
            }
            return pDoc;
        }
    }
    return m_arTemplates.constFirst()->OpenDocumentFile(strFullPath, true);
}

void CWinApp::AddToRecentFileList(const QString& strPathName)
{
    if (m_pRecentFileList == nullptr)
        return;
    m_pRecentFileList->Add(strPathName);
    // Written at once too, so the list survives an abnormal end.
    auto pSettings = OpenProfile();
    m_pRecentFileList->WriteList(*pSettings);
    pSettings->setValue(strSettings + QLatin1Char('/') + strOpenFolder,
                        QFileInfo(strPathName).absolutePath());
}

void CWinApp::RemoveFromRecentFileList(const QString& strPathName)
{
    if (m_pRecentFileList == nullptr)
        return;
    bool bRemoved = false;
    for (int i = m_pRecentFileList->GetCount() - 1; i >= 0; --i) {
        if ((*m_pRecentFileList)[i] == strPathName) {
            m_pRecentFileList->Remove(i);
            bRemoved = true;
        }
    }
    if (bRemoved)
        m_pRecentFileList->WriteList(*OpenProfile());
}

QString CWinApp::GetOpenFolder() const
{
    const QString strFolder = GetProfileString(strSettings, strOpenFolder);
    if (!strFolder.isEmpty() && QFileInfo(strFolder).isDir())
        return strFolder;
    return QDir::currentPath();
}

QPrinter* CWinApp::GetPrinter()
{
    if (!m_pPrinter)
        m_pPrinter = std::make_unique<QPrinter>(QPrinter::HighResolution);
    return m_pPrinter.get();
}

void CWinApp::OnFileNew()
{
    // Only the first template offers itself for new documents.
    for (CMultiDocTemplate* pTemplate : std::as_const(m_arTemplates)) {
        QString strNewName;
        if (pTemplate->GetDocString(strNewName, CMultiDocTemplate::fileNewName)) {
            pTemplate->OpenDocumentFile(QString(), true);
            return;
        }
    }
}

void CWinApp::OnFileOpen()
{
    const QString strPath = AfxGetOpenFileName(
        m_pMainWnd, QCoreApplication::translate("CWinApp", "Open"), GetOpenFolder(),
        QCoreApplication::translate("CWinApp", "All Files (*)"));
    if (!strPath.isEmpty())
        OpenDocumentFile(strPath);
}

void CWinApp::OnFilePrintSetup()
{
    QPageSetupDialog dialog(GetPrinter(), m_pMainWnd);
    dialog.exec();
}

void CWinApp::OnAppExit()
{
    if (m_pMainWnd)
        m_pMainWnd->close();
}

void CWinApp::OnOpenRecentFile(int nID)
{
    const int nIndex = nID - ID_FILE_MRU_FILE1;
    if (m_pRecentFileList == nullptr || nIndex >= m_pRecentFileList->GetCount())
        return;
    const QString strPath = (*m_pRecentFileList)[nIndex];
    if (OpenDocumentFile(strPath) == nullptr) {
        m_pRecentFileList->Remove(nIndex);
        auto pSettings = OpenProfile();
        m_pRecentFileList->WriteList(*pSettings);
    }
}
