#pragma once

#include "db/CDao_Table.h"
#include "platform/framework/CFrameServices.h"
#include "platform/framework/CMDIFrameWnd.h"
#include "platform/framework/CProgressCtrl_Status.h"

// The program's one top-level window. Owns, for the whole run, what the
// child windows share, and serves it to them; remembers its placement in
// group "Settings".
class CMainFrame : public CMDIFrameWnd, public CFrameServices
{
    Q_OBJECT
public:
    CMainFrame();
    ~CMainFrame() override;

    // Creates the frame from its resources; false when that fails.
    bool LoadFrame(int nIDResource);

    CDao_Table& GetPhotoDatabase() override { return m_DaoTable; }
    CProgressCtrl_Status& GetStatusProgress() override { return m_wndStatusProgress; }
    void SetMessageText(const QString& strText) override;
    CDocument* OpenPictureWindow(const QString& strPath, int nIndex) override;
    CDocument* OpenTableWindow(const QString& strFilter) override;
    bool ListsAllPictureFormats() const override { return m_bAllPictureFormats; }

protected:
    int OnCreate();
    void OnShowTable();
    void OnHelp();
    void OnAllPictureFormats();

    void resizeEvent(QResizeEvent* pEvent) override;
    void closeEvent(QCloseEvent* pEvent) override;
    void showEvent(QShowEvent* pEvent) override;
    bool eventFilter(QObject* pWatched, QEvent* pEvent) override;

private:
    void RestorePlacement();
    void UpdateIndicators();

    QRect m_rcRestored;
    CProgressCtrl_Status m_wndStatusProgress;
    CDao_Table m_DaoTable;
    bool m_bAllPictureFormats = false;
};
