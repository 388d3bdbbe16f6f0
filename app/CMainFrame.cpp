#include "app/CMainFrame.h"

#include "app/COrvalaApp.h"
#include "browse/CDia_PictureInfo.h"
#include "browse/CFolderModel.h"
#include "browse/CFolderModels.h"
#include "browse/COrvalaDoc.h"
#include "browse/COrvalaView.h"
#include "db/CDia_PhotoDatabase.h"
#include "db/DatabaseChoice.h"
#include "db/DatabaseMessages.h"
#include "platform/framework/AfxIds.h"
#include "platform/framework/CDocument.h"
#include "platform/framework/CHelpWindow.h"
#include "platform/framework/CMDIChildWnd.h"
#include "platform/framework/CMultiDocTemplate.h"
#include "platform/framework/CResources.h"
#include "platform/framework/CStatusBar.h"
#include "platform/framework/ExceptionBoundary.h"
#include "platform/framework/FileDialog.h"
#include "platform/framework/KeyLockState.h"
#include "platform/framework/MessageBox.h"
#include "platform/framework/WindowPlacement.h"
#include "platform/picture/PictureDecoder.h"
#include "platform/picture/PictureInfo.h"
#include "platform/picture/PictureMeasure.h"
#include "resources/resource.h"
#include "table/CListView_Table.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QIcon>
#include <QLabel>
#include <QMdiArea>
#include <QMimeData>
#include <QScreen>
#include <QSettings>
#include <QTimer>
#include <algorithm>

namespace {
const QString strSettings = QStringLiteral("Settings");
const QString strAllPictureFormats = QStringLiteral("AllPictureFormats");
const QList<int> arIndicators = {ID_SEPARATOR,       ID_INDICATOR_PIXELS, ID_INDICATOR_FILESIZE,
                                 ID_INDICATOR_TAKEN, ID_INDICATOR_CAPS,   ID_INDICATOR_NUM,
                                 ID_INDICATOR_SCRL};

// The local folders and pictures among dropped URLs; anything else is left out.
QStringList DroppedPaths(const QMimeData* pData)
{
    QStringList arPaths;
    if (pData == nullptr || !pData->hasUrls())
        return arPaths;
    for (const QUrl& url : pData->urls()) {
        if (!url.isLocalFile())
            continue;
        const QFileInfo info(url.toLocalFile());
        if (info.isDir() || (info.isFile() && PictureProblem(info.filePath()).isEmpty()))
            arPaths.append(info.absoluteFilePath());
    }
    return arPaths;
}

// The size of the document's picture in the file's own pixels, whatever the
// screen: a raster picture's HIMETRIC size is its pixels at 96 dpi.
QSize PictureSize(const COrvalaDoc& doc)
{
    return PixelsFromHimetric(QSize(doc.m_nHimetricWidth, doc.m_nHimetricHeight), 96, 96);
}
} // namespace

CMainFrame::CMainFrame(CFolderModels& folderModels)
    : m_FolderModels(folderModels)
{
    setObjectName(QStringLiteral("MainFrame"));
    OnCommand(ID_DATABASE_SHOWTABLE, [this] { OnShowTable(); });
    OnCommand(ID_HELP_INDEX, [] { CHelpWindow::Show(); });
    OnCommand(ID_DEFAULT_HELP, [] { CHelpWindow::Show(); });
    OnCommand(ID_HELP, [this] { OnHelp(); });
    OnCommand(ID_CONTEXT_HELP, [this] { OnHelp(); });
    OnCommand(ID_VIEW_ALLFORMATS, [this] { OnAllPictureFormats(); });
    OnUpdateCommandUI(ID_VIEW_ALLFORMATS,
                      [this](CCmdUI* pCmdUI) { pCmdUI->SetCheck(m_bAllPictureFormats ? 1 : 0); });
    OnCommand(ID_FILE_OPENFOLDER, [this] { OnOpenFolder(); });
    OnCommand(ID_VIEW_PICTUREINFO, [this] { OnPictureInfo(); });
    OnUpdateCommandUI(ID_VIEW_PICTUREINFO, [this](CCmdUI* pCmdUI) {
        const COrvalaDoc* pDoc = ActivePictureDoc();
        pCmdUI->Enable(pDoc && !pDoc->PicturePath().isEmpty());
    });
    OnCommand(ID_WINDOW_CLOSEALL, [this] { MDIClient()->closeAllSubWindows(); });
    OnCommand(ID_DATABASE_VERIFY, [this] { VerifyPhotoDatabase(m_DaoTable); });
    OnCommand(ID_DATABASE_CHOOSE, [this] {
        const auto pSettings = AfxGetApp()->OpenProfile();
        CDia_PhotoDatabase(*pSettings, this).DoModal();
    });
    OnCommand(ID_DATABASE_CHECK, [this] { OnCheckDatabase(); });
    // Undo has one thing to undo: the last Move to Trash of this run.
    for (const int nID : {int(ID_EDIT_UNDO), int(ID_FILE_UNDOMOVETOTRASH)}) {
        OnCommand(nID, [this] { OnUndoMoveToTrash(); });
        OnUpdateCommandUI(nID,
                          [this](CCmdUI* pCmdUI) { pCmdUI->Enable(!m_LastTrashed.IsEmpty()); });
    }
    OnUpdateCommandUI(ID_WINDOW_CLOSEALL, [this](CCmdUI* pCmdUI) {
        pCmdUI->Enable(!MDIClient()->subWindowList().isEmpty());
    });
    setAcceptDrops(true);

    // The placement the system offers when none is stored.
    if (QScreen* pScreen = QApplication::primaryScreen())
        resize(pScreen->availableGeometry().size() * 3 / 4);
}

CMainFrame::~CMainFrame()
{
    DestroyChildWindows();
}

bool CMainFrame::LoadFrame(int nIDResource)
{
    SetDefaultMenu(nIDResource);
    SetTitle(CResources::Get().LoadString(nIDResource));
    setWindowIcon(QIcon(CResources::Get().GetIconPath(nIDResource)));
    return OnCreate() != -1;
}

int CMainFrame::OnCreate()
{
    SetMenuResource(IDR_MAINFRAME);
    if (CreateToolBar(IDR_MAINFRAME) == nullptr)
        return -1;
    LoadAccelTable(IDR_MAINFRAME);
    CreateStatusBar(arIndicators);
    // The widest texts the picture panes take, as samples.
    m_pStatusBar->SetPaneWidth(m_pStatusBar->CommandToIndex(ID_INDICATOR_PIXELS),
                               QStringLiteral("00000 x 00000"));
    m_pStatusBar->SetPaneWidth(m_pStatusBar->CommandToIndex(ID_INDICATOR_FILESIZE),
                               QStringLiteral("1023.9 MB"));
    m_pStatusBar->SetPaneWidth(m_pStatusBar->CommandToIndex(ID_INDICATOR_TAKEN),
                               QStringLiteral("00/00/0000 00:00:00"));
    UpdatePicturePanes();
    UpdateIndicators();
    connect(MDIClient(), &QMdiArea::subWindowActivated, this, [this] { WatchActivePicture(); });
    qApp->installEventFilter(this);

    RestorePlacement();
    m_bAllPictureFormats = AfxGetApp()->GetProfileInt(strSettings, strAllPictureFormats, 0) != 0;
    // Says when the database cannot be had; browsing works regardless.
    const std::optional<SServerConnection> server = ReadDatabaseChoice(*AfxGetApp()->OpenProfile());
    ConnectPhotoDatabase(m_DaoTable, server);
    // Which shared database this is, for as long as the program runs.
    if (server)
        m_pStatusBar->addPermanentWidget(new QLabel(server->Label(), m_pStatusBar));
    return 0;
}

void CMainFrame::RestorePlacement()
{
    CWinApp* pApp = AfxGetApp();
    if (pApp->GetProfileInt(strSettings, QStringLiteral("ShowMainFrameMaximized"), 0) != 0) {
        setWindowState(windowState() | Qt::WindowMaximized);
        return;
    }
    const int nLeft = pApp->GetProfileInt(strSettings, QStringLiteral("Xmin"), 0);
    const int nRight = pApp->GetProfileInt(strSettings, QStringLiteral("Xmax"), 0);
    const int nTop = pApp->GetProfileInt(strSettings, QStringLiteral("Ymin"), 0);
    const int nBottom = pApp->GetProfileInt(strSettings, QStringLiteral("Ymax"), 0);
    if (nRight <= nLeft || nBottom <= nTop)
        return;
    m_rcRestored = QRect(nLeft, nTop, nRight - nLeft, nBottom - nTop);
    const QScreen* pScreen = QGuiApplication::screenAt(m_rcRestored.center());
    if (!pScreen)
        pScreen = QGuiApplication::primaryScreen();
    if (pScreen)
        m_rcRestored = PlacementOnScreen(m_rcRestored, pScreen->availableGeometry());
    move(m_rcRestored.topLeft());
    resize(m_rcRestored.size());
}

void CMainFrame::showEvent(QShowEvent* pEvent)
{
    CMDIFrameWnd::showEvent(pEvent);
    if (m_rcRestored.isEmpty())
        return;
    // The stored rectangle includes the window's decorations, which are known
    // only once it is shown.
    const QRect rcWanted = m_rcRestored;
    m_rcRestored = QRect();
    QTimer::singleShot(0, this, [this, rcWanted] {
        const QSize szExtra = frameGeometry().size() - size();
        if (!szExtra.isEmpty() && !isMaximized()) {
            resize(rcWanted.size() - szExtra);
            move(rcWanted.topLeft());
        }
    });
}

void CMainFrame::resizeEvent(QResizeEvent* pEvent)
{
    CMDIFrameWnd::resizeEvent(pEvent);
    if (CProgressCtrl* pActive = CProgressCtrl::GetActive()) {
        if (m_pStatusBar)
            m_wndStatusProgress.ShowStatusProgress(m_pStatusBar->GetPaneText(0), pActive);
    }
}

void CMainFrame::closeEvent(QCloseEvent* pEvent)
{
    CWinApp* pApp = AfxGetApp();
    const QRect rc = frameGeometry();
    pApp->WriteProfileInt(strSettings, QStringLiteral("Xmin"), rc.left());
    pApp->WriteProfileInt(strSettings, QStringLiteral("Xmax"), rc.left() + rc.width());
    pApp->WriteProfileInt(strSettings, QStringLiteral("Ymin"), rc.top());
    pApp->WriteProfileInt(strSettings, QStringLiteral("Ymax"), rc.top() + rc.height());
    pApp->WriteProfileInt(strSettings, QStringLiteral("ShowMainFrameMaximized"),
                          isMaximized() ? 1 : 0);
    // Nothing is ever saved, so every window closes without a question.
    MDIClient()->closeAllSubWindows();
    // The program ends with this window: its own windows (the guide) go too.
    for (QWidget* pChild : findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly)) {
        if (pChild->isWindow())
            pChild->close();
    }
    pEvent->accept();
}

void CMainFrame::OnShowTable()
{
    if (!CheckDatabase(m_DaoTable))
        return;
    if (CDocument* pDoc = OpenTableWindow(QString()))
        pDoc->SetTitle(tr("PHOTOS TABLE"));
}

void CMainFrame::OnCheckDatabase()
{
    auto* pApp = static_cast<COrvalaApp*>(AfxGetApp());
    if (!CheckDatabase(m_DaoTable) || !pApp || !pApp->m_pDriftTemplate)
        return;
    if (CDocument* pDoc = pApp->m_pDriftTemplate->OpenDocumentFile(QString(), true))
        pDoc->SetTitle(tr("Database Check"));
}

void CMainFrame::SetMessageText(const QString& strText)
{
    CMDIFrameWnd::SetMessageText(strText);
}

CDocument* CMainFrame::OpenPictureWindow(const QString& strPath, int nIndex)
{
    auto* pApp = static_cast<COrvalaApp*>(AfxGetApp());
    if (!pApp || !pApp->m_pPictureTemplate)
        return nullptr;
    return pApp->m_pPictureTemplate->OpenDocumentFile(strPath, true, [nIndex](CView* pView) {
        if (auto* pPictureView = dynamic_cast<COrvalaView*>(pView))
            pPictureView->OpenedByProgram(nIndex);
    });
}

CDocument* CMainFrame::OpenTableWindow(const QString& strFilter)
{
    auto* pApp = static_cast<COrvalaApp*>(AfxGetApp());
    if (!pApp || !pApp->m_pTableTemplate)
        return nullptr;
    return pApp->m_pTableTemplate->OpenDocumentFile(QString(), true, [&strFilter](CView* pView) {
        if (auto* pTableView = dynamic_cast<CListView_Table*>(pView))
            pTableView->SetFindFilter(strFilter);
    });
}

void CMainFrame::OnAllPictureFormats()
{
    m_bAllPictureFormats = !m_bAllPictureFormats;
    // Written at once: a program that ends without closing its window keeps the choice too.
    AfxGetApp()->WriteProfileInt(strSettings, strAllPictureFormats, m_bAllPictureFormats ? 1 : 0);
}

CDocument* CMainFrame::OpenFolderMosaic(const QString& strFolder)
{
    // The window takes the same listing: the folder is listed once.
    std::shared_ptr<CFolderModel> pModel = m_FolderModels.Model(strFolder, m_bAllPictureFormats);
    if (pModel->WaitListed())
        return OpenListedFolder(*pModel, strFolder);
    m_arOpening.push_back(pModel);
    connect(pModel.get(), &CFolderModel::Listed, this, [this, strFolder, pListed = pModel.get()] {
        // After the signal: the model may go with the last hold on it.
        QTimer::singleShot(0, this, [this, strFolder, pListed] {
            const auto it = std::find_if(m_arOpening.begin(), m_arOpening.end(),
                                         [pListed](const auto& p) { return p.get() == pListed; });
            if (it == m_arOpening.end())
                return;
            const std::shared_ptr<CFolderModel> pHeld = *it;
            m_arOpening.erase(it);
            AfxRunContained([&] { OpenListedFolder(*pHeld, strFolder); });
        });
    });
    return nullptr;
}

CDocument* CMainFrame::OpenListedFolder(const CFolderModel& model, const QString& strFolder)
{
    const QStringList arPictures = model.Pictures();
    if (arPictures.isEmpty()) {
        AfxMessageBox(tr("The folder \"%1\" holds no pictures.").arg(strFolder),
                      MB_OK | MB_ICONEXCLAMATION);
        return nullptr;
    }
    // The window needs a picture to open on; one a damaged file would refuse.
    int nIndex = 0;
    while (nIndex + 1 < arPictures.size() && !PictureProblem(arPictures[nIndex]).isEmpty())
        ++nIndex;
    CDocument* pDoc = OpenPictureWindow(arPictures[nIndex], nIndex);
    auto* pView = pDoc ? dynamic_cast<COrvalaView*>(pDoc->GetViews().value(0)) : nullptr;
    if (pView)
        pView->OnMosaic();
    return pDoc;
}

void CMainFrame::OnOpenFolder()
{
    const QString strFolder =
        AfxGetExistingFolder(this, tr("Open Folder"), AfxGetApp()->GetOpenFolder());
    if (!strFolder.isEmpty())
        OpenFolderMosaic(strFolder);
}

void CMainFrame::dragEnterEvent(QDragEnterEvent* pEvent)
{
    if (!DroppedPaths(pEvent->mimeData()).isEmpty())
        pEvent->acceptProposedAction();
}

void CMainFrame::dropEvent(QDropEvent* pEvent)
{
    const QStringList arPaths = DroppedPaths(pEvent->mimeData());
    if (arPaths.isEmpty())
        return;
    pEvent->acceptProposedAction();
    // Opened once the drop is over: the file manager waits for its end, and a
    // message box must not hold it up.
    QTimer::singleShot(0, this, [this, arPaths] {
        AfxRunContained([&] {
            for (const QString& strPath : arPaths) {
                if (QFileInfo(strPath).isDir())
                    OpenFolderMosaic(strPath);
                else
                    AfxGetApp()->OpenDocumentFile(strPath);
            }
        });
    });
}

COrvalaDoc* CMainFrame::ActivePictureDoc() const
{
    CMDIChildWnd* pChild = MDIGetActive();
    if (!pChild || !pChild->GetDocTemplate() ||
        pChild->GetDocTemplate()->GetResourceID() != IDR_ORVALATYPE)
        return nullptr;
    return qobject_cast<COrvalaDoc*>(pChild->GetActiveDocument());
}

void CMainFrame::WatchActivePicture()
{
    disconnect(m_connPicture);
    // Queued: a picture may arrive while its window paints, and the status
    // bar must not repaint in the middle of that.
    if (COrvalaDoc* pDoc = ActivePictureDoc())
        m_connPicture = connect(pDoc, &COrvalaDoc::PictureShown, this,
                                &CMainFrame::UpdatePicturePanes, Qt::QueuedConnection);
    UpdatePicturePanes();
}

void CMainFrame::UpdatePicturePanes()
{
    if (m_pStatusBar == nullptr)
        return;
    QString strPixels;
    QString strFileSize;
    QString strTaken;
    const COrvalaDoc* pDoc = ActivePictureDoc();
    if (pDoc && pDoc->m_pPicture) {
        const SPictureInfo info = ReadPictureInfo(pDoc->PicturePath());
        strPixels = PixelSizeText(PictureSize(*pDoc));
        strFileSize = FileSizeText(info.nFileSize);
        strTaken = DateTimeText(info.dtCaptured);
    }
    // Without a picture the panes make room for the message pane.
    const QList<QPair<int, QString>> arPanes = {{ID_INDICATOR_PIXELS, strPixels},
                                                {ID_INDICATOR_FILESIZE, strFileSize},
                                                {ID_INDICATOR_TAKEN, strTaken}};
    for (const auto& [nID, strText] : arPanes) {
        const int nIndex = m_pStatusBar->CommandToIndex(nID);
        m_pStatusBar->SetPaneText(nIndex, strText, false);
        m_pStatusBar->SetPaneVisible(nIndex, !strText.isEmpty());
    }
}

void CMainFrame::OnPictureInfo()
{
    const COrvalaDoc* pDoc = ActivePictureDoc();
    if (!pDoc || pDoc->PicturePath().isEmpty())
        return;
    CDia_PictureInfo dialog(this);
    dialog.m_info = ReadPictureInfo(pDoc->PicturePath());
    if (pDoc->m_pPicture)
        dialog.m_szPixels = PictureSize(*pDoc);
    dialog.DoModal();
}

void CMainFrame::OnHelp()
{
    // The guide opens at the commands of the window in front.
    CMDIChildWnd* pChild = MDIGetActive();
    const bool bPicture = pChild && pChild->GetDocTemplate() &&
                          pChild->GetDocTemplate()->GetResourceID() == IDR_ORVALATYPE;
    CHelpWindow::Show(bPicture ? QStringLiteral("picturemenu") : QStringLiteral("mainmenu"));
}

bool CMainFrame::eventFilter(QObject* pWatched, QEvent* pEvent)
{
    switch (pEvent->type()) {
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::ApplicationActivate:
        UpdateIndicators();
        break;
    default:
        break;
    }
    return CMDIFrameWnd::eventFilter(pWatched, pEvent);
}

void CMainFrame::UpdateIndicators()
{
    if (m_pStatusBar == nullptr)
        return;
    for (int nID : {ID_INDICATOR_CAPS, ID_INDICATOR_NUM, ID_INDICATOR_SCRL})
        m_pStatusBar->SetIndicatorOn(nID, IsKeyLockOn(nID));
}
