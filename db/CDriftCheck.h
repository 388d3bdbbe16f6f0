#pragma once

#include "db/DriftReport.h"

#include <QObject>

#include <atomic>
#include <memory>

class QThread;

// Looks at the disk for every record on a thread of its own, so that the
// windows stay usable through a check of a large database. Finished reaches
// the owner's thread; destroying the check stops it first.
class CDriftCheck : public QObject
{
    Q_OBJECT
public:
    explicit CDriftCheck(QObject* pParent = nullptr);
    ~CDriftCheck() override;

    // The records best come folder by folder, as a stopped check reports
    // the folders it finished.
    void Start(QList<SFileRecord> arRecords);
    // Asks the thread to stop; Finished follows with what it checked.
    void Stop() { m_bStop = true; }
    bool IsRunning() const { return m_pThread != nullptr; }
    // How far the check has come, 0 to 100.
    int Percent() const;

    // What the disk holds for each record, in order: a file size, g_nNoFile
    // or g_nNoFolder. Ends early, after a whole folder, once bStop is set;
    // nDone counts the records looked at.
    static QList<qint64> DiskSizes(const QList<SFileRecord>& arRecords,
                                   const std::atomic<bool>& bStop, std::atomic<int>& nDone);

signals:
    // Stopped when nChecked < nRecords.
    void Finished(const QList<SDriftRow>& arRows, int nChecked, int nRecords);

private:
    void OnThreadDone(const QList<qint64>& arSizes);

    QList<SFileRecord> m_arRecords;
    QThread* m_pThread = nullptr;
    std::atomic<bool> m_bStop{false};
    std::atomic<int> m_nDone{0};
};
