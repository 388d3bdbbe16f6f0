#pragma once

#include <QString>

class CDao_Table;
class CDocument;
class CProgressCtrl_Status;
struct STrashedFile;

// What the windows need of the main frame, which implements it. Windows reach
// it through the application's main window, so that no window depends on the
// frame itself.
class CFrameServices
{
public:
    virtual ~CFrameServices() = default;

    // The photo database of the run.
    virtual CDao_Table& GetPhotoDatabase() = 0;
    // The frame's progress bar, which also lays other bars over the message pane.
    virtual CProgressCtrl_Status& GetStatusProgress() = 0;
    // Writes into the status bar's message pane.
    virtual void SetMessageText(const QString& strText) = 0;
    // Opens a picture window as the program does, without importing the
    // folder, showing the folder's picture at nIndex. Null when the file
    // could not be opened.
    virtual CDocument* OpenPictureWindow(const QString& strPath, int nIndex) = 0;
    // Opens a new table window listing the records that match the criterion
    // (all records for an empty one).
    virtual CDocument* OpenTableWindow(const QString& strFilter) = 0;
    // Whether folders list every picture format Orvala reads (View > All
    // Picture Formats), not only the seven classic ones.
    virtual bool ListsAllPictureFormats() const = 0;
    // The picture this run moved to the trash last, which Undo puts back.
    virtual void SetLastTrashed(const STrashedFile& trashed) = 0;
};

// The main window's services; null while there is no main window.
CFrameServices* AfxGetFrameServices();
