// Move to Trash: the picture goes to the desktop's trash and its records
// leave the photo database.
#include "browse/COrvalaDoc.h"
#include "browse/COrvalaView.h"
#include "db/CDao_Table.h"
#include "db/PictureFingerprint.h"
#include "platform/framework/CFrameServices.h"
#include "platform/framework/CWinApp.h"
#include "platform/framework/DesktopTrash.h"
#include "platform/framework/MessageBox.h"

#include <QFileInfo>

namespace {

CDao_Table* OpenDatabase(CFrameServices* pFrame)
{
    if (!pFrame || !pFrame->GetPhotoDatabase().IsDatabaseOpen())
        return nullptr;
    return &pFrame->GetPhotoDatabase();
}

// The question names what goes with the file: its record, as the user knows it.
QString TrashQuestion(CDao_Table* pTable, const QString& strPath)
{
    QString strQuestion = COrvalaView::tr("Move \"%1\" to the trash?").arg(strPath);
    if (!pTable)
        return strQuestion;
    try {
        const QList<qint64> arKeys = pTable->KeysOfPicture(strPath);
        if (arKeys.size() > 1)
            return strQuestion + QLatin1Char(' ') +
                   COrvalaView::tr("Its %1 records in the photo database are removed too.")
                       .arg(arKeys.size());
        if (arKeys.size() == 1) {
            if (const std::optional<SPhotoRecord> record = pTable->ReadRecord(arKeys.first()))
                return strQuestion + QLatin1Char(' ') +
                       COrvalaView::tr("Its record in the photo database (theme \"%1\", "
                                       "comment \"%2\") is removed too.")
                           .arg(record->m_strTheme, record->m_strComment);
        }
    } catch (const std::exception&) {
        // A database that cannot be read now says so when the record is removed.
    }
    return strQuestion;
}

// The records of a trashed picture are kept aside, for Undo and for a picture
// put back by a file manager. A database that refuses says so, and the
// picture stays in the trash, where the user can still find it.
void TrashRecordsOf(CDao_Table* pTable, const QString& strPath,
                    const SPictureFingerprint& fingerprint)
{
    if (!pTable)
        return;
    try {
        pTable->TrashRecordsOf(strPath, fingerprint);
    } catch (const std::exception& e) {
        AfxMessageBox(COrvalaView::tr("\"%1\" is in the trash, but its record stays: %2")
                          .arg(strPath, QString::fromUtf8(e.what())),
                      MB_OK | MB_ICONEXCLAMATION);
    }
}

} // namespace

void COrvalaView::OnMoveToTrash()
{
    if (m_bSlideShow || m_bBusy || !m_pPictureDoc)
        return;
    // A window opened from a file lists its folder at its first key.
    if (!m_bMosaic && m_arrPictures.isEmpty())
        ListFolder();
    const int nIndex = m_bMosaic ? CellGeometry().IndexAt(m_ptSelection, int(m_arrPictures.size()))
                                 : int(m_arrPictures.indexOf(ShownPath()));
    const QString strPath =
        m_bMosaic ? (nIndex >= 0 ? m_arrPictures[nIndex] : QString()) : ShownPath();
    if (strPath.isEmpty() || !QFileInfo(strPath).isFile())
        return;
    CDao_Table* pTable = OpenDatabase(m_pMainFrame);
    if (AfxMessageBox(TrashQuestion(pTable, strPath), MB_YESNO | MB_ICONEXCLAMATION) != IDYES)
        return;
    // Taken while the file is still where its records say it is.
    const SPictureFingerprint fingerprint = PictureFingerprint(strPath);
    const STrashResult result = MoveToDesktopTrash(strPath);
    if (result.trashed.IsEmpty()) {
        AfxMessageBox(
            result.strStrandedAt.isEmpty()
                ? tr("\"%1\" could not be moved to the trash: %2. Nothing was changed.")
                      .arg(strPath, result.strError)
                : tr("\"%1\" could not be moved to the trash: %2. It could not be put back "
                     "either and is now \"%3\"; its record stays.")
                      .arg(strPath, result.strError, result.strStrandedAt),
            MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    TrashRecordsOf(pTable, strPath, fingerprint);
    if (m_pMainFrame)
        m_pMainFrame->SetLastTrashed(result.trashed);
    if (CWinApp* pApp = AfxGetApp())
        pApp->RemoveFromRecentFileList(strPath);
    if (nIndex < 0)
        return;
    m_arrPictures.removeAt(nIndex);
    m_nCount = int(m_arrPictures.size());
    if (m_bMosaic) {
        // The cells after it move up one; the frame stays on the same place.
        m_MosaicBuild.Remove(nIndex);
        const SMosaicGeometry g = CellGeometry();
        // The last cell gone, the frame moves to the one before it.
        if (nIndex >= m_nCount && m_nCount > 0)
            m_ptSelection = g.CellRect(m_nCount - 1).center();
        SetScrollSizes(g.MosaicSize());
        viewport()->update();
        return;
    }
    m_bMosaicKept = false;
    if (m_nCount == 0) {
        m_pPictureDoc->m_pPicture.reset();
        m_pPictureDoc->SetTitle(m_strFolder);
        viewport()->update();
        return;
    }
    m_nCurrent = std::min(nIndex, m_nCount - 1);
    ShowPictureAt(m_nCurrent);
}
