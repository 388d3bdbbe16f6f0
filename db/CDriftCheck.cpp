#include "db/CDriftCheck.h"

#include "db/RenameMatch.h"
#include "platform/picture/FolderListing.h"

#include <QFileInfo>
#include <QHash>
#include <QSet>
#include <QThread>

CDriftCheck::CDriftCheck(QObject* pParent)
    : QObject(pParent)
{
}

CDriftCheck::~CDriftCheck()
{
    if (m_pThread) {
        m_bStop = true;
        m_pThread->wait();
        delete m_pThread;
    }
}

QList<qint64> CDriftCheck::DiskSizes(const QList<SFileRecord>& arRecords,
                                     const std::atomic<bool>& bStop, std::atomic<int>& nDone)
{
    QList<qint64> arSizes;
    arSizes.reserve(arRecords.size());
    QHash<QString, bool> folders;
    for (qsizetype i = 0; i < arRecords.size(); ++i) {
        const SFileRecord& record = arRecords[i];
        const bool bNewFolder = i == 0 || record.m_strDirectory != arRecords[i - 1].m_strDirectory;
        if (bNewFolder && bStop)
            break;
        auto itFolder = folders.find(record.m_strDirectory);
        if (itFolder == folders.end()) {
            const QString strFolder =
                record.m_strDirectory.isEmpty() ? QStringLiteral("/") : record.m_strDirectory;
            itFolder = folders.insert(record.m_strDirectory, QFileInfo(strFolder).isDir());
        }
        if (!*itFolder) {
            arSizes.append(g_nNoFolder);
        } else {
            const QFileInfo file(record.m_strDirectory + u'/' + record.m_strName);
            arSizes.append(file.isFile() ? file.size() : g_nNoFile);
        }
        ++nDone;
    }
    return arSizes;
}

CDriftCheck::SFound
CDriftCheck::FindRenames(const QList<SFileRecord>& arRecords, const QList<qint64>& arSizes,
                         const QHash<QString, SPictureFingerprint>& fingerprints, bool bAllFormats,
                         const std::atomic<bool>* pStop)
{
    auto stopped = [pStop] { return pStop && *pStop; };
    SFound found;
    QHash<QString, QSet<QString>> recordedNames; // of the folders that are there
    QList<SGoneFile> arGone;
    QList<qsizetype> arGoneRecords;
    QSet<qint64> setSizes; // of the gone files: only new files of these sizes are read
    for (qsizetype i = 0; i < arSizes.size(); ++i) {
        const SFileRecord& record = arRecords[i];
        if (arSizes[i] == g_nNoFolder)
            continue;
        recordedNames[record.m_strDirectory].insert(record.m_strName);
        const QString strPath = record.m_strDirectory + u'/' + record.m_strName;
        const auto itPrint = fingerprints.constFind(strPath);
        if (arSizes[i] == g_nNoFile) {
            SGoneFile gone{record.m_strDirectory, record.m_strName, record.m_dtDate, record.m_nSize,
                           itPrint == fingerprints.cend() ? SPictureFingerprint() : *itPrint};
            setSizes.insert(gone.m_fingerprint.IsValid() ? gone.m_fingerprint.m_nSize
                                                         : record.m_nSize);
            arGone.append(gone);
            arGoneRecords.append(i);
        } else if (itPrint == fingerprints.cend() && !stopped()) {
            // Recorded before fingerprints were kept: learnt while it is here.
            const SPictureFingerprint print = PictureFingerprint(strPath);
            if (print.IsValid()) {
                found.m_arUnprinted.append(record);
                found.m_arPrints.append(print);
            }
        }
    }
    if (arGone.isEmpty() || stopped())
        return found;
    QList<SNewFile> arNew;
    for (auto it = recordedNames.cbegin(); it != recordedNames.cend() && !stopped(); ++it) {
        QStringList arPaths;
        ListPictureFiles(it.key().isEmpty() ? QStringLiteral("/") : it.key(), arPaths, QString(),
                         bAllFormats);
        for (const QString& strPath : std::as_const(arPaths)) {
            const QFileInfo file(strPath);
            if (it->contains(file.fileName()) || !setSizes.contains(file.size()))
                continue;
            arNew.append({it.key(), file.fileName(), PictureFingerprint(strPath)});
        }
    }
    // Half the new files could make a match look unique that is not.
    if (stopped())
        return found;
    for (const SRenameMatch& match : MatchRenames(arGone, arNew)) {
        const SNewFile& file = arNew[match.m_nNew];
        found.m_arRenamed.append({arGoneRecords[match.m_nGone], file.m_strDirectory, file.m_strName,
                                  file.m_fingerprint, match.m_bByFingerprint});
    }
    return found;
}

void CDriftCheck::Start(QList<SFileRecord> arRecords,
                        QHash<QString, SPictureFingerprint> fingerprints, bool bAllFormats)
{
    if (m_pThread)
        return;
    m_arRecords = std::move(arRecords);
    m_bStop = false;
    m_nDone = 0;
    // The thread reads its own copy; the texts are shared, never changed.
    m_pThread = QThread::create([this, arRecords = m_arRecords,
                                 fingerprints = std::move(fingerprints), bAllFormats]() mutable {
        const QList<qint64> arSizes = DiskSizes(arRecords, m_bStop, m_nDone);
        // A stopped check reports what it found missing, as it was.
        SFound found;
        if (!m_bStop)
            found = FindRenames(arRecords, arSizes, fingerprints, bAllFormats, &m_bStop);
        // Freed here: the window's thread would stop for a large database's.
        fingerprints = {};
        QMetaObject::invokeMethod(
            this, [this, arSizes, found] { OnThreadDone(arSizes, found); }, Qt::QueuedConnection);
    });
    m_pThread->start();
}

int CDriftCheck::Percent() const
{
    return m_arRecords.isEmpty() ? 0 : int(qint64(100) * m_nDone / m_arRecords.size());
}

void CDriftCheck::OnThreadDone(const QList<qint64>& arSizes, const SFound& found)
{
    m_pThread->wait();
    delete m_pThread;
    m_pThread = nullptr;
    if (!found.m_arUnprinted.isEmpty())
        emit FingerprintsFound(found.m_arUnprinted, found.m_arPrints);
    const QList<SDriftRow> arRows = DriftReport(m_arRecords, arSizes, found.m_arRenamed);
    const int nRecords = int(m_arRecords.size());
    m_arRecords.clear();
    emit Finished(arRows, int(arSizes.size()), nRecords);
}
