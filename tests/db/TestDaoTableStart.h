#pragma once

#include <QObject>

// The database object's start: making, checking and opening Photos.mdb, what
// the user is told about it, and a file that changes while the program runs.
class TestDaoTableStart : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void firstStartCreatesSchema();
    void secondStartChangesNothing();
    void startUpMessages_data();
    void startUpMessages();
    void emptyFileReplaced();
    void leftoversRemoved_data();
    void leftoversRemoved();
    void writeFailsAtFirstStart_data();
    void writeFailsAtFirstStart();
    void permissionsAtStart_data();
    void permissionsAtStart();
    void fileChangedWhileRunning_data();
    void fileChangedWhileRunning();
    void networkFileSystems_data();
    void networkFileSystems();
};
