#pragma once

#include <QObject>

class TestCommandRouting : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void firstHandlerOnRouteRuns();
    void actionsFollowTheActiveWindow();
    void updateHandlerDisablesAndChecks();
    void menuFollowsActiveTemplate();
    void closeAndNewWindowKeepDocumentAlive();
    void documentTitlesAreNumbered();
};
