#include "platform/framework/FileDialog.h"

#include <QFileDialog>

namespace {

FileDialogHook& Hook()
{
    static FileDialogHook s_hook;
    return s_hook;
}

} // namespace

QString AfxGetOpenFileName(QWidget* pParent, const QString& strTitle, const QString& strFolder,
                           const QString& strFilter)
{
    if (Hook())
        return Hook()(false, strTitle, strFolder);
    return QFileDialog::getOpenFileName(pParent, strTitle, strFolder, strFilter);
}

QString AfxGetExistingFolder(QWidget* pParent, const QString& strTitle, const QString& strFolder)
{
    if (Hook())
        return Hook()(true, strTitle, strFolder);
    return QFileDialog::getExistingDirectory(pParent, strTitle, strFolder);
}

void SetFileDialogHook(FileDialogHook hook)
{
    Hook() = std::move(hook);
}
