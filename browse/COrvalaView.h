#pragma once

#include "browse/CMosaicBuild.h"
#include "browse/CPictureRender.h"
#include "browse/FolderDiff.h"
#include "browse/MosaicGeometry.h"
#include "browse/PropertiesValues.h"
#include "browse/SlideShowRules.h"
#include "browse/ZoomRules.h"
#include "db/CFolderImport.h"
#include "platform/framework/CProgressCtrl.h"
#include "platform/framework/CScrollView.h"

#include <QBasicTimer>
#include <QImage>
#include <QPen>
#include <QPointer>
#include <QRect>
#include <QStringList>

#include <functional>
#include <memory>
#include <optional>

class CFolderModel;
class CFolderModels;
class CFrameServices;
class CProgressCtrl_Status;
class COrvalaDoc;
class QPainter;
class QPrinter;

// What every new picture view starts from. Not stored anywhere.
struct SViewDefaults
{
    bool bKeepProportions = false;
    bool bLoop = false;
    int nPhotosInRow = 10;
    int nBorderWidth = 2;
    int nSlidePause = 1000;
    int nMosaicInterval = 1;
};

// What a picture view is doing and showing, as plain values.
struct SViewState : SSlideShowState
{
    bool bHasFocus = false;
    bool bUserOpen = false;
    bool bFullSize = false;
    bool bMosaic = false;
    SViewSettings settings;
    int nMosaicInterval = 0;
    bool bSlideTimer = false; // armed
    bool bMosaicTimer = false;
    QString strFolder;
    int nCellWidth = 0;
    int nCellHeight = 0;
    int nLastWidth = 0;
    int nLastHeight = 0;
    int nSelectPenWidth = 0;
    int nErasePenWidth = 0;
    QPoint ptSelection;
    int nMosaicNext = 0; // the next thumbnail the build places
    EPictureFit eFit = EPictureFit::Width;
    double dZoom = 1.0; // of the picture shown, however it is fitted
    bool bFullScreen = false;
};

// The view of a picture window: one picture fitted to the width or at full
// size, or a mosaic of thumbnails of the whole folder.
class COrvalaView : public CScrollView
{
    Q_OBJECT
public:
    // The folder models shared with the other windows come from
    // pFolderModels; without it the view keeps a model of its own.
    explicit COrvalaView(CFolderModels* pFolderModels = nullptr);
    ~COrvalaView() override;

    // What every new view starts from.
    static SViewDefaults s_Defaults;

    // Before the initial update: the program, not the user, opens this view,
    // at nIndex of the folder's pictures. Such a view imports nothing.
    void OpenedByProgram(int nIndex);
    void OnInitialUpdate() override;
    void OnDraw(QPainter* pDC);
    bool OnEraseBkgnd(QPainter* pDC);
    // Replaces the document's picture by the one at strPath when given and
    // draws it (on the window when pDC is null). False when nothing was drawn.
    bool DrawPicture(QPainter* pDC, const QString& strPath);
    // The mosaic cell under a point in client coordinates; false when none.
    bool SelectCell(QPoint pt, bool bErase);
    void StartMosaic();
    void MosaicStep();
    // The timers: 1 the slide show, 2 the mosaic build.
    void OnTimer(int nIDEvent);
    void OnFullSize();
    void OnMosaic();
    // Beyond the classic commands: the whole picture in the window, zoom
    // about a client point (the centre when none is given), full screen, and
    // the single picture under the mosaic's frame.
    void OnFitWindow();
    void OnZoomIn(std::optional<QPoint> ptAnchor = std::nullopt);
    void OnZoomOut(std::optional<QPoint> ptAnchor = std::nullopt);
    void OnActualSize();
    void OnFullScreen();
    void OnSinglePicture();
    // Moves the picture shown (or the mosaic's selected one) to the trash
    // after asking, and removes its records.
    void OnMoveToTrash();
    // Starts the show over the picture list (the folder's pictures when the
    // list is empty), or ends it at the next tick.
    void OnSlideShow();
    // Starts the show over these pictures, in their order; they stay the
    // window's list.
    void RunSlideShowOf(const QStringList& arPaths);
    void SlideStep();
    // Pauses or resumes the running timed job.
    void OnPause();
    void OnLoop();
    // Sets this window's five settings in the Properties dialog.
    void OnProperties();
    // A key in the window: steps through the pictures, or moves and opens
    // the mosaic selection.
    void OnKeyDown(int nKey, Qt::KeyboardModifiers modifiers);
    // Selects the mosaic cell under a point in client coordinates.
    void OnLButtonDown(QPoint pt);
    // Opens the mosaic picture under the point in a new window.
    void OnLButtonDblClk(QPoint pt);
    // Ctrl and the wheel scroll sideways; false leaves the wheel to the
    // scroll view.
    bool OnMouseWheel(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers, int nDelta);
    // Draws what the window shows for a printer: the picture one page wide,
    // or the whole mosaic over as many pages as it needs.
    void PrintTo(QPrinter* pPrinter);

    // The five settings the Properties dialog shows, and setting them: a
    // running show takes the new pause from its next slide, a mosaic is
    // built again for a new layout.
    SViewSettings Settings() const;
    void ApplySettings(const SViewSettings& settings);
    SViewState State() const;
    COrvalaDoc* GetPictureDoc() const { return m_pPictureDoc; }
    // The pictures the window walks through: the folder's, or a show's.
    const QStringList& Pictures() const { return m_arrPictures; }
    const CProgressCtrl& Progress() const { return m_wndProgress; }

protected:
    void paintEvent(QPaintEvent* pEvent) override;
    void timerEvent(QTimerEvent* pEvent) override;
    void focusInEvent(QFocusEvent* pEvent) override;
    void focusOutEvent(QFocusEvent* pEvent) override;
    void keyPressEvent(QKeyEvent* pEvent) override;
    void mousePressEvent(QMouseEvent* pEvent) override;
    void mouseDoubleClickEvent(QMouseEvent* pEvent) override;
    void wheelEvent(QWheelEvent* pEvent) override;
    void resizeEvent(QResizeEvent* pEvent) override;

private:
    void RegisterCommands();
    void RegisterViewerCommands();
    EPictureFit Fit() const;
    SPictureLayout Layout() const;
    // Scroll range and position for the single picture's fit.
    void ApplyPictureLayout();
    void ZoomTo(double dZoom, std::optional<QPoint> ptAnchor);
    // The key's command beyond the classic keys; false when it has none.
    bool RunViewerKey(int nKey, Qt::KeyboardModifiers modifiers);
    // Shows the picture at nIndex of the list, titled with its path.
    void ShowPictureAt(int nIndex);
    // A picture decoded on a worker has arrived after the window went on.
    void OnPictureChanged();
    void SetMessageText(const QString& strText);
    int SetTimer(int nIDEvent, int nElapse);
    void KillTimer(int nIDEvent);
    QString PictureAt(int nIndex) const;
    // The file of the picture the window shows (or failed to show).
    QString ShownPath() const;
    // Takes the folder's pictures from its model (once: the list follows the
    // folder from then on) and starts from the one the window shows. False
    // while the folder is still being listed: the list comes when it is (and
    // the actions queued by WhenListed run then).
    bool ListFolder();
    // The model of the window's folder for the format choice in force now;
    // true when that is another model than the one held before.
    bool HoldFolderModel();
    void WhenListed(std::function<void()> action);
    void OnFolderListed();
    // Files added, removed and renamed on disk, by this program or another.
    void OnFolderChanged(const SFolderDiff& diff);
    // Where the single picture goes when the folder changed under it.
    void FollowShownPicture(const QStringList& arBefore, const SFolderDiff& diff);
    void PlaceLateThumbnails();
    // The list's picture at nIndex in a new window of its own.
    void OpenPictureWindow(int nIndex);
    bool DrawDocumentPicture(QPainter* pDC);
    // The box the single picture is drawn in, decoded for: empty at full size.
    QSize DecodeBox() const;
    void DecodeNeighboursAhead(const QString& strPath);
    SMosaicGeometry Geometry() const;
    // The geometry of the mosaic as built: its cells keep their size when
    // the window is resized.
    SMosaicGeometry CellGeometry() const;
    void DrawMosaic(QPainter* pDC, const QRect& rcDoc, const SMosaicGeometry& g);
    void DrawUnreadableCell(QPainter* pDC, const QRect& rcCell);
    void DrawNoPicture(QPainter* pDC);
    void EndMosaicBuild();
    void OnFilePrint();
    void OnFilePrintPreview();
    SSlideShowState SlideShowState() const;
    void ApplySlideShowStep(const SSlideShowStep& step);
    void BeginSlideShow(const QString& strText);
    void EndSlideShow();
    void BeginWaitCursor();
    void EndWaitCursor();

    bool m_bHasFocus = true;
    bool m_bUserOpen = true;
    bool m_bFullSize = false;
    bool m_bInTimer = false;
    bool m_bPaused = false;
    bool m_bBusy = false;
    bool m_bMosaic = false;
    bool m_bKeepProportions;
    bool m_bSlideShow = false;
    bool m_bLoop;
    int m_nPhotosInRow;
    int m_nBorderWidth;
    int m_nCount = 0;
    int m_nCurrent;
    int m_nSlidePause;
    int m_nMosaicInterval;
    int m_nTimerId = 0;
    QString m_strText;
    QString m_strFolder;
    QString m_strStartPath;
    int m_nCellWidth = 0;
    int m_nCellHeight = 0;
    int m_nLastWidth = 0;
    int m_nLastHeight = 0;
    QPen m_penErase;
    QPen m_penSelect;
    QPoint m_ptSelection;
    CProgressCtrl m_wndProgress;
    COrvalaDoc* m_pPictureDoc = nullptr;
    CFrameServices* m_pMainFrame = nullptr;
    CProgressCtrl_Status* m_pStatusProgress = nullptr;
    QStringList m_arrPictures;
    // The list is the folder's, as its model lists it (not a show of records).
    bool m_bFolderList = false;
    CFolderModels* m_pFolderModels = nullptr;
    std::shared_ptr<CFolderModel> m_pFolderModel;
    // The list is wanted before the folder is listed, and what waits for it.
    bool m_bListWanted = false;
    QList<std::function<void()>> m_arWhenListed;
    // The mosaic's thumbnails, each drawn into its cell's rectangle (no
    // bitmap bigger than a cell).
    CMosaicBuild m_MosaicBuild;
    // Draws the single picture; a drawing on a worker.
    CPictureRender m_PictureRender;
    QBasicTimer m_arTimers[2];
    bool m_bSelectionShown = false;
    // What a slide show over a mosaic puts back when it ends.
    QSize m_szMosaicExtent;
    QPoint m_ptMosaicScroll;
    QString m_strStartTitle;
    // The mosaic's settings changed while a slide show covered it.
    bool m_bMosaicStale = false;
    // Importing the folder into the photo database, a few pictures a step.
    CFolderImport m_Import;
    // How the single picture is fitted when not at Full Size.
    EPictureFit m_eFit = EPictureFit::Width;
    double m_dZoom = 1.0;
    // The black window the view moves to for full screen, and the fit it had.
    QPointer<QWidget> m_pFullScreen;
    EPictureFit m_eFitBeforeFullScreen = EPictureFit::Width;
    // A mosaic left for its single picture comes back as it was.
    bool m_bMosaicKept = false;
    QPoint m_ptKeptScroll;
};
