#pragma once

#include <QBasicTimer>
#include <QObject>
#include <QSet>
#include <QString>
#include <QStringList>

class CFrameServices;

// Imports a folder's pictures into the photo database in steps of a few
// hundred, between which the window paints and takes keys, with the frame's
// progress bar over the message pane. Stops with its owner.
class CFolderImport : public QObject
{
    Q_OBJECT
public:
    CFolderImport() = default;
    // A run still going ends here; its bar goes too.
    ~CFolderImport() override;

    // Starts importing the folder's pictures; nothing when there is no
    // database (the start-up has told the user why) or no picture.
    void Start(CFrameServices* pFrame, const QString& strFolder);
    bool IsRunning() const { return m_timer.isActive(); }

signals:
    // The run ended early: what went wrong, for the window to tell.
    void Failed(const QString& strError);
    // At the end of a run in which records followed their renamed pictures;
    // strMessage (also put in the message pane) says how many.
    void RecordsFollowed(int nRecords, const QString& strMessage);

public:
    // "1 record followed its renamed picture", and the like for more.
    static QString FollowedMessage(int nRecords);

protected:
    void timerEvent(QTimerEvent* pEvent) override;

private:
    void Step();
    void End();

    CFrameServices* m_pFrame = nullptr;
    QString m_strFolder;
    QStringList m_arPictures;
    QSet<QString> m_setNames; // of m_arPictures
    int m_nImported = 0;
    int m_nFollowed = 0;
    QBasicTimer m_timer;
};
