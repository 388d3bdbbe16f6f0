#pragma once

#include <QObject>

class TestStatusProgress : public QObject
{
    Q_OBJECT
private slots:
    void rectangleRule_data();
    void rectangleRule();
    void barLiesOverMessagePane();
    void everyCallRestartsTheBar();
    void barFollowsFrameResize();
    void closedOwnerLeavesNoActiveControl();
};
