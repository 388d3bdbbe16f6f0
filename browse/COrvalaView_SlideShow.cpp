// The picture view's timed jobs: the slide show, pausing and looping.
#include "browse/COrvalaView.h"

#include "browse/COrvalaDoc.h"
#include "browse/SlideShowRules.h"
#include "platform/framework/CProgressCtrl.h"
#include "platform/framework/CProgressCtrl_Status.h"
#include "platform/picture/PictureDecoder.h"

SSlideShowState COrvalaView::SlideShowState() const
{
    SSlideShowState s;
    s.bSlideShow = m_bSlideShow;
    s.bBusy = m_bBusy;
    s.bPaused = m_bPaused;
    s.bLoop = m_bLoop;
    s.nTimerId = m_nTimerId;
    s.nCurrent = m_nCurrent;
    s.nCount = m_nCount;
    return s;
}

void COrvalaView::OnSlideShow()
{
    const bool bStart = !m_bSlideShow && !(m_bBusy && m_nTimerId == 2);
    if (bStart) {
        // A list the record table filled is shown as it is.
        if (m_arrPictures.isEmpty() && !ListFolder()) {
            WhenListed([this] { OnSlideShow(); });
            return;
        }
        m_nCount = int(m_arrPictures.size());
    }
    ApplySlideShowStep(SlideShowStep(SlideShowState(), ESlideShowEvent::SlideShow));
}

void COrvalaView::RunSlideShowOf(const QStringList& arPaths)
{
    m_arrPictures = arPaths;
    m_bFolderList = false;
    OnSlideShow();
}

void COrvalaView::SlideStep()
{
    // A file that can not be shown is no slide: the same tick goes on to the
    // next one. A list of nothing but such files still ends, or loops.
    for (int nLeft = m_nCount;; --nLeft) {
        const SSlideShowStep step = SlideShowStep(SlideShowState(), ESlideShowEvent::Tick);
        const bool bLast = nLeft <= 0 || step.nShow < 0;
        if (!bLast && !PictureProblem(PictureAt(step.nShow)).isEmpty()) {
            m_nCurrent = step.state.nCurrent;
            continue;
        }
        ApplySlideShowStep(step);
        // Damaged inside, as its decode found.
        if (bLast || !m_pPictureDoc || m_pPictureDoc->Problem().isEmpty())
            return;
    }
}

void COrvalaView::OnPause()
{
    ApplySlideShowStep(SlideShowStep(SlideShowState(), ESlideShowEvent::Pause));
}

void COrvalaView::OnLoop()
{
    m_bLoop = !m_bLoop;
}

void COrvalaView::ApplySlideShowStep(const SSlideShowStep& step)
{
    m_bSlideShow = step.state.bSlideShow;
    m_bBusy = step.state.bBusy;
    m_bPaused = step.state.bPaused;
    m_bLoop = step.state.bLoop;
    m_nCurrent = step.state.nCurrent;

    if (step.nKillTimer)
        KillTimer(step.nKillTimer);
    if (step.bStart)
        BeginSlideShow(step.strText);
    if (step.nShow >= 0) {
        const QString strPath = PictureAt(step.nShow);
        // A picture that does not load leaves the last slide on screen; its
        // number and caption still say where the show is.
        DrawPicture(nullptr, strPath);
        if (m_pPictureDoc)
            m_pPictureDoc->SetTitle(strPath);
        m_wndProgress.SetPos(step.nProgress);
    }
    if (step.bText && !step.bStart) {
        m_strText = step.strText;
        if (m_bHasFocus)
            SetMessageText(m_strText);
    }
    if (step.bEnd)
        EndSlideShow();
    if (step.nArmTimer) {
        const int nElapse = step.nArmTimer == 1 ? m_nSlidePause : m_nMosaicInterval;
        m_nTimerId = SetTimer(step.nArmTimer, nElapse);
    }
}

void COrvalaView::BeginSlideShow(const QString& strText)
{
    // A mosaic gets its extent and scroll position back when the show ends.
    m_szMosaicExtent = GetTotalSize();
    m_ptMosaicScroll = GetScrollPosition();
    m_strStartTitle = m_pPictureDoc ? m_pPictureDoc->GetTitle() : QString();
    SetScrollSizes(QSize(0, 0));
    viewport()->repaint();
    m_strStartPath = ShownPath();
    m_strText = strText;
    if (m_pStatusProgress)
        m_pStatusProgress->ShowStatusProgress(m_strText, &m_wndProgress);
    BeginWaitCursor();
}

void COrvalaView::EndSlideShow()
{
    SetMessageText(QString());
    EndWaitCursor();
    m_wndProgress.Remove();
    if (m_pPictureDoc)
        m_pPictureDoc->m_pPicture.reset();

    if (m_bMosaic) {
        if (m_pPictureDoc)
            m_pPictureDoc->SetTitle(m_strStartTitle);
        // Settings changed during the show take effect now, so the cells
        // under the mouse and the keys match what is drawn.
        if (m_bMosaicStale) {
            StartMosaic();
            return;
        }
        SetScrollSizes(m_szMosaicExtent);
        ScrollToPosition(m_ptMosaicScroll);
        viewport()->repaint();
        return;
    }
    // A window without a file (a new one) has no picture to come back to.
    if (m_pPictureDoc && !m_strStartPath.isEmpty()) {
        m_pPictureDoc->OpenPicture(m_strStartPath, QSize());
        m_pPictureDoc->SetTitle(m_strStartTitle);
        const int nStart = int(m_arrPictures.indexOf(m_strStartPath));
        if (nStart >= 0)
            m_nCurrent = nStart;
    }
    m_bFullSize = !m_bFullSize;
    OnFullSize();
}

// Only over this window: the others stay usable while it works.
void COrvalaView::BeginWaitCursor()
{
    viewport()->setCursor(Qt::WaitCursor);
}

void COrvalaView::EndWaitCursor()
{
    viewport()->unsetCursor();
}
