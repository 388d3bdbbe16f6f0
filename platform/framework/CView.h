#pragma once

#include "platform/framework/CCmdTarget.h"

class CDocument;
class CMDIChildWnd;
class QWidget;

// What every view adds to its widget: its document and a place on the
// command route (view first, then its document).
class CView : public CCmdTarget
{
public:
    ~CView() override;

    CDocument* GetDocument() const { return m_pDocument; }
    // Runs once, after the document is loaded and before the window is shown.
    virtual void OnInitialUpdate() {}
    virtual QWidget* GetWnd() = 0;
    // The frame the view was placed in, even while it is shown outside it
    // (full screen).
    CMDIChildWnd* GetParentFrame();

    bool OnCmdMsg(int nID, CCmdUI* pCmdUI) override;

private:
    friend class CDocument;
    friend class CMDIChildWnd;
    CDocument* m_pDocument = nullptr;
    CMDIChildWnd* m_pFrame = nullptr;
};
