#pragma once

#include <QObject>

class TestResources : public QObject
{
    Q_OBJECT
private slots:
    void menuBarTitles_data();
    void menuBarTitles();
    void menusShowTheirItemsAndSeparators_data();
    void menusShowTheirItemsAndSeparators();
    void toolBarButtonsInOrder();
    void everyCommandShownHasAPrompt();
    void programCommandsPromptAndTip_data();
    void programCommandsPromptAndTip();
    void acceleratorsReachTheirCommands_data();
    void acceleratorsReachTheirCommands();
    void stringsAndIcons();
    void malformedResourcesAreRefused();
};
