#include "browse/CFolderModel.h"

#include "browse/BrowseLog.h"
#include "platform/framework/WorkerWait.h"
#include "platform/picture/FolderListing.h"

#include <QFile>
#include <QHash>
#include <QtConcurrent/QtConcurrentRun>

#include <sys/stat.h>

namespace {

// On a worker: the folder's pictures with what DiffListings and
// CompleteEntries compare; a file gone meanwhile keeps zeros. Those shown
// already are taken from arShown: only new names are looked at, so a large
// folder is listed again about as fast as its names are read.
QList<SFolderEntry> ScanFolder(const QString& strFolder, bool bAllFormats,
                               const QList<SFolderEntry>& arShown)
{
    QHash<QString, qsizetype> mapShown;
    mapShown.reserve(arShown.size());
    for (qsizetype i = 0; i < arShown.size(); ++i)
        mapShown.insert(arShown[i].strPath, i);
    QStringList arPaths;
    ListPictureFiles(strFolder, arPaths, QString(), bAllFormats);
    QList<SFolderEntry> arEntries;
    arEntries.reserve(arPaths.size());
    for (const QString& strPath : std::as_const(arPaths)) {
        const auto it = mapShown.constFind(strPath);
        if (it != mapShown.cend()) {
            arEntries.append(arShown[it.value()]);
            continue;
        }
        SFolderEntry entry;
        entry.strPath = strPath;
        struct stat st;
        if (::stat(QFile::encodeName(strPath).constData(), &st) == 0) {
            entry.nDevice = quint64(st.st_dev);
            entry.nInode = quint64(st.st_ino);
            entry.nSize = qint64(st.st_size);
            entry.nModifiedNs = qint64(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec;
        }
        arEntries.append(entry);
    }
    return arEntries;
}

} // namespace

CFolderModel::CFolderModel(const QString& strFolder, bool bAllFormats)
    : m_strFolder(strFolder)
    , m_bAllFormats(bAllFormats)
{
    m_timerSettle.setSingleShot(true);
    connect(&m_timerSettle, &QTimer::timeout, this, &CFolderModel::StartScan);
    // A watcher, not QFuture::then: a model closed while its folder is being
    // listed must simply not hear of the listing.
    connect(&m_watchScan, &QFutureWatcher<QList<SFolderEntry>>::finished, this,
            [this] { TakeScan(m_nScan, m_scan.result()); });
    connect(&m_watcher, &QFileSystemWatcher::directoryChanged, this,
            &CFolderModel::OnDirectoryChanged);
    // Watched before the first listing, so nothing between the two is missed.
    if (!m_strFolder.isEmpty() && !m_watcher.addPath(m_strFolder))
        qCDebug(lcBrowse) << "cannot watch" << m_strFolder;
    StartScan();
}

CFolderModel::~CFolderModel() = default;

bool CFolderModel::WaitListed()
{
    if (m_bListed)
        return true;
    // Before the first listing no second scan has started: m_scan is the first.
    if (!m_scan.isValid() || !WaitForWorker(m_scan))
        return false;
    TakeScan(m_nScan, m_scan.result());
    return m_bListed;
}

QStringList CFolderModel::Pictures() const
{
    QStringList arPaths;
    arPaths.reserve(m_arShown.size());
    for (const SFolderEntry& entry : m_arShown)
        arPaths.append(entry.strPath);
    return arPaths;
}

void CFolderModel::OnDirectoryChanged()
{
    // Not restarted by each change: a folder that keeps changing is still
    // listed every kSettleMs.
    if (!m_timerSettle.isActive())
        m_timerSettle.start(kSettleMs);
}

void CFolderModel::StartScan()
{
    if (m_nScan != m_nTaken) {
        m_bScanAgain = true;
        return;
    }
    // A folder made again after it was removed is watched again.
    if (!m_strFolder.isEmpty() && m_watcher.directories().isEmpty())
        m_watcher.addPath(m_strFolder);
    ++m_nScan;
    m_scan = QtConcurrent::run(ScanFolder, m_strFolder, m_bAllFormats, m_arShown);
    m_watchScan.setFuture(m_scan);
}

void CFolderModel::TakeScan(quint64 nScan, const QList<SFolderEntry>& arScan)
{
    // Taken already, by WaitListed.
    if (nScan <= m_nTaken)
        return;
    m_nTaken = nScan;
    const bool bFirst = !m_bListed;
    // What a window opens on is shown whole; later files once they settle.
    const QList<SFolderEntry> arComplete =
        bFirst ? arScan : CompleteEntries(m_arShown, m_arLastScan, arScan);
    const SFolderDiff diff = DiffListings(m_arShown, arComplete);
    m_arShown = arComplete;
    m_arLastScan = arScan;
    m_bListed = true;
    const bool bWritten = arComplete.size() != arScan.size();
    if ((m_bScanAgain || bWritten) && !m_timerSettle.isActive())
        m_timerSettle.start(bWritten ? kRelookMs : kSettleMs);
    m_bScanAgain = false;
    qCDebug(lcBrowse) << "listed" << m_arShown.size() << "pictures in" << m_strFolder << "("
                      << arScan.size() - arComplete.size() << "still being written)";
    if (bFirst)
        emit Listed();
    else if (!diff.IsEmpty())
        emit Changed(diff);
    emit Scanned();
}
