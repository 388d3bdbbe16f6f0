#include "platform/framework/CMDIFrameWnd.h"

#include "platform/framework/AfxIds.h"
#include "platform/framework/CDocument.h"
#include "platform/framework/CMDIChildWnd.h"
#include "platform/framework/CMultiDocTemplate.h"
#include "platform/framework/CRecentFileList.h"
#include "platform/framework/CResources.h"
#include "platform/framework/CStatusBar.h"
#include "platform/framework/CWinApp.h"
#include "platform/framework/ExceptionBoundary.h"

#include <QAbstractEventDispatcher>
#include <QActionGroup>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QStatusTipEvent>
#include <QStyle>
#include <QTimer>
#include <QToolBar>

namespace {
const char* const szRecentPlaceholder = "orvala-recent-placeholder";
const char* const szWindowListEntry = "orvala-window-entry";
} // namespace

CMDIFrameWnd::CMDIFrameWnd()
    : m_pMdiArea(new QMdiArea(this))
{
    setCentralWidget(m_pMdiArea);
    connect(m_pMdiArea, &QMdiArea::subWindowActivated, this,
            [this](QMdiSubWindow*) { OnActiveChildChanged(); });
    // Command states are refreshed whenever the event loop falls idle.
    if (auto* pDispatcher = QAbstractEventDispatcher::instance())
        connect(pDispatcher, &QAbstractEventDispatcher::aboutToBlock, this,
                &CMDIFrameWnd::UpdateCmdUI);

    OnCommand(ID_VIEW_TOOLBAR, [this] {
        if (m_pToolBar)
            m_pToolBar->setVisible(!m_pToolBar->isVisible());
    });
    OnUpdateCommandUI(ID_VIEW_TOOLBAR, [this](CCmdUI* pCmdUI) {
        pCmdUI->Enable(m_pToolBar != nullptr);
        pCmdUI->SetCheck(m_pToolBar && m_pToolBar->isVisible() ? 1 : 0);
    });
    OnCommand(ID_VIEW_STATUS_BAR, [this] {
        if (QStatusBar* pBar = statusBar())
            pBar->setVisible(!pBar->isVisible());
    });
    OnUpdateCommandUI(ID_VIEW_STATUS_BAR, [this](CCmdUI* pCmdUI) {
        pCmdUI->Enable(m_pStatusBar != nullptr);
        pCmdUI->SetCheck(m_pStatusBar && m_pStatusBar->isVisible() ? 1 : 0);
    });

    OnCommand(ID_WINDOW_NEW, [this] { NewWindow(); });
    OnCommand(ID_WINDOW_CASCADE, [this] { m_pMdiArea->cascadeSubWindows(); });
    OnCommand(ID_WINDOW_TILE_HORZ, [this] { m_pMdiArea->tileSubWindows(); });
    OnCommand(ID_WINDOW_ARRANGE, [this] { ArrangeIcons(); });
    const auto updateWindowCommand = [this](CCmdUI* pCmdUI) {
        pCmdUI->Enable(MDIGetActive() != nullptr);
    };
    OnUpdateCommandUI(ID_WINDOW_NEW, updateWindowCommand);
    OnUpdateCommandUI(ID_WINDOW_CASCADE, updateWindowCommand);
    OnUpdateCommandUI(ID_WINDOW_TILE_HORZ, updateWindowCommand);
    OnUpdateCommandUI(ID_WINDOW_ARRANGE, updateWindowCommand);
}

CMDIFrameWnd::~CMDIFrameWnd()
{
    DestroyChildWindows();
}

void CMDIFrameWnd::DestroyChildWindows()
{
    // Child windows go first, while the frame they report to is whole.
    if (m_pMdiArea == nullptr)
        return;
    disconnect(m_pMdiArea, nullptr, this, nullptr);
    delete m_pMdiArea;
    m_pMdiArea = nullptr;
}

CMDIChildWnd* CMDIFrameWnd::MDIGetActive() const
{
    return m_pMdiArea ? qobject_cast<CMDIChildWnd*>(m_pMdiArea->currentSubWindow()) : nullptr;
}

void CMDIFrameWnd::AddChildFrame(CMDIChildWnd* pFrame)
{
    m_pMdiArea->addSubWindow(pFrame);
    const QSize szArea = m_pMdiArea->viewport()->size();
    const int nStep = pFrame->style()->pixelMetric(QStyle::PM_TitleBarHeight) + 4;
    const int nOpen = int(m_pMdiArea->subWindowList().size()) - 1;
    const int nOffset = nStep * (nOpen % 8);
    pFrame->resize(qMax(200, szArea.width() * 3 / 4), qMax(150, szArea.height() * 3 / 4));
    pFrame->move(nOffset, nOffset);
}

QAction* CMDIFrameWnd::GetCommandAction(int nID)
{
    if (QAction* pAction = m_mapActions.value(nID))
        return pAction;
    auto* pAction = new QAction(this);
    const CResources& res = CResources::Get();
    const int nStringID =
        (nID >= ID_FILE_MRU_FILE1 && nID <= ID_FILE_MRU_LAST) ? int(ID_FILE_MRU_FILE1) : nID;
    pAction->setStatusTip(res.GetPrompt(nStringID));
    const QString strToolTip = res.GetToolTip(nStringID);
    if (!strToolTip.isEmpty())
        pAction->setToolTip(strToolTip);
    pAction->setEnabled(false);
    connect(pAction, &QAction::triggered, this, [this, nID] { SendCommand(nID); });
    m_mapActions.insert(nID, pAction);
    return pAction;
}

bool CMDIFrameWnd::SendCommand(int nID)
{
    CCmdUI state(nID);
    bool bHandled = false;
    if (!AfxRunContained([&] { bHandled = OnCmdMsg(nID, &state); }) || !bHandled ||
        !state.m_bEnabled) {
        UpdateCmdUI();
        return false;
    }
    const bool bDone = AfxRunContained([&] { OnCmdMsg(nID, nullptr); });
    UpdateCmdUI();
    return bDone;
}

void CMDIFrameWnd::UpdateCmdUI()
{
    if (m_bInUpdate)
        return;
    m_bInUpdate = true;
    for (auto it = m_mapActions.constBegin(); it != m_mapActions.constEnd(); ++it) {
        CCmdUI state(it.key());
        bool bHandled = false;
        try {
            bHandled = OnCmdMsg(it.key(), &state);
            m_setFailedUpdates.remove(it.key());
        } catch (...) {
            OnUpdateFailed(it.key(), std::current_exception());
        }
        QAction* pAction = it.value();
        pAction->setEnabled(bHandled && state.m_bEnabled);
        if (state.m_nCheck != 0)
            pAction->setCheckable(true);
        if (pAction->isCheckable())
            pAction->setChecked(bHandled && state.m_nCheck == 1);
    }
    m_bInUpdate = false;
}

void CMDIFrameWnd::OnUpdateFailed(int nID, const std::exception_ptr& pException)
{
    // The state is asked again at every idle moment: tell the user once per
    // failure, not once per pass, and not from inside the event dispatcher.
    if (m_setFailedUpdates.contains(nID))
        return;
    m_setFailedUpdates.insert(nID);
    QTimer::singleShot(0, this, [pException] { AfxReportException(pException); });
}

QList<QMenu*> CMDIFrameWnd::GetMenus(int nIDMenu)
{
    if (m_mapMenus.contains(nIDMenu))
        return m_mapMenus.value(nIDMenu);
    QList<QMenu*> arMenus;
    for (const CMenuData& menuData : CResources::Get().GetMenu(nIDMenu)) {
        auto* pMenu = new QMenu(menuData.strCaption, this);
        bool bWindowMenu = false;
        for (const CMenuItemData& item : menuData.arItems) {
            if (item.bSeparator) {
                pMenu->addSeparator();
            } else if (item.nID == ID_FILE_MRU_FILE1) {
                // Stands in for the list while it is empty; the entries go before it.
                QAction* pPlaceholder = pMenu->addAction(item.strCaption);
                pPlaceholder->setObjectName(QLatin1String(szRecentPlaceholder));
                pPlaceholder->setEnabled(false);
                connect(pMenu, &QMenu::aboutToShow, this,
                        [this, pMenu] { FillRecentFiles(pMenu); });
            } else {
                QAction* pAction = GetCommandAction(item.nID);
                if (pAction->text().isEmpty())
                    pAction->setText(item.strCaption);
                pMenu->addAction(pAction);
                bWindowMenu = bWindowMenu || item.nID == ID_WINDOW_NEW;
            }
        }
        if (bWindowMenu)
            connect(pMenu, &QMenu::aboutToShow, this, [this, pMenu] { FillWindowList(pMenu); });
        connect(pMenu, &QMenu::aboutToShow, this, &CMDIFrameWnd::UpdateCmdUI);
        arMenus.append(pMenu);
    }
    m_mapMenus.insert(nIDMenu, arMenus);
    return arMenus;
}

void CMDIFrameWnd::SetMenuResource(int nIDMenu)
{
    if (nIDMenu == m_nIDMenuShown)
        return;
    QMenuBar* pMenuBar = menuBar();
    pMenuBar->clear();
    for (QMenu* pMenu : GetMenus(nIDMenu)) {
        // Keep the recent files current even for keyboard use of the menu.
        FillRecentFiles(pMenu);
        pMenuBar->addMenu(pMenu);
    }
    m_nIDMenuShown = nIDMenu;
}

void CMDIFrameWnd::FillRecentFiles(QMenu* pMenu)
{
    QAction* pPlaceholder = nullptr;
    for (QAction* pAction : pMenu->actions()) {
        if (pAction->objectName() == QLatin1String(szRecentPlaceholder))
            pPlaceholder = pAction;
    }
    if (pPlaceholder == nullptr)
        return;
    CRecentFileList* pList = AfxGetApp() ? AfxGetApp()->m_pRecentFileList : nullptr;
    const int nCount = pList ? pList->GetCount() : 0;
    for (int i = 0; i < (pList ? pList->GetSize() : 0); ++i) {
        QAction* pAction = GetCommandAction(ID_FILE_MRU_FILE1 + i);
        pMenu->removeAction(pAction);
        if (i < nCount) {
            pAction->setText(pList->GetMenuText(i));
            pMenu->insertAction(pPlaceholder, pAction);
        }
    }
    pPlaceholder->setVisible(nCount == 0);
    UpdateCmdUI();
}

void CMDIFrameWnd::FillWindowList(QMenu* pMenu)
{
    for (QAction* pAction : pMenu->actions()) {
        if (pAction->objectName() == QLatin1String(szWindowListEntry)) {
            pMenu->removeAction(pAction);
            delete pAction;
        }
    }
    const QList<QMdiSubWindow*> arWindows = m_pMdiArea->subWindowList();
    if (arWindows.isEmpty())
        return;
    QAction* pSeparator = pMenu->addSeparator();
    pSeparator->setObjectName(QLatin1String(szWindowListEntry));
    int nNumber = 0;
    for (QMdiSubWindow* pWindow : arWindows) {
        QString strTitle = pWindow->windowTitle();
        strTitle.replace(QLatin1Char('&'), QStringLiteral("&&"));
        QAction* pAction = pMenu->addAction(QStringLiteral("&%1 %2").arg(++nNumber).arg(strTitle));
        pAction->setObjectName(QLatin1String(szWindowListEntry));
        pAction->setCheckable(true);
        pAction->setChecked(pWindow == m_pMdiArea->currentSubWindow());
        QPointer<QMdiSubWindow> pTarget(pWindow);
        connect(pAction, &QAction::triggered, this, [this, pTarget] {
            if (pTarget)
                m_pMdiArea->setActiveSubWindow(pTarget);
        });
    }
}

void CMDIFrameWnd::ArrangeIcons()
{
    int x = 0;
    const int nBottom = m_pMdiArea->viewport()->height();
    for (QMdiSubWindow* pWindow : m_pMdiArea->subWindowList()) {
        if (!pWindow->isMinimized())
            continue;
        pWindow->move(x, nBottom - pWindow->height());
        x += pWindow->width();
    }
}

void CMDIFrameWnd::NewWindow()
{
    CMDIChildWnd* pActive = MDIGetActive();
    CDocument* pDoc = pActive ? pActive->GetActiveDocument() : nullptr;
    CMultiDocTemplate* pTemplate = pDoc ? pDoc->GetDocTemplate() : nullptr;
    if (pTemplate == nullptr)
        return;
    if (CMDIChildWnd* pFrame = pTemplate->CreateNewFrame(pDoc))
        pTemplate->InitialUpdateFrame(pFrame, pDoc, true);
}

void CMDIFrameWnd::SetMessageText(const QString& strText)
{
    if (m_pStatusBar)
        m_pStatusBar->SetPaneText(0, strText);
}

bool CMDIFrameWnd::OnCmdMsg(int nID, CCmdUI* pCmdUI)
{
    if (CMDIChildWnd* pChild = MDIGetActive()) {
        if (pChild->OnCmdMsg(nID, pCmdUI))
            return true;
    }
    if (CCmdTarget::OnCmdMsg(nID, pCmdUI))
        return true;
    return AfxGetApp() && AfxGetApp()->OnCmdMsg(nID, pCmdUI);
}

void CMDIFrameWnd::SetTitle(const QString& strTitle)
{
    m_strTitle = strTitle;
    OnUpdateFrameTitle();
}

void CMDIFrameWnd::OnUpdateFrameTitle()
{
    CMDIChildWnd* pChild = MDIGetActive();
    CDocument* pDoc = pChild ? pChild->GetActiveDocument() : nullptr;
    if (pDoc && !pDoc->GetTitle().isEmpty())
        setWindowTitle(QStringLiteral("%1 - %2").arg(m_strTitle, pDoc->GetTitle()));
    else
        setWindowTitle(m_strTitle);
}

QToolBar* CMDIFrameWnd::CreateToolBar(int nIDResource)
{
    const QList<CToolBarButtonData> arButtons = CResources::Get().GetToolBar(nIDResource);
    if (arButtons.isEmpty())
        return nullptr;
    auto* pToolBar = new QToolBar(tr("Toolbar"), this);
    pToolBar->setObjectName(QStringLiteral("ToolBar%1").arg(nIDResource));
    pToolBar->setIconSize(QSize(16, 16));
    pToolBar->setAllowedAreas(Qt::AllToolBarAreas);
    pToolBar->setMovable(true);
    pToolBar->setFloatable(true);
    for (const CToolBarButtonData& button : arButtons) {
        if (button.bSeparator) {
            pToolBar->addSeparator();
            continue;
        }
        QAction* pAction = GetCommandAction(button.nID);
        pAction->setIcon(QIcon(CResources::ToolBarIconPath(button.strIcon)));
        pAction->setIconVisibleInMenu(false);
        pToolBar->addAction(pAction);
    }
    addToolBar(Qt::TopToolBarArea, pToolBar);
    m_pToolBar = pToolBar;
    return pToolBar;
}

void CMDIFrameWnd::CreateStatusBar(const QList<int>& arIndicators)
{
    m_pStatusBar = new CStatusBar(this);
    m_pStatusBar->SetIndicators(arIndicators);
    setStatusBar(m_pStatusBar);
}

void CMDIFrameWnd::LoadAccelTable(int nIDResource)
{
    QHash<int, QList<QKeySequence>> mapKeys;
    QList<int> arOrder;
    for (const CAcceleratorData& accel : CResources::Get().GetAccelerators(nIDResource)) {
        if (!mapKeys.contains(accel.nID))
            arOrder.append(accel.nID);
        mapKeys[accel.nID].append(accel.keys);
    }
    for (int nID : std::as_const(arOrder)) {
        QAction* pAction = GetCommandAction(nID);
        pAction->setShortcuts(mapKeys.value(nID));
        // Keys work whichever menu is shown, and for commands in no menu.
        addAction(pAction);
    }
}

bool CMDIFrameWnd::event(QEvent* pEvent)
{
    if (pEvent->type() == QEvent::StatusTip) {
        const QString strTip = static_cast<QStatusTipEvent*>(pEvent)->tip();
        const QString strShown = m_pStatusBar ? m_pStatusBar->GetPaneText(0) : QString();
        if (!strTip.isEmpty()) {
            if (!m_bTipShown || strShown != m_strTipText)
                m_strBeforeTip = strShown;
            m_bTipShown = true;
            SetMessageText(strTip);
        } else if (m_bTipShown) {
            // A pointer passing over a button must not wipe a text such as
            // " Paused..." for good; a text written meanwhile stays.
            m_bTipShown = false;
            if (strShown == m_strTipText)
                SetMessageText(m_strBeforeTip.isEmpty()
                                   ? CResources::Get().LoadString(AFX_IDS_IDLEMESSAGE)
                                   : m_strBeforeTip);
        }
        m_strTipText = strTip;
        return true;
    }
    return QMainWindow::event(pEvent);
}

void CMDIFrameWnd::OnActiveChildChanged()
{
    int nIDMenu = m_nIDDefaultMenu;
    if (CMDIChildWnd* pChild = MDIGetActive()) {
        if (CMultiDocTemplate* pTemplate = pChild->GetDocTemplate()) {
            if (!CResources::Get().GetMenu(pTemplate->GetResourceID()).isEmpty())
                nIDMenu = pTemplate->GetResourceID();
        }
    }
    SetMenuResource(nIDMenu);
    OnUpdateFrameTitle();
    UpdateCmdUI();
}
