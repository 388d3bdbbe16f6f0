#include "db/CDriftCheck.h"

#include <QFileInfo>
#include <QHash>
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

void CDriftCheck::Start(QList<SFileRecord> arRecords)
{
    if (m_pThread)
        return;
    m_arRecords = std::move(arRecords);
    m_bStop = false;
    m_nDone = 0;
    // The thread reads its own copy; the texts are shared, never changed.
    m_pThread = QThread::create([this, arRecords = m_arRecords] {
        const QList<qint64> arSizes = DiskSizes(arRecords, m_bStop, m_nDone);
        QMetaObject::invokeMethod(
            this, [this, arSizes] { OnThreadDone(arSizes); }, Qt::QueuedConnection);
    });
    m_pThread->start();
}

int CDriftCheck::Percent() const
{
    return m_arRecords.isEmpty() ? 0 : int(qint64(100) * m_nDone / m_arRecords.size());
}

void CDriftCheck::OnThreadDone(const QList<qint64>& arSizes)
{
    m_pThread->wait();
    delete m_pThread;
    m_pThread = nullptr;
    const QList<SDriftRow> arRows = DriftReport(m_arRecords, arSizes);
    const int nRecords = int(m_arRecords.size());
    m_arRecords.clear();
    emit Finished(arRows, int(arSizes.size()), nRecords);
}
