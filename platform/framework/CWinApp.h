#pragma once

#include "platform/framework/CCmdTarget.h"

#include <QList>
#include <QString>
#include <memory>

class CDocument;
class CMDIFrameWnd;
class CMultiDocTemplate;
class CRecentFileList;
class QPrinter;
class QSettings;
class QWidget;

// The application object: document templates, the main window, the per-user
// profile and the recent-file list, and the application-wide commands.
class CWinApp : public CCmdTarget
{
public:
    explicit CWinApp(const QString& strAppName);
    ~CWinApp() override;

    virtual bool InitInstance() { return true; }
    // Runs once the main window has closed; saves the recent-file list.
    virtual int ExitInstance();

    CMDIFrameWnd* GetMainFrame() const;

    // Settings live under this company name, then the application's name.
    void SetRegistryKey(const QString& strCompany);
    void LoadStdProfileSettings(int nMaxMRU);
    int GetProfileInt(const QString& strSection, const QString& strEntry, int nDefault) const;
    bool WriteProfileInt(const QString& strSection, const QString& strEntry, int nValue);
    QString GetProfileString(const QString& strSection, const QString& strEntry,
                             const QString& strDefault = QString()) const;
    std::unique_ptr<QSettings> OpenProfile() const;

    void AddDocTemplate(CMultiDocTemplate* pTemplate);
    const QList<CMultiDocTemplate*>& GetDocTemplates() const { return m_arTemplates; }
    // Opens a file as the first template's document; activates its window
    // instead when that file is open already.
    virtual CDocument* OpenDocumentFile(const QString& strPathName);
    // Also remembers the file's folder, where File Open starts next time.
    virtual void AddToRecentFileList(const QString& strPathName);
    // A file gone from its place (moved to the trash) leaves the list.
    void RemoveFromRecentFileList(const QString& strPathName);
    // The folder of the file opened last while it still exists, otherwise
    // the working folder.
    QString GetOpenFolder() const;

    QPrinter* GetPrinter();

    QString m_pszAppName;
    QString m_pszRegistryKey;
    QWidget* m_pMainWnd = nullptr;
    CRecentFileList* m_pRecentFileList = nullptr;

protected:
    void OnFileNew();
    void OnFileOpen();
    void OnFilePrintSetup();
    void OnAppExit();
    void OnOpenRecentFile(int nID);

private:
    QList<CMultiDocTemplate*> m_arTemplates;
    std::unique_ptr<QPrinter> m_pPrinter;
};

CWinApp* AfxGetApp();
QWidget* AfxGetMainWnd();
