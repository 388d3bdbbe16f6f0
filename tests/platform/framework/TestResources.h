#pragma once

#include <QObject>

class TestResources : public QObject
{
    Q_OBJECT
private slots:
    void menusHaveTheirItemsAndSeparators_data();
    void menusHaveTheirItemsAndSeparators();
    void toolBarHasThirteenButtonsInGroups();
    void acceleratorsAndPrompts();
    void malformedResourcesAreRefused();
};
