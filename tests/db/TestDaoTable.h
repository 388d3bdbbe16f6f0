#pragma once

#include <QObject>

// The database object's queries: counting, reading, saving and deleting records.
class TestDaoTable : public QObject
{
    Q_OBJECT
private slots:
    void countRecords_data();
    void countRecords();
    void distinctValues_data();
    void distinctValues();
    void readRecords_data();
    void readRecords();
    void saveRecord_data();
    void saveRecord();
    void deleteRecords();
    void verifyDatabaseChangesNothing();
    void closedDatabase();
};
