#pragma once

#include <QObject>

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
};
