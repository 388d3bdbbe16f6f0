#pragma once

#include <QObject>

class CDao_Table;
class CTestWorkspace;

// The dialect's parsing and LIKE patterns, without a database.
class TestJetSql : public QObject
{
    Q_OBJECT
private slots:
    void parseStatement_data();
    void parseStatement();
    void malformed_data();
    void malformed();
    void dateLiteral_data();
    void dateLiteral();
    void likePattern_data();
    void likePattern();
    void escapedTextMatchesItself_data();
    void escapedTextMatchesItself();
};

// Statements and criteria run on SQLite through the engine layer.
class TestDaoEngine : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void criterionMeaning_data();
    void criterionMeaning();
    void orderAndGroup();
    void movingAndCount();
    void findAndDelete();
    void dynasetPages();
    void fieldValues();
    void limitsAndTypesRefused_data();
    void limitsAndTypesRefused();
    void unknownNamesRaise_data();
    void unknownNamesRaise();

private:
    CTestWorkspace* m_pWorkspace = nullptr;
    CDao_Table* m_pTable = nullptr;
};

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

// Adding a folder's pictures as photo records.
class TestPictureImport : public QObject
{
    Q_OBJECT
private slots:
    void importsFolder();
    void reimportAddsNothing();
    void longNamesSkipped();
    void closedDatabaseAddsNothing();
};
