#pragma once

#include "common/TestBackend.h"

#include <QObject>

// The database object's queries: counting, reading, saving and deleting
// records, on the file and, where the engines agree, on a server.
class TestDaoTable : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase_data();
    void init();
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

private:
    CTestBackend m_backend;
};
