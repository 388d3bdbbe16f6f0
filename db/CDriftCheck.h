#pragma once

#include "db/DriftReport.h"

#include <QHash>
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
    // the folders it finished. fingerprints (by Directory/Name) are those
    // kept; the pictures looked for as renamed files are those of the
    // listing with bAllFormats.
    void Start(QList<SFileRecord> arRecords, QHash<QString, SPictureFingerprint> fingerprints = {},
               bool bAllFormats = false);
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

    // What the disk work beyond the sizes found: records whose files are
    // renamed, and fingerprints of files whose records had none.
    struct SFound
    {
        QList<SRenamedFile> m_arRenamed;
        QList<SFileRecord> m_arUnprinted;
        QList<SPictureFingerprint> m_arPrints; // of m_arUnprinted
    };
    // Gives up, with what it found so far, once *pStop is set.
    static SFound FindRenames(const QList<SFileRecord>& arRecords, const QList<qint64>& arSizes,
                              const QHash<QString, SPictureFingerprint>& fingerprints,
                              bool bAllFormats, const std::atomic<bool>* pStop = nullptr);

signals:
    // Stopped when nChecked < nRecords.
    void Finished(const QList<SDriftRow>& arRows, int nChecked, int nRecords);
    // Before Finished: fingerprints for the records that had none, to keep.
    void FingerprintsFound(const QList<SFileRecord>& arRecords,
                           const QList<SPictureFingerprint>& arPrints);

private:
    void OnThreadDone(const QList<qint64>& arSizes, const SFound& found);

    QList<SFileRecord> m_arRecords;
    QThread* m_pThread = nullptr;
    std::atomic<bool> m_bStop{false};
    std::atomic<int> m_nDone{0};
};
