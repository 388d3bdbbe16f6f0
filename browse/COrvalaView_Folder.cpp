// The picture view follows its folder on disk: the list comes from the
// folder's model, shared with the other windows on the folder, and takes in
// every picture added, removed or renamed there, by any program.
#include "browse/BrowseLog.h"
#include "browse/CFolderModel.h"
#include "browse/CFolderModels.h"
#include "browse/COrvalaDoc.h"
#include "browse/COrvalaView.h"
#include "platform/framework/CFrameServices.h"
#include "platform/framework/ExceptionBoundary.h"

#include <QSet>
#include <QTimer>

#include <algorithm>
#include <utility>

bool COrvalaView::HoldFolderModel()
{
    if (m_strFolder.isEmpty())
        return false;
    const bool bAllFormats = m_pMainFrame && m_pMainFrame->ListsAllPictureFormats();
    if (m_pFolderModel && m_pFolderModel->AllFormats() == bAllFormats)
        return false;
    std::shared_ptr<CFolderModel> pOld = std::move(m_pFolderModel);
    if (pOld)
        disconnect(pOld.get(), nullptr, this, nullptr);
    m_pFolderModel = m_pFolderModels ? m_pFolderModels->Model(m_strFolder, bAllFormats)
                                     : std::make_shared<CFolderModel>(m_strFolder, bAllFormats);
    connect(m_pFolderModel.get(), &CFolderModel::Listed, this, &COrvalaView::OnFolderListed);
    connect(m_pFolderModel.get(), &CFolderModel::Changed, this,
            [this](const SFolderDiff& diff) { AfxRunContained([&] { OnFolderChanged(diff); }); });
    // The old one may be delivering the signal that brought us here.
    if (pOld)
        QTimer::singleShot(0, this, [pOld] {});
    return true;
}

bool COrvalaView::ListFolder()
{
    // A list taken before has followed the folder since, this window's own
    // changes included (which the model may not have seen yet): it is the
    // listing. Taken again for another format choice.
    const bool bOtherModel = HoldFolderModel();
    if (!m_bFolderList || m_bListWanted || bOtherModel) {
        m_arrPictures.clear();
        m_nCount = 0;
        m_bFolderList = true;
        if (m_pFolderModel && !m_pFolderModel->WaitListed()) {
            m_bListWanted = true;
            return false;
        }
        m_bListWanted = false;
        if (m_pFolderModel)
            m_arrPictures = m_pFolderModel->Pictures();
    }
    m_nCount = int(m_arrPictures.size());
    qCDebug(lcBrowse) << "took" << m_nCount << "pictures of" << m_strFolder;
    // However the window was opened, Right and Left go to the neighbours of
    // the picture on screen.
    const int nShown = int(m_arrPictures.indexOf(ShownPath()));
    if (nShown >= 0)
        m_nCurrent = nShown;
    return true;
}

void COrvalaView::WhenListed(std::function<void()> action)
{
    m_arWhenListed.append(std::move(action));
}

void COrvalaView::OnFolderListed()
{
    AfxRunContained([this] {
        if (m_bListWanted && !ListFolder())
            return;
        const QList<std::function<void()>> arActions = std::exchange(m_arWhenListed, {});
        for (const std::function<void()>& action : arActions)
            action();
        viewport()->update();
    });
}

void COrvalaView::OnFolderChanged(const SFolderDiff& diff)
{
    // A show of records, or a list not taken yet, has nothing to follow.
    if (!m_bFolderList || m_bListWanted)
        return;
    const QStringList arBefore = m_arrPictures;
    // The mosaic's cells stay one per picture, built or still building.
    const bool bCells = m_MosaicBuild.Thumbnails().size() == m_arrPictures.size();
    const SMosaicGeometry gBefore = CellGeometry();
    const int nSelected =
        m_ptSelection.x() > 0 ? gBefore.IndexAt(m_ptSelection, int(m_arrPictures.size())) : -1;
    const QPoint ptInCell =
        nSelected >= 0 ? m_ptSelection - gBefore.CellRect(nSelected).topLeft() : QPoint();
    QString strSelected = nSelected >= 0 ? m_arrPictures[nSelected] : QString();

    // Removed by path, so a picture this window took out itself is no matter.
    const QSet<QString> setRemoved(diff.arRemoved.cbegin(), diff.arRemoved.cend());
    for (int i = int(m_arrPictures.size()) - 1; i >= 0 && !setRemoved.isEmpty(); --i) {
        if (!setRemoved.contains(m_arrPictures[i]))
            continue;
        m_arrPictures.removeAt(i);
        if (bCells)
            m_MosaicBuild.Remove(i);
        if (i < m_nCurrent)
            --m_nCurrent;
    }
    for (const SFolderRename& rename : diff.arRenamed) {
        const int i = int(m_arrPictures.indexOf(rename.strFrom));
        if (i < 0 || m_arrPictures.contains(rename.strTo))
            continue;
        m_arrPictures[i] = rename.strTo;
        if (bCells)
            m_MosaicBuild.Rename(i, rename.strTo);
        if (rename.strFrom == strSelected)
            strSelected = rename.strTo;
    }
    // From the last one back, each goes before the one that follows it.
    QSet<QString> setListed(m_arrPictures.cbegin(), m_arrPictures.cend());
    int nLast = -1;
    for (auto it = diff.arAdded.crbegin(); it != diff.arAdded.crend(); ++it) {
        if (setListed.contains(it->strPath))
            continue;
        int i = -1;
        if (!it->strNext.isEmpty())
            i = nLast >= 0 && m_arrPictures.value(nLast) == it->strNext
                    ? nLast
                    : int(m_arrPictures.indexOf(it->strNext));
        if (i < 0)
            i = int(m_arrPictures.size());
        m_arrPictures.insert(i, it->strPath);
        setListed.insert(it->strPath);
        nLast = i;
        if (i < m_nCurrent)
            ++m_nCurrent;
        if (!bCells)
            continue;
        QFuture<QImage> thumbnail = m_MosaicBuild.Insert(i, it->strPath);
        if (thumbnail.isValid())
            thumbnail.then(this, [this](const QImage&) { PlaceLateThumbnails(); });
    }
    m_nCount = int(m_arrPictures.size());

    if (bCells) {
        const SMosaicGeometry g = CellGeometry();
        if (!strSelected.isEmpty()) {
            int i = int(m_arrPictures.indexOf(strSelected));
            // Its picture gone, the frame stays on the place, or the last cell.
            if (i < 0)
                i = std::min(nSelected, m_nCount - 1);
            m_ptSelection = i >= 0 ? g.CellRect(i).topLeft() + ptInCell : QPoint();
        }
        if (m_bMosaic && m_bSlideShow)
            m_szMosaicExtent = g.MosaicSize();
        else if (m_bMosaic)
            SetScrollSizes(g.MosaicSize());
    }
    if (!m_bMosaic && !m_bBusy)
        FollowShownPicture(arBefore, diff);
    viewport()->update();
}

void COrvalaView::FollowShownPicture(const QStringList& arBefore, const SFolderDiff& diff)
{
    if (!m_pPictureDoc)
        return;
    const QString strShown = ShownPath();
    const int nNow = int(m_arrPictures.indexOf(strShown));
    if (nNow >= 0) {
        m_nCurrent = nNow;
        return;
    }
    const int nBefore = int(arBefore.indexOf(strShown));
    if (nBefore < 0)
        return;
    for (const SFolderRename& rename : diff.arRenamed) {
        const int i = rename.strFrom == strShown ? int(m_arrPictures.indexOf(rename.strTo)) : -1;
        if (i >= 0) {
            m_nCurrent = i;
            ShowPictureAt(i);
            return;
        }
    }
    if (m_nCount == 0) {
        m_pPictureDoc->m_pPicture.reset();
        m_pPictureDoc->SetTitle(m_strFolder);
        return;
    }
    // Gone: the next one still there, as after Move to Trash.
    int nNext = -1;
    for (int i = nBefore + 1; i < arBefore.size() && nNext < 0; ++i)
        nNext = int(m_arrPictures.indexOf(arBefore[i]));
    m_nCurrent = nNext >= 0 ? nNext : m_nCount - 1;
    ShowPictureAt(m_nCurrent);
}

void COrvalaView::PlaceLateThumbnails()
{
    if (m_MosaicBuild.PlaceLate())
        viewport()->update();
}
