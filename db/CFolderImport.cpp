#include "db/CFolderImport.h"

#include "db/CDao_Table.h"
#include "db/CPictureImport.h"
#include "db/DatabaseLog.h"
#include "platform/framework/CFrameServices.h"
#include "platform/framework/CProgressCtrl_Status.h"
#include "platform/framework/ExceptionBoundary.h"
#include "platform/picture/FolderListing.h"

#include <QFileInfo>
#include <QSet>
#include <QTimerEvent>

namespace {
// Pictures imported in one transaction: small enough that the window paints
// between two steps, large enough that a camera folder is stored in seconds.
constexpr int kImportStep = 250;
} // namespace

CFolderImport::~CFolderImport()
{
    if (IsRunning() && m_pFrame && CProgressCtrl::GetActive() == &m_pFrame->GetStatusProgress())
        m_pFrame->GetStatusProgress().Remove();
}

void CFolderImport::Start(CFrameServices* pFrame, const QString& strFolder)
{
    if (!pFrame || strFolder.isEmpty() || !pFrame->GetPhotoDatabase().IsDatabaseOpen())
        return;
    m_pFrame = pFrame;
    m_strFolder = strFolder;
    m_arPictures.clear();
    ListPictureFiles(strFolder, m_arPictures, QString(), pFrame->ListsAllPictureFormats());
    if (m_arPictures.isEmpty())
        return;
    m_nImported = 0;
    m_nFollowed = 0;
    m_setNames.clear();
    for (const QString& strPath : std::as_const(m_arPictures))
        m_setNames.insert(QFileInfo(strPath).fileName());
    m_pFrame->GetStatusProgress().ShowStatusProgress(
        tr(" Importing %1 pictures into the photo database: ").arg(m_arPictures.size()));
    m_timer.start(0, this);
    qCDebug(lcDatabase) << "importing" << m_arPictures.size() << "pictures of" << strFolder;
}

void CFolderImport::timerEvent(QTimerEvent* pEvent)
{
    if (pEvent->timerId() == m_timer.timerId())
        AfxRunContained([this] { Step(); });
    else
        QObject::timerEvent(pEvent);
}

void CFolderImport::Step()
{
    const QStringList arStep = m_arPictures.mid(m_nImported, kImportStep);
    CPictureImport import(&m_pFrame->GetPhotoDatabase());
    import.SetFolderNames(m_setNames);
    const bool bImported = import.Import(m_strFolder, arStep);
    m_nImported += int(arStep.size());
    m_nFollowed += import.m_nFollowed;
    if (bImported && m_nImported < m_arPictures.size()) {
        m_pFrame->GetStatusProgress().SetPos(int(qint64(m_nImported) * 100 / m_arPictures.size()));
        return;
    }
    End();
    if (m_nFollowed > 0) {
        const QString strMessage = FollowedMessage(m_nFollowed);
        m_pFrame->SetMessageText(strMessage);
        emit RecordsFollowed(m_nFollowed, strMessage);
    }
    if (import.m_strError.isEmpty()) {
        qCDebug(lcDatabase) << "import of" << m_strFolder << "done";
        return;
    }
    qCDebug(lcDatabase) << "import stopped:" << import.m_strError;
    emit Failed(import.m_strError);
}

QString CFolderImport::FollowedMessage(int nRecords)
{
    // Worded for one without a translation of plurals.
    if (nRecords == 1)
        return tr("1 record followed its renamed picture");
    return tr("%n records followed their renamed pictures", nullptr, nRecords);
}

void CFolderImport::End()
{
    m_timer.stop();
    m_arPictures.clear();
    m_setNames.clear();
    CProgressCtrl_Status& progress = m_pFrame->GetStatusProgress();
    if (CProgressCtrl::GetActive() == &progress) {
        progress.Remove();
        m_pFrame->SetMessageText(QString());
    }
}
