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

class TestMainFrame : public QObject
{
    Q_OBJECT
private slots:
    void firstRunTakesDefaultPlacement();
    void placementRoundTrip();
    void maximizedRoundTrip();
    void emptyStoredRectangleIsIgnored_data();
    void emptyStoredRectangleIsIgnored();
    void menusFollowTheActiveChild();
    void commandStatesFollowTheActiveChild_data();
    void commandStatesFollowTheActiveChild();
    void keysReachCommands();
    void hoveredMenuItemPromptsInMessagePane();
    void promptGivesBackTheTextItCovered();
    void showTableOpensANewWindowEachTime();
    void openingAnOpenFileActivatesItsWindow();
    void recentFilesSurviveARestart();
    void allPictureFormatsIsKept();
    void aboutBoxAndHelp();
    void databaseOpensWithTheFrame();
    void unusableDatabaseIsReportedOnce();
    void picturePanesFollowTheActiveWindow();
    void pictureInformationShowsCameraData();
    void droppedPictureAndFolderOpen();
    void openFolderShowsItsMosaic();
    void closeAllAndCtrlW();
};
