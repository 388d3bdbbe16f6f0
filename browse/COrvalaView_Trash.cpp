// Move to Trash: the picture goes to the desktop's trash and its records
// leave the photo database.
#include "browse/COrvalaDoc.h"
#include "browse/COrvalaView.h"
#include "db/CDao_Table.h"
#include "platform/framework/CFrameServices.h"
#include "platform/framework/MessageBox.h"

#include <QFile>
#include <QFileInfo>

namespace {

// The records of a trashed picture go too; a database that refuses says so,
// and the picture stays in the trash, where the user can still find it.
void DeleteRecordsOf(CFrameServices* pFrame, const QString& strPath)
{
    if (!pFrame)
        return;
    CDao_Table& table = pFrame->GetPhotoDatabase();
    if (!table.IsDatabaseOpen())
        return;
    try {
        const QList<qint64> arKeys = table.KeysOfPicture(strPath);
        if (!arKeys.isEmpty())
            table.DeleteRecords(arKeys);
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
    if (AfxMessageBox(tr("Move \"%1\" to the trash?").arg(strPath),
                      MB_YESNO | MB_ICONEXCLAMATION) != IDYES)
        return;
    if (!QFile::moveToTrash(strPath)) {
        AfxMessageBox(
            tr("\"%1\" could not be moved to the trash, so nothing was deleted.").arg(strPath),
            MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    DeleteRecordsOf(m_pMainFrame, strPath);
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
