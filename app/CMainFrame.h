#pragma once

#include "db/CDao_Table.h"
#include "platform/framework/CFrameServices.h"
#include "platform/framework/CMDIFrameWnd.h"
#include "platform/framework/CProgressCtrl_Status.h"
#include "platform/framework/DesktopTrash.h"

#include <QMetaObject>

#include <memory>
#include <vector>

class CFolderModel;
class CFolderModels;
class COrvalaDoc;

// The program's one top-level window. Owns, for the whole run, what the
// child windows share, and serves it to them; remembers its placement in
// group "Settings".
class CMainFrame : public CMDIFrameWnd, public CFrameServices
{
    Q_OBJECT
public:
    // Folders are listed through folderModels, shared with the picture windows.
    explicit CMainFrame(CFolderModels& folderModels);
    ~CMainFrame() override;

    // Creates the frame from its resources; false when that fails.
    bool LoadFrame(int nIDResource);

    CDao_Table& GetPhotoDatabase() override { return m_DaoTable; }
    CProgressCtrl_Status& GetStatusProgress() override { return m_wndStatusProgress; }
    void SetMessageText(const QString& strText) override;
    CDocument* OpenPictureWindow(const QString& strPath, int nIndex) override;
    CDocument* OpenTableWindow(const QString& strFilter) override;
    bool ListsAllPictureFormats() const override { return m_bAllPictureFormats; }
    void SetLastTrashed(const STrashedFile& trashed) override { m_LastTrashed = trashed; }
    // A new picture window showing the folder's pictures as a mosaic; says so
    // when the folder has none. Null when no window opened, or not yet: a
    // folder that takes long to list opens once it is listed.
    CDocument* OpenFolderMosaic(const QString& strFolder);

protected:
    int OnCreate();
    void OnShowTable();
    void OnCheckDatabase();
    void OnHelp();
    void OnAllPictureFormats();
    void OnOpenFolder();
    void OnPictureInfo();
    // Puts the picture this run moved to the trash last back in its folder,
    // then its records, and only then drops its trash information.
    void OnUndoMoveToTrash();

    void resizeEvent(QResizeEvent* pEvent) override;
    void closeEvent(QCloseEvent* pEvent) override;
    void showEvent(QShowEvent* pEvent) override;
    bool eventFilter(QObject* pWatched, QEvent* pEvent) override;
    void dragEnterEvent(QDragEnterEvent* pEvent) override;
    void dropEvent(QDropEvent* pEvent) override;

private:
    void RestorePlacement();
    void UpdateIndicators();
    // The document of the active window when it is a picture window.
    COrvalaDoc* ActivePictureDoc() const;
    // Follows the picture of the active window into the status bar.
    void WatchActivePicture();
    void UpdatePicturePanes();
    CDocument* OpenListedFolder(const CFolderModel& model, const QString& strFolder);

    CFolderModels& m_FolderModels;
    // Folders being listed for Open Folder, held until their windows open.
    std::vector<std::shared_ptr<CFolderModel>> m_arOpening;

    QRect m_rcRestored;
    CProgressCtrl_Status m_wndStatusProgress;
    CDao_Table m_DaoTable;
    bool m_bAllPictureFormats = false;
    QMetaObject::Connection m_connPicture;
    STrashedFile m_LastTrashed;
};
