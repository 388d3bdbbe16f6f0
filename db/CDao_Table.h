#pragma once

#include "db/CDao_TableInfo.h"

#include <QString>

class CDaoDatabase;
class CDaoTableDef;
class QComboBox;
class QTableView;

// The one database object of the run: opens "Photos.mdb" (creating it with
// table "PHOTOS" when no such file exists) and runs the queries on it.
// Queries raise CDaoException where noted; callers catch it.
class CDao_Table
{
public:
    CDao_Table();
    ~CDao_Table();
    CDao_Table(const CDao_Table&) = delete;
    CDao_Table& operator=(const CDao_Table&) = delete;

    // Opens the database, or creates it when there is no file or an empty one
    // (what an interrupted first start leaves), after removing the hidden
    // files such a start leaves. An existing file is never
    // changed: when it is not a usable photo database, or can only be read,
    // says so once in a message box. True when the records can be used.
    bool Connect();
    bool OpenDatabase(QString strFileName, bool bCreate, bool bReportFailure);
    bool OpenTableDef(QString strTableName, bool bCreate);
    bool AppendField(QString strName, int nType, int nSize, int nAttributes);
    // Builds the new database beside the file name and moves it into place
    // whole, never over a file that appeared meanwhile (that one is opened
    // instead). Engine errors of the index and the table raise CDaoException.
    bool CreateTable(CDao_TableInfo& tableInfo);

    // Whether the database is open, without a message. It is open only when
    // it holds the photo table the program needs.
    bool IsDatabaseOpen() const;
    // Whether records can be added and changed, without a message.
    bool IsDatabaseWritable() const;
    // For every database command: true when the database is open, otherwise
    // shows UnavailableMessage() in a message box and returns false.
    bool CheckDatabase();
    // The same for commands that write: also refuses, with ReadOnlyMessage(),
    // a database that can only be read.
    bool CheckDatabaseWritable();
    // Names the database file and why it is not open.
    QString UnavailableMessage() const;
    // Names the database file and why it can not be changed.
    QString ReadOnlyMessage() const;

    // The number of records; 0 for an empty table. Every other engine error
    // (a damaged file, a missing table, a closed database) raises
    // CDaoException with the engine's description, for the caller to show.
    int CountRecords(QString strTableName);
    // Adds the distinct non-empty values of a text column in ascending order
    // and selects the first; an empty result leaves the combo box as it was.
    // Engine errors raise CDaoException.
    void FillDistinct(QComboBox* pComboBox, QString strColumn);
    // Stores Theme and Comment of the record with that key. A text longer
    // than its field is refused with a message, as is every engine error.
    bool SaveRecord(qint64 nID, QString strTheme, QString strComment);
    // Deletes the records behind the list's selected rows, after asking when
    // bConfirm, and removes those rows. The records go in one transaction:
    // after an engine error (raised as CDaoException) none is gone and the
    // list is as it was.
    void DeleteSelected(QTableView* pList, CDao_TableInfo& tableInfo, bool bDelete, bool bConfirm);

    QString m_strSQL;
    CDao_TableInfo m_TableInfo;
    CDaoDatabase* m_pCDaoDatabase;
    CDaoTableDef* m_pCDaoTableDef;

private:
    bool OpenExisting(const QString& strFile);
    void CheckTable();
    void CheckWritable();

    QString m_strProblem;  // why the database is not open, when Connect knows
    QString m_strReadOnly; // why it can not be changed; empty when it can
};
