#pragma once

#include <QObject>

// The database object: start-up, its queries and saving a record.
class TestDaoTable : public QObject
{
    Q_OBJECT
private slots:
    void firstStartCreatesSchema();
    void secondStartChangesNothing();
    void unusableFileUntouched_data();
    void unusableFileUntouched();
    void readOnlyFolderUntouched_data();
    void readOnlyFolderUntouched();
    void countRecords();
    void fillDistinct();
    void fillDistinctEmpty();
    void saveRecord_data();
    void saveRecord();
    void closedDatabase();
};
