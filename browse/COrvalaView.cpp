#include "browse/COrvalaView.h"

#include "browse/CDia_Properties.h"
#include "browse/COrvalaDoc.h"
#include "browse/PropertiesValues.h"
#include "db/CDao_Table.h"
#include "platform/framework/AfxIds.h"
#include "platform/framework/CFrameServices.h"
#include "platform/framework/CProgressCtrl_Status.h"
#include "platform/framework/CWinApp.h"
#include "platform/framework/ExceptionBoundary.h"
#include "platform/framework/MessageBox.h"
#include "resources/resource.h"

#include <QFocusEvent>
#include <QTimerEvent>
#include <stdexcept>

SViewDefaults COrvalaView::s_Defaults;

COrvalaView::COrvalaView(CFolderModels* pFolderModels)
    : m_bKeepProportions(s_Defaults.bKeepProportions)
    , m_bLoop(s_Defaults.bLoop)
    , m_nPhotosInRow(s_Defaults.nPhotosInRow)
    , m_nBorderWidth(s_Defaults.nBorderWidth)
    , m_nCurrent(0)
    , m_nSlidePause(s_Defaults.nSlidePause)
    , m_nMosaicInterval(s_Defaults.nMosaicInterval)
    , m_penErase(QBrush(Qt::white), m_nBorderWidth, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin)
    , m_penSelect(QBrush(Qt::red), m_nBorderWidth, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin)
    , m_pFolderModels(pFolderModels)
{
    // Every pixel is painted by the view itself: no background erase, so a new
    // picture replaces the old one without a white flash.
    viewport()->setAutoFillBackground(false);
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    viewport()->setAttribute(Qt::WA_NoSystemBackground);
    setFrameShape(QFrame::NoFrame);
    setFocusPolicy(Qt::StrongFocus);
    RegisterCommands();
}

COrvalaView::~COrvalaView()
{
    // Closed while full screen (Ctrl+W there): the black window goes too.
    if (m_pFullScreen)
        m_pFullScreen->deleteLater();
    SetMessageText(QString());
    m_MosaicBuild.Clear();
    EndWaitCursor();
    m_wndProgress.Remove();
}

void COrvalaView::RegisterCommands()
{
    OnCommand(ID_VIEW_FULLSIZE, [this] { OnFullSize(); });
    OnUpdateCommandUI(ID_VIEW_FULLSIZE, [this](CCmdUI* pCmdUI) { pCmdUI->SetCheck(m_bFullSize); });
    OnCommand(ID_VIEW_MOSAIC, [this] { OnMosaic(); });
    OnCommand(ID_VIEW_PROPERTIES, [this] { OnProperties(); });
    OnCommand(ID_VIEW_SLIDESHOW, [this] { OnSlideShow(); });
    OnUpdateCommandUI(ID_VIEW_SLIDESHOW,
                      [this](CCmdUI* pCmdUI) { pCmdUI->SetCheck(m_bSlideShow); });
    OnCommand(ID_VIEW_PAUSE, [this] { OnPause(); });
    OnUpdateCommandUI(ID_VIEW_PAUSE, [this](CCmdUI* pCmdUI) { pCmdUI->SetCheck(m_bPaused); });
    OnCommand(ID_VIEW_LOOP, [this] { OnLoop(); });
    OnUpdateCommandUI(ID_VIEW_LOOP, [this](CCmdUI* pCmdUI) { pCmdUI->SetCheck(m_bLoop); });
    OnCommand(ID_FILE_PRINT, [this] { OnFilePrint(); });
    OnCommand(ID_FILE_PRINT_PREVIEW, [this] { OnFilePrintPreview(); });
    RegisterViewerCommands();
}

void COrvalaView::OpenedByProgram(int nIndex)
{
    m_bUserOpen = false;
    m_nCurrent = nIndex;
}

void COrvalaView::OnInitialUpdate()
{
    CScrollView::OnInitialUpdate();
    m_pPictureDoc = qobject_cast<COrvalaDoc*>(GetDocument());
    connect(&m_PictureRender, &CPictureRender::Rendered, this, &COrvalaView::OnPictureChanged);
    connect(&m_Import, &CFolderImport::Failed, this,
            [](const QString& strError) { AfxMessageBox(strError, MB_OK | MB_ICONERROR); });
    if (m_pPictureDoc)
        connect(m_pPictureDoc, &COrvalaDoc::PictureChanged, this, &COrvalaView::OnPictureChanged);
    m_pMainFrame = AfxGetFrameServices();
    if (m_pMainFrame)
        m_pStatusProgress = &m_pMainFrame->GetStatusProgress();

    if (m_pPictureDoc && !m_pPictureDoc->GetPathName().isEmpty()) {
        const QString strPath = m_pPictureDoc->GetPathName();
        m_strFolder = strPath.left(strPath.size() - m_pPictureDoc->GetTitle().size());
    }
    SetScrollSizes(QSize(0, 0));
    // Watched from now on, listed on a worker; a window opened by the user
    // takes the list at its first key.
    HoldFolderModel();

    if (!m_bUserOpen) {
        ListFolder();
    } else {
        m_Import.Start(m_pMainFrame, m_strFolder);
    }
}

void COrvalaView::OnPictureChanged()
{
    viewport()->update();
}

void COrvalaView::OnFullSize()
{
    // Leaving Full Size goes back to the fit the picture had before.
    m_bFullSize = !m_bFullSize;
    // A mosaic keeps its extent, so it can still be scrolled.
    ApplyPictureLayout();
    viewport()->update();
}

void COrvalaView::OnMosaic()
{
    if (m_bSlideShow)
        return;
    // Left for its single picture, the mosaic comes back at once as it was.
    const bool bKept = m_bMosaicKept && !m_bMosaic && m_MosaicBuild.IsDone() &&
                       m_MosaicBuild.Thumbnails().size() == m_arrPictures.size() &&
                       Geometry().nCell == m_nCellWidth;
    m_bMosaicKept = false;
    if (!bKept) {
        StartMosaic();
        return;
    }
    m_bMosaic = true;
    SetScrollSizes(Geometry().MosaicSize());
    ScrollToPosition(m_ptKeptScroll);
    if (m_pPictureDoc)
        m_pPictureDoc->SetTitle(m_strFolder);
    m_bSelectionShown = true;
    viewport()->update();
}

void COrvalaView::OnProperties()
{
    CDia_Properties dialog;
    dialog.m_bKeep = m_bKeepProportions;
    dialog.m_bLoop = m_bLoop;
    dialog.m_strPhotosInRow = QString::number(m_nPhotosInRow);
    dialog.m_strBorderWidth = QString::number(m_nBorderWidth);
    dialog.m_strPause = PauseText(m_nSlidePause);
    if (dialog.DoModal() != IDOK)
        return;
    ApplySettings(dialog.m_settings);
}

SViewSettings COrvalaView::Settings() const
{
    SViewSettings settings;
    settings.bKeepProportions = m_bKeepProportions;
    settings.bLoop = m_bLoop;
    settings.nPhotosInRow = m_nPhotosInRow;
    settings.nBorderWidth = m_nBorderWidth;
    settings.nSlidePause = m_nSlidePause;
    return settings;
}

void COrvalaView::ApplySettings(const SViewSettings& settings)
{
    const bool bLayout = m_bKeepProportions != settings.bKeepProportions ||
                         m_nPhotosInRow != settings.nPhotosInRow ||
                         m_nBorderWidth != settings.nBorderWidth;
    m_bKeepProportions = settings.bKeepProportions;
    m_nPhotosInRow = settings.nPhotosInRow;
    m_nBorderWidth = settings.nBorderWidth;
    m_nSlidePause = settings.nSlidePause;
    m_bLoop = settings.bLoop;
    m_penErase.setWidth(m_nBorderWidth);
    m_penSelect.setWidth(m_nBorderWidth);

    const bool bSlideShowRuns = m_bBusy && m_nTimerId == 1;
    // From the next slide on, paused or not.
    if (bSlideShowRuns)
        m_nTimerId = SetTimer(1, m_nSlidePause);
    if (!bLayout)
        return;
    // The mosaic is built again, so its cells, the keys and the clicks agree.
    if (bSlideShowRuns)
        m_bMosaicStale = m_bMosaic;
    else if (m_bMosaic || m_bBusy)
        StartMosaic();
}

void COrvalaView::OnTimer(int nIDEvent)
{
    if (m_bInTimer)
        return;
    m_bInTimer = true;
    AfxRunContained([&] {
        if (nIDEvent == 1 && !m_bPaused)
            SlideStep();
        else if (nIDEvent == 2 && !m_bPaused)
            MosaicStep();
    });
    m_bInTimer = false;
}

SViewState COrvalaView::State() const
{
    SViewState state;
    static_cast<SSlideShowState&>(state) = SlideShowState();
    state.bHasFocus = m_bHasFocus;
    state.bUserOpen = m_bUserOpen;
    state.bFullSize = m_bFullSize;
    state.bMosaic = m_bMosaic;
    state.settings = Settings();
    state.nMosaicInterval = m_nMosaicInterval;
    state.bSlideTimer = m_arTimers[0].isActive();
    state.bMosaicTimer = m_arTimers[1].isActive();
    state.strFolder = m_strFolder;
    state.nCellWidth = m_nCellWidth;
    state.nCellHeight = m_nCellHeight;
    state.nLastWidth = m_nLastWidth;
    state.nLastHeight = m_nLastHeight;
    state.nSelectPenWidth = m_penSelect.width();
    state.nErasePenWidth = m_penErase.width();
    state.ptSelection = m_ptSelection;
    state.nMosaicNext = m_MosaicBuild.Next();
    state.eFit = Fit();
    state.dZoom = Layout().dZoom;
    state.bFullScreen = !m_pFullScreen.isNull();
    return state;
}

int COrvalaView::SetTimer(int nIDEvent, int nElapse)
{
    m_arTimers[nIDEvent - 1].start(nElapse, this);
    return nIDEvent;
}

void COrvalaView::KillTimer(int nIDEvent)
{
    m_arTimers[nIDEvent - 1].stop();
}

void COrvalaView::timerEvent(QTimerEvent* pEvent)
{
    for (int i = 0; i < 2; ++i) {
        if (pEvent->timerId() == m_arTimers[i].timerId()) {
            OnTimer(i + 1);
            return;
        }
    }
    CScrollView::timerEvent(pEvent);
}

void COrvalaView::focusInEvent(QFocusEvent* pEvent)
{
    CScrollView::focusInEvent(pEvent);
    if (m_bBusy && m_wndProgress.GetSafeHwnd())
        m_wndProgress.GetSafeHwnd()->show();
    m_bHasFocus = true;
}

void COrvalaView::focusOutEvent(QFocusEvent* pEvent)
{
    CScrollView::focusOutEvent(pEvent);
    m_bHasFocus = false;
    if (m_bBusy && m_wndProgress.GetSafeHwnd())
        m_wndProgress.GetSafeHwnd()->hide();
    SetMessageText(QString());
}

void COrvalaView::SetMessageText(const QString& strText)
{
    if (m_pMainFrame)
        m_pMainFrame->SetMessageText(strText);
}

QString COrvalaView::PictureAt(int nIndex) const
{
    // Reached only when the list changed under the view; refused, not fatal.
    if (nIndex < 0 || nIndex >= m_arrPictures.size())
        throw std::invalid_argument(
            tr("Invalid argument: no picture at that index.").toStdString());
    return m_arrPictures[nIndex];
}

QString COrvalaView::ShownPath() const
{
    if (!m_pPictureDoc)
        return QString();
    const QString& strPath = m_pPictureDoc->PicturePath();
    return strPath.isEmpty() ? m_pPictureDoc->GetPathName() : strPath;
}

void COrvalaView::OpenPictureWindow(int nIndex)
{
    const QString strPath = PictureAt(nIndex);
    if (m_pMainFrame)
        m_pMainFrame->OpenPictureWindow(strPath, nIndex);
}
