#pragma once

#include "platform/framework/CCmdTarget.h"

#include <QMdiSubWindow>

class CDocument;
class CMultiDocTemplate;
class CView;

// The frame of one child window inside the main frame. Routes commands to its
// view (and so to the document) before handling them itself.
class CMDIChildWnd : public QMdiSubWindow, public CCmdTarget
{
    Q_OBJECT
public:
    CMDIChildWnd();
    ~CMDIChildWnd() override;

    void SetView(CView* pView);
    CView* GetActiveView() const { return m_pView; }
    CDocument* GetActiveDocument() const;
    CMultiDocTemplate* GetDocTemplate() const { return m_pDocTemplate; }
    // Caption from the document's title, numbered when it has several windows.
    void OnUpdateFrameTitle();

    bool OnCmdMsg(int nID, CCmdUI* pCmdUI) override;

private:
    friend class CMultiDocTemplate;
    CView* m_pView = nullptr;
    CMultiDocTemplate* m_pDocTemplate = nullptr;
};
