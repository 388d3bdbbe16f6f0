#pragma once

#include <QString>
#include <functional>

class QWidget;

// The system's choosers for a file to open and for a folder, starting in
// strFolder. Empty when the user cancels.
QString AfxGetOpenFileName(QWidget* pParent, const QString& strTitle, const QString& strFolder,
                           const QString& strFilter);
QString AfxGetExistingFolder(QWidget* pParent, const QString& strTitle, const QString& strFolder);

// Tests put a hook in place of the choosers: it gets whether a folder is
// asked for, the title and the starting folder, and returns the choice. An
// empty hook restores the choosers.
using FileDialogHook =
    std::function<QString(bool bFolder, const QString& strTitle, const QString& strFolder)>;
void SetFileDialogHook(FileDialogHook hook);
