#pragma once

#include "browse/FolderDiff.h"

#include <QFileSystemWatcher>
#include <QFuture>
#include <QFutureWatcher>
#include <QObject>
#include <QTimer>

// The pictures of one folder as every window on it shows them: listed on a
// worker thread and listed again when the folder changes on disk, for as long
// as the model lives (while a window holds it). Never writes anything.
class CFolderModel : public QObject
{
    Q_OBJECT
public:
    // How long changes on disk are gathered before the folder is listed again.
    static constexpr int kSettleMs = 250;
    // How soon a new file is looked at again: shown once its size and time
    // stayed the same over that while.
    static constexpr int kRelookMs = 100;

    // Starts watching the folder and listing it on a worker.
    CFolderModel(const QString& strFolder, bool bAllFormats);
    ~CFolderModel() override;

    const QString& Folder() const { return m_strFolder; }
    bool AllFormats() const { return m_bAllFormats; }
    bool IsListed() const { return m_bListed; }
    // Waits for the first listing only as long as the user-interface thread
    // may wait for a worker; true once it is in.
    bool WaitListed();
    // The full paths in the listing's order; empty until listed.
    QStringList Pictures() const;

signals:
    // The first listing is in.
    void Listed();
    // A later listing differs from the one before.
    void Changed(const SFolderDiff& diff);
    // Any listing has been taken in, changed or not.
    void Scanned();

private:
    void OnDirectoryChanged();
    void StartScan();
    void TakeScan(quint64 nScan, const QList<SFolderEntry>& arScan);

    QString m_strFolder;
    bool m_bAllFormats = false;
    QFileSystemWatcher m_watcher;
    QTimer m_timerSettle;
    QFuture<QList<SFolderEntry>> m_scan;
    QFutureWatcher<QList<SFolderEntry>> m_watchScan;
    quint64 m_nScan = 0;  // scans started
    quint64 m_nTaken = 0; // the last scan taken in
    bool m_bScanAgain = false;
    bool m_bListed = false;
    // What windows show, and the last scan, files still being written included.
    QList<SFolderEntry> m_arShown;
    QList<SFolderEntry> m_arLastScan;
};
