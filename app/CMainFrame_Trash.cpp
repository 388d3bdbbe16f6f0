// Undo of Move to Trash: the file first, then its records, and the trash's
// information file last, so that a step that fails leaves the trash whole.
#include "app/CMainFrame.h"
#include "platform/framework/MessageBox.h"

void CMainFrame::OnUndoMoveToTrash()
{
    if (m_LastTrashed.IsEmpty())
        return;
    const QString strPath = m_LastTrashed.strOriginalPath;
    const SRestoreResult restore = PutBackFromTrash(m_LastTrashed);
    switch (restore.eResult) {
    case ERestoreResult::Gone:
        m_LastTrashed = STrashedFile();
        AfxMessageBox(tr("\"%1\" is no longer in the trash, so it cannot be put back. Nothing "
                         "was changed.")
                          .arg(strPath),
                      MB_OK | MB_ICONEXCLAMATION);
        return;
    case ERestoreResult::NameTaken:
        AfxMessageBox(tr("\"%1\" stays in the trash: another file has taken its name in the "
                         "folder meanwhile.")
                          .arg(strPath),
                      MB_OK | MB_ICONEXCLAMATION);
        return;
    case ERestoreResult::Failed:
        AfxMessageBox(tr("\"%1\" stays in the trash: it could not be put back: %2.")
                          .arg(strPath, restore.strError),
                      MB_OK | MB_ICONEXCLAMATION);
        return;
    case ERestoreResult::Restored:
        break;
    }
    const STrashedFile trashed = m_LastTrashed;
    m_LastTrashed = STrashedFile();
    int nRecords = 0;
    if (m_DaoTable.IsDatabaseOpen()) {
        try {
            nRecords = m_DaoTable.RestoreTrashedRecords(strPath);
        } catch (const std::exception& e) {
            // The file is back all the same; its records stay kept aside,
            // and an import of the folder finds them again.
            AfxMessageBox(tr("\"%1\" is back in its folder, but its record could not be put "
                             "back: %2")
                              .arg(strPath, QString::fromUtf8(e.what())),
                          MB_OK | MB_ICONEXCLAMATION);
        }
    }
    RemoveTrashInfo(trashed);
    SetMessageText(nRecords > 0 ? tr("\"%1\" is back in its folder, with its record.").arg(strPath)
                                : tr("\"%1\" is back in its folder.").arg(strPath));
}
