#pragma once

#include "platform/framework/CCmdTarget.h"

#include <QHash>
#include <QMainWindow>
#include <QSet>
#include <exception>

class CMDIChildWnd;
class CStatusBar;
class QAction;
class QMdiArea;
class QMenu;
class QToolBar;

// The main window holding the child windows. Every command has one action,
// shared by the menus, the tool bar and the accelerators; commands run along
// the route active view, document, child frame, this frame, the application,
// and an action is enabled only while something on that route handles it.
class CMDIFrameWnd : public QMainWindow, public CCmdTarget
{
    Q_OBJECT
public:
    CMDIFrameWnd();
    ~CMDIFrameWnd() override;

    QMdiArea* MDIClient() const { return m_pMdiArea; }
    CMDIChildWnd* MDIGetActive() const;
    // Takes a new child window, sized and cascaded as the system places new windows.
    void AddChildFrame(CMDIChildWnd* pFrame);

    // The action of a command, made on first use.
    QAction* GetCommandAction(int nID);
    // Runs a command along the route, unless its state says it is disabled. A
    // handler's exception is shown to the user and goes no further.
    bool SendCommand(int nID);
    // Asks the route for the state of every command's action.
    void UpdateCmdUI();

    // Shows the frame's own menu, or the menu of the active child's template.
    void SetMenuResource(int nIDMenu);
    int GetMenuResource() const { return m_nIDMenuShown; }
    QList<QMenu*> GetMenus(int nIDMenu);

    // The status bar's message pane.
    virtual void SetMessageText(const QString& strText);
    CStatusBar* GetStatusBar() const { return m_pStatusBar; }

    bool OnCmdMsg(int nID, CCmdUI* pCmdUI) override;

    // The caption: the frame's own title, then the active document's.
    void SetTitle(const QString& strTitle);
    void OnUpdateFrameTitle();

protected:
    // Destroys the child windows; a derived frame calls it from its own
    // destructor, so that the children still see the whole frame.
    void DestroyChildWindows();
    // Builds the tool bar of a resource from the shared command actions.
    QToolBar* CreateToolBar(int nIDResource);
    void CreateStatusBar(const QList<int>& arIndicators);
    void LoadAccelTable(int nIDResource);
    void SetDefaultMenu(int nIDMenu) { m_nIDDefaultMenu = nIDMenu; }

    bool event(QEvent* pEvent) override;

    QToolBar* m_pToolBar = nullptr;
    CStatusBar* m_pStatusBar = nullptr;

private:
    void OnActiveChildChanged();
    void OnUpdateFailed(int nID, const std::exception_ptr& pException);
    void FillRecentFiles(QMenu* pMenu);
    void FillWindowList(QMenu* pMenu);
    void ArrangeIcons();
    void NewWindow();

    QString m_strTitle;
    QMdiArea* m_pMdiArea;
    QHash<int, QAction*> m_mapActions;
    QHash<int, QList<QMenu*>> m_mapMenus;
    QList<QAction*> m_arDynamicActions;
    int m_nIDDefaultMenu = 0;
    int m_nIDMenuShown = 0;
    bool m_bInUpdate = false;
    // Pane 0 as it was before a command's prompt covered it.
    bool m_bTipShown = false;
    QString m_strTipText;
    QString m_strBeforeTip;
    // Commands whose state handler failed and has been reported.
    QSet<int> m_setFailedUpdates;
};
