// The picture window's commands beyond the classic ones: fit, zoom, full
// screen and the way back from the mosaic.
#include "browse/COrvalaDoc.h"
#include "browse/COrvalaView.h"
#include "browse/ViewKeyRules.h"
#include "platform/framework/CMDIChildWnd.h"
#include "resources/resource.h"

#include <QCursor>
#include <QScreen>
#include <QVBoxLayout>

void COrvalaView::RegisterViewerCommands()
{
    const auto single = [this](CCmdUI* pCmdUI) { pCmdUI->Enable(!m_bMosaic); };
    OnCommand(ID_VIEW_FITWINDOW, [this] { OnFitWindow(); });
    OnUpdateCommandUI(ID_VIEW_FITWINDOW, [this](CCmdUI* pCmdUI) {
        pCmdUI->Enable(!m_bMosaic);
        pCmdUI->SetCheck(Fit() == EPictureFit::Window);
    });
    OnCommand(ID_VIEW_ZOOMIN, [this] { OnZoomIn(); });
    OnUpdateCommandUI(ID_VIEW_ZOOMIN, single);
    OnCommand(ID_VIEW_ZOOMOUT, [this] { OnZoomOut(); });
    OnUpdateCommandUI(ID_VIEW_ZOOMOUT, single);
    OnCommand(ID_VIEW_ACTUALSIZE, [this] { OnActualSize(); });
    OnUpdateCommandUI(ID_VIEW_ACTUALSIZE, single);
    OnCommand(ID_VIEW_FULLSCREEN, [this] { OnFullScreen(); });
    OnUpdateCommandUI(ID_VIEW_FULLSCREEN,
                      [this](CCmdUI* pCmdUI) { pCmdUI->SetCheck(!m_pFullScreen.isNull()); });
    OnCommand(ID_VIEW_SINGLEPICTURE, [this] { OnSinglePicture(); });
    OnUpdateCommandUI(ID_VIEW_SINGLEPICTURE,
                      [this](CCmdUI* pCmdUI) { pCmdUI->Enable(m_bMosaic && !m_bSlideShow); });
    OnCommand(ID_FILE_MOVETOTRASH, [this] { OnMoveToTrash(); });
    OnUpdateCommandUI(ID_FILE_MOVETOTRASH,
                      [this](CCmdUI* pCmdUI) { pCmdUI->Enable(!m_bSlideShow && !m_bBusy); });
}

EPictureFit COrvalaView::Fit() const
{
    if (m_bFullSize)
        return EPictureFit::FullSize;
    // A zoom belongs to one picture: slides are shown whole.
    if (m_bSlideShow && m_eFit == EPictureFit::Zoom)
        return EPictureFit::Window;
    return m_eFit;
}

SPictureLayout COrvalaView::Layout() const
{
    const QSize szPicture = m_pPictureDoc
                                ? QSize(m_pPictureDoc->m_nPixelWidth, m_pPictureDoc->m_nPixelHeight)
                                : QSize();
    return PictureLayout(Fit(), m_dZoom, szPicture, viewport()->size());
}

void COrvalaView::ApplyPictureLayout()
{
    if (m_bMosaic)
        return;
    SetScrollSizes(Layout().szScroll.expandedTo(QSize(0, 0)));
}

void COrvalaView::resizeEvent(QResizeEvent* pEvent)
{
    CScrollView::resizeEvent(pEvent);
    // A zoomed picture smaller than the window stays centred in it.
    if (Fit() == EPictureFit::Zoom)
        ApplyPictureLayout();
}

void COrvalaView::OnFitWindow()
{
    if (m_bMosaic)
        return;
    m_bFullSize = false;
    m_eFit = EPictureFit::Window;
    ApplyPictureLayout();
    SetMessageText(ZoomText(Layout().dZoom));
    viewport()->update();
}

void COrvalaView::OnZoomIn(std::optional<QPoint> ptAnchor)
{
    ZoomTo(ZoomInStep(Layout().dZoom), ptAnchor);
}

void COrvalaView::OnZoomOut(std::optional<QPoint> ptAnchor)
{
    ZoomTo(ZoomOutStep(Layout().dZoom), ptAnchor);
}

void COrvalaView::OnActualSize()
{
    ZoomTo(1.0, std::nullopt);
}

void COrvalaView::ZoomTo(double dZoom, std::optional<QPoint> ptAnchor)
{
    if (m_bMosaic || !m_pPictureDoc || !m_pPictureDoc->m_pPicture)
        return;
    const SPictureLayout before = Layout();
    const QPoint ptFrom = GetScrollPosition();
    m_bFullSize = false;
    m_eFit = EPictureFit::Zoom;
    m_dZoom = dZoom;
    const SPictureLayout after = Layout();
    const QPoint pt = ptAnchor.value_or(viewport()->rect().center());
    SetScrollSizes(after.szScroll.expandedTo(QSize(0, 0)));
    ScrollToPosition(ScrollForZoom(before, after, ptFrom, pt));
    SetMessageText(ZoomText(after.dZoom));
    viewport()->update();
}

void COrvalaView::OnFullScreen()
{
    CMDIChildWnd* pFrame = GetParentFrame();
    if (m_pFullScreen) {
        QWidget* pHolder = m_pFullScreen;
        m_pFullScreen = nullptr;
        pHolder->layout()->removeWidget(this);
        if (pFrame) {
            pFrame->setWidget(this);
            pFrame->setFocus();
        } else {
            setParent(nullptr);
        }
        delete pHolder;
        m_eFit = m_eFitBeforeFullScreen;
        ApplyPictureLayout();
        show();
        setFocus();
        return;
    }
    // A window of its own, owned by the main window, with nothing but the
    // view, on the main window's screen.
    const QScreen* pScreen = window()->screen();
    auto* pHolder = new QWidget(window(), Qt::Window | Qt::FramelessWindowHint);
    pHolder->setWindowTitle(window()->windowTitle());
    QPalette palette = pHolder->palette();
    palette.setColor(QPalette::Window, Qt::black);
    pHolder->setPalette(palette);
    pHolder->setAutoFillBackground(true);
    // The main window's keys (Ctrl+P, Alt+Enter, F11...) work there too.
    pHolder->addActions(window()->actions());
    auto* pLayout = new QVBoxLayout(pHolder);
    pLayout->setContentsMargins(0, 0, 0, 0);
    if (pFrame)
        pFrame->setWidget(nullptr);
    pLayout->addWidget(this);
    m_pFullScreen = pHolder;
    // The classic fit to the width would cut a picture on a screen: whole instead.
    m_eFitBeforeFullScreen = m_eFit;
    if (m_eFit == EPictureFit::Width)
        m_eFit = EPictureFit::Window;
    ApplyPictureLayout();
    show();
    // Without a window manager to do it, full screen is the screen's size.
    if (pScreen)
        pHolder->setGeometry(pScreen->geometry());
    pHolder->showFullScreen();
    pHolder->activateWindow();
    setFocus();
}

void COrvalaView::OnSinglePicture()
{
    if (!m_bMosaic || m_bSlideShow || m_bBusy)
        return;
    const int nIndex = CellGeometry().IndexAt(m_ptSelection, int(m_arrPictures.size()));
    if (nIndex < 0)
        return;
    m_ptKeptScroll = GetScrollPosition();
    m_bMosaicKept = true;
    m_bMosaic = false;
    m_nCount = int(m_arrPictures.size());
    m_nCurrent = nIndex;
    SetScrollSizes(QSize(0, 0));
    ShowPictureAt(nIndex);
}

void COrvalaView::ShowPictureAt(int nIndex)
{
    const QString strPath = PictureAt(nIndex);
    DrawPicture(nullptr, strPath);
    if (m_pPictureDoc)
        m_pPictureDoc->SetTitle(strPath);
    ApplyPictureLayout();
}

bool COrvalaView::RunViewerKey(int nKey, Qt::KeyboardModifiers modifiers)
{
    const int nID =
        ViewerKeyCommand(nKey, modifiers, m_bMosaic && !m_bPaused, !m_pFullScreen.isNull());
    if (nID == 0)
        return false;
    // From the keyboard, zoom keeps the point under the pointer where it is.
    const QPoint ptPointer = viewport()->mapFromGlobal(QCursor::pos());
    const std::optional<QPoint> ptAnchor =
        viewport()->rect().contains(ptPointer) ? std::optional<QPoint>(ptPointer) : std::nullopt;
    if (nID == ID_VIEW_ZOOMIN)
        OnZoomIn(ptAnchor);
    else if (nID == ID_VIEW_ZOOMOUT)
        OnZoomOut(ptAnchor);
    else
        OnCmdMsg(nID, nullptr);
    return true;
}
