#pragma once

#include <QObject>
#include <QUrl>

// Stands in for the desktop's web browser.
class CUrlRecorder : public QObject
{
    Q_OBJECT
public slots:
    void open(const QUrl& url) { m_arUrls << url; }

public:
    QList<QUrl> m_arUrls;
};

class TestPictureCommands : public QObject
{
    Q_OBJECT
private slots:
    void picturePanesFollowTheActiveWindow();
    void pictureInformationShowsCameraData();
    void droppedPictureAndFolderOpen();
    void openFolderShowsItsMosaic();
    void closeAllAndCtrlW();
};
