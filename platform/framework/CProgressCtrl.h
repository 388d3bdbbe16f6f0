#pragma once

#include <QPointer>
#include <QProgressBar>
#include <QRect>

class QWidget;

// A progress bar whose window can be destroyed and created again while the
// object lives. One process-wide reference names the bar now laid over the
// status bar; it reads as none once that control is gone.
class CProgressCtrl
{
public:
    CProgressCtrl() = default;
    virtual ~CProgressCtrl();
    CProgressCtrl(const CProgressCtrl&) = delete;
    CProgressCtrl& operator=(const CProgressCtrl&) = delete;

    bool Create(const QRect& rect, QWidget* pParent, int nID);
    bool DestroyWindow();
    // Ends a run: the bar goes, and the active control reads as none when it
    // was this one.
    void Remove();
    QProgressBar* GetSafeHwnd() const { return m_pWnd; }

    void SetRange(int nLower, int nUpper);
    int SetPos(int nPos);
    int GetPos() const;
    int SetStep(int nStep);
    int StepIt();

    static CProgressCtrl* GetActive();
    static void SetActive(CProgressCtrl* pCtrl);

private:
    QPointer<QProgressBar> m_pWnd;
    int m_nStep = 10;
};
