#pragma once

#include <QObject>

// The database object: start-up, its queries and saving a record.
class TestDaoTable : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void firstStartCreatesSchema();
    void secondStartChangesNothing();
    void startUpMessages_data();
    void startUpMessages();
    void emptyFileReplaced();
    void writeFailsAtFirstStart_data();
    void writeFailsAtFirstStart();
    void permissionsAtStart_data();
    void permissionsAtStart();
    void countRecords_data();
    void countRecords();
    void distinctValues_data();
    void distinctValues();
    void readRecords_data();
    void readRecords();
    void saveRecord_data();
    void saveRecord();
    void deleteRecords();
    void leftoversRemoved_data();
    void leftoversRemoved();
    void fileChangedWhileRunning_data();
    void fileChangedWhileRunning();
    void closedDatabase();
};
