#pragma once

#include "platform/framework/CListView.h"
#include "platform/framework/CProgressCtrl.h"
#include "table/CDriftRowModel.h"

#include <QTimer>

class CDriftCheck;
class CFrameServices;

// The window of Database > Check Database: looks at the disk for every
// record off the user-interface thread, then lists where records and files
// disagree, and repairs the records on request. It never touches a file.
class CListView_Drift : public CListView
{
    Q_OBJECT
public:
    CListView_Drift();
    ~CListView_Drift() override;

    void OnInitialUpdate() override;
    CDriftRowModel* RowModel() { return &m_model; }
    bool IsChecking() const;
    // Escape does the same.
    void StopCheck();

protected:
    void OnRemoveRecords();
    void OnFollowRenames();
    void OnLocateFolder();
    void OnUpdateSizes();

    void keyPressEvent(QKeyEvent* pEvent) override;

private:
    void SetUpList();
    void CloseWindow();
    void OnCheckFinished(const QList<SDriftRow>& arRows, int nChecked, int nRecords);
    void OnRecordsDeleted(const QList<qint64>& arKeys);
    void OnFingerprintsFound(const QList<SFileRecord>& arRecords,
                             const QList<SPictureFingerprint>& arPrints);
    // Before records of gone folders go: true when the user still wants
    // that, told that a disk unplugged would lose them with their texts.
    bool ConfirmUnpluggedDisk(const QList<int>& arRows);
    // The rows a repair acts on: the selected ones of those kinds, or every
    // one of them when none is selected.
    QList<int> RowsOfKinds(const QList<EDrift>& arKinds) const;
    void DropKeys(const QList<qint64>& arKeys);
    // The message pane sums up what is left to repair.
    void ShowSummary();

    CDriftRowModel m_model;
    CDriftCheck* m_pCheck;
    CProgressCtrl m_wndProgress;
    QTimer m_progressTimer;
    QString m_strStopped; // how far a stopped check came
    CFrameServices* m_pMainFrame;
};
