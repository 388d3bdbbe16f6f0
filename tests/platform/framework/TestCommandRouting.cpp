#include "TestCommandRouting.h"

#include "common/TestWorkspace.h"
#include "platform/framework/AfxIds.h"
#include "platform/framework/CDocument.h"
#include "platform/framework/CMDIChildWnd.h"
#include "platform/framework/CMDIFrameWnd.h"
#include "platform/framework/CMultiDocTemplate.h"
#include "platform/framework/CScrollView.h"
#include "platform/framework/CWinApp.h"

#include <QAction>
#include <QMdiArea>
#include <QMenu>
#include <QMenuBar>
#include <QTest>
#include <memory>

namespace {

enum {
    ID_BOTH = 40001,
    ID_VIEW_ONLY = 40002,
    ID_DOC_ONLY = 40003,
    ID_FRAME_ONLY = 40004,
    ID_APP_ONLY = 40005,
    ID_GUARDED = 40006,
    ID_NOBODY = 40007
};

QStringList g_arLog;

class CTestDoc : public CDocument
{
public:
    CTestDoc()
    {
        OnCommand(ID_BOTH, [] { g_arLog << QStringLiteral("doc"); });
        OnCommand(ID_DOC_ONLY, [] { g_arLog << QStringLiteral("doc"); });
    }
};

class CTestView : public CScrollView
{
public:
    CTestView()
    {
        OnCommand(ID_BOTH, [] { g_arLog << QStringLiteral("view"); });
        OnCommand(ID_VIEW_ONLY, [] { g_arLog << QStringLiteral("view"); });
        OnCommand(ID_GUARDED, [] { g_arLog << QStringLiteral("guarded"); });
        OnUpdateCommandUI(ID_GUARDED, [this](CCmdUI* pCmdUI) {
            pCmdUI->Enable(m_bAllowed);
            pCmdUI->SetCheck(m_bAllowed ? 1 : 0);
        });
    }
    bool m_bAllowed = false;
};

class CTestFrame : public CMDIFrameWnd
{
public:
    CTestFrame()
    {
        SetDefaultMenu(128);
        SetMenuResource(128);
        OnCommand(ID_BOTH, [] { g_arLog << QStringLiteral("frame"); });
        OnCommand(ID_FRAME_ONLY, [] { g_arLog << QStringLiteral("frame"); });
    }
};

class CTestApp : public CWinApp
{
public:
    CTestApp()
        : CWinApp(QStringLiteral("OrvalaTest"))
    {
        OnCommand(ID_BOTH, [] { g_arLog << QStringLiteral("app"); });
        OnCommand(ID_APP_ONLY, [] { g_arLog << QStringLiteral("app"); });
        // 129 has a menu of its own; 502 has none and shows the frame's.
        for (int nID : {129, 502})
            AddDocTemplate(new CMultiDocTemplate(
                nID, [] { return new CTestDoc; }, [] { return new CMDIChildWnd; },
                [] { return new CTestView; }));
        auto* pFrame = new CTestFrame;
        m_pMainWnd = pFrame;
        pFrame->show();
    }
    CMultiDocTemplate* Template(int nIndex) const { return GetDocTemplates().at(nIndex); }
};

std::unique_ptr<CTestWorkspace> g_pWorkspace;
std::unique_ptr<CTestApp> g_pApp;

CMDIFrameWnd* Frame()
{
    return g_pApp->GetMainFrame();
}

bool IsEnabled(int nID)
{
    QAction* pAction = Frame()->GetCommandAction(nID);
    Frame()->UpdateCmdUI();
    return pAction->isEnabled();
}

CTestView* ActiveView()
{
    CMDIChildWnd* pChild = Frame()->MDIGetActive();
    return pChild ? static_cast<CTestView*>(pChild->GetActiveView()) : nullptr;
}

} // namespace

void TestCommandRouting::init()
{
    g_arLog.clear();
    g_pWorkspace = std::make_unique<CTestWorkspace>();
    g_pApp = std::make_unique<CTestApp>();
}

void TestCommandRouting::cleanup()
{
    g_pApp.reset();
    g_pWorkspace.reset();
}

void TestCommandRouting::firstHandlerOnRouteRuns()
{
    g_pApp->Template(0)->OpenDocumentFile(QString(), true);
    for (int nID : {ID_BOTH, ID_VIEW_ONLY, ID_DOC_ONLY, ID_FRAME_ONLY, ID_APP_ONLY})
        QVERIFY(Frame()->SendCommand(nID));
    QVERIFY(!Frame()->SendCommand(ID_NOBODY));
    QCOMPARE(g_arLog, QStringList({"view", "view", "doc", "frame", "app"}));
}

void TestCommandRouting::actionsFollowTheActiveWindow()
{
    QVERIFY(!IsEnabled(ID_VIEW_ONLY));
    QVERIFY(!IsEnabled(ID_DOC_ONLY));
    QVERIFY(IsEnabled(ID_FRAME_ONLY));
    QVERIFY(IsEnabled(ID_APP_ONLY));
    QVERIFY(!IsEnabled(ID_NOBODY));
    QVERIFY(!IsEnabled(ID_FILE_CLOSE));
    QVERIFY(!IsEnabled(ID_WINDOW_CASCADE));

    g_pApp->Template(0)->OpenDocumentFile(QString(), true);
    QVERIFY(IsEnabled(ID_VIEW_ONLY));
    QVERIFY(IsEnabled(ID_DOC_ONLY));
    QVERIFY(IsEnabled(ID_FILE_CLOSE));
    QVERIFY(IsEnabled(ID_WINDOW_CASCADE));

    // The action's own trigger goes the same way as the route.
    Frame()->GetCommandAction(ID_VIEW_ONLY)->trigger();
    QCOMPARE(g_arLog, QStringList({"view"}));

    Frame()->SendCommand(ID_FILE_CLOSE);
    QVERIFY(Frame()->MDIGetActive() == nullptr);
    QVERIFY(!IsEnabled(ID_VIEW_ONLY));
    QVERIFY(g_pApp->Template(0)->GetDocuments().isEmpty());
}

void TestCommandRouting::updateHandlerDisablesAndChecks()
{
    g_pApp->Template(0)->OpenDocumentFile(QString(), true);
    QAction* pAction = Frame()->GetCommandAction(ID_GUARDED);
    QVERIFY(!IsEnabled(ID_GUARDED));
    QVERIFY(!Frame()->SendCommand(ID_GUARDED));
    QVERIFY(g_arLog.isEmpty());

    ActiveView()->m_bAllowed = true;
    QVERIFY(IsEnabled(ID_GUARDED));
    QVERIFY(pAction->isChecked());
    QVERIFY(Frame()->SendCommand(ID_GUARDED));
    QCOMPARE(g_arLog, QStringList({"guarded"}));
}

void TestCommandRouting::menuFollowsActiveTemplate()
{
    QCOMPARE(Frame()->GetMenuResource(), 128);
    g_pApp->Template(0)->OpenDocumentFile(QString(), true);
    QCOMPARE(Frame()->GetMenuResource(), 129);
    QCOMPARE(Frame()->menuBar()->actions().size(), 5);
    g_pApp->Template(1)->OpenDocumentFile(QString(), true);
    QCOMPARE(Frame()->GetMenuResource(), 128);
    QCOMPARE(Frame()->menuBar()->actions().size(), 4);
    Frame()->MDIClient()->closeAllSubWindows();
    QCOMPARE(Frame()->GetMenuResource(), 128);
}

void TestCommandRouting::closeAndNewWindowKeepDocumentAlive()
{
    CDocument* pDoc = g_pApp->Template(0)->OpenDocumentFile(QString(), true);
    QVERIFY(Frame()->SendCommand(ID_WINDOW_NEW));
    QCOMPARE(pDoc->GetViews().size(), 2);
    QCOMPARE(Frame()->MDIClient()->subWindowList().size(), 2);
    QCOMPARE(Frame()->MDIGetActive()->windowTitle(), pDoc->GetTitle() + QStringLiteral(":2"));

    // Closing one of two windows leaves the document to the other.
    delete Frame()->MDIGetActive();
    QCOMPARE(g_pApp->Template(0)->GetDocuments().size(), 1);
    QCOMPARE(Frame()->MDIClient()->subWindowList().first()->windowTitle(), pDoc->GetTitle());

    QVERIFY(Frame()->SendCommand(ID_FILE_CLOSE));
    QVERIFY(g_pApp->Template(0)->GetDocuments().isEmpty());
}

void TestCommandRouting::documentTitlesAreNumbered()
{
    CDocument* pFirst = g_pApp->Template(0)->OpenDocumentFile(QString(), true);
    CDocument* pSecond = g_pApp->Template(0)->OpenDocumentFile(QString(), true);
    // 129's names come from its document string; 502 has no document name.
    QCOMPARE(pFirst->GetTitle(), QStringLiteral("Orvala1"));
    QCOMPARE(pSecond->GetTitle(), QStringLiteral("Orvala2"));
    QCOMPARE(Frame()->windowTitle(), QStringLiteral(" - Orvala2"));
    CDocument* pTable = g_pApp->Template(1)->OpenDocumentFile(QString(), true);
    QCOMPARE(pTable->GetTitle(), QStringLiteral("Untitled1"));
    pTable->SetTitle(QStringLiteral("PHOTOS TABLE"));
    QCOMPARE(Frame()->MDIGetActive()->windowTitle(), QStringLiteral("PHOTOS TABLE"));
}

QTEST_MAIN(TestCommandRouting)
