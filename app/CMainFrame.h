#pragma once

#include "platform/framework/CProgressCtrl_Status.h"
#include "db/CDao_Table.h"
#include "platform/framework/CMDIFrameWnd.h"

// The program's one top-level window. Owns, for the whole run, what the
// child windows share; remembers its placement in group "Settings".
class CMainFrame : public CMDIFrameWnd
{
    Q_OBJECT
public:
    CMainFrame();
    ~CMainFrame() override;

    // Creates the frame from its resources; false when that fails.
    bool LoadFrame(int nIDResource);

    CProgressCtrl_Status m_wndStatusProgress;
    CDao_Table m_DaoTable;

protected:
    int OnCreate();
    void OnShowTable();
    void OnHelp();

    void resizeEvent(QResizeEvent* pEvent) override;
    void closeEvent(QCloseEvent* pEvent) override;
    void showEvent(QShowEvent* pEvent) override;
    bool eventFilter(QObject* pWatched, QEvent* pEvent) override;

private:
    void RestorePlacement();
    void UpdateIndicators();

    QRect m_rcRestored;
};
