#pragma once

#include "platform/CDaoTableDef.h"

#include <QHash>
#include <QList>
#include <QSet>
#include <QSqlQuery>
#include <QString>
#include <QVariant>

#include <memory>

class CDaoDatabase;

// Open type that leaves the choice to the engine: a dynaset.
inline constexpr int AFX_DAO_USE_DEFAULT_TYPE = -1;

// The rows of one SELECT statement of the engine's dialect, read at Open and
// walked with a current row. A statement over whole rows of one table (no
// GROUP BY) can also find rows by a criterion, delete, edit and add records;
// those changes reach the file at once. Errors raise CDaoException.
class CDaoRecordset
{
public:
    explicit CDaoRecordset(CDaoDatabase* pDatabase);
    ~CDaoRecordset();
    CDaoRecordset(const CDaoRecordset&) = delete;
    CDaoRecordset& operator=(const CDaoRecordset&) = delete;

    void Open(int nOpenType = AFX_DAO_USE_DEFAULT_TYPE, const QString& strSQL = QString(),
              int nOptions = 0);
    void Close();
    bool IsOpen() const { return m_bOpen; }

    // Both are true on an empty recordset; the current row is the first after Open.
    bool IsBOF() const;
    bool IsEOF() const;
    // Moving in an empty recordset, or past the end, raises "No current record."
    void MoveFirst();
    void MoveNext();
    void MoveLast();
    // Every row is read at Open, so the count is complete at once.
    long GetRecordCount() const;

    // dbLong gives int, dbDate a QDateTime (the stored text when it is no
    // date), dbText a QString; a null field gives a null QVariant.
    QVariant GetFieldValue(const QString& strName) const;
    QVariant GetFieldValue(int nIndex) const;
    int GetFieldCount() const { return int(m_arFields.size()); }
    void GetFieldInfo(int nIndex, CDaoFieldInfo& fieldInfo) const;

    // Moves to the first / next row that meets the criterion and returns true;
    // leaves the current row where it was and returns false when none does.
    bool FindFirst(const QString& strCriteria);
    bool FindNext(const QString& strCriteria);
    // Deletes the current record from the table at once.
    void Delete();

    // AddNew or Edit, then SetFieldValue for the fields to change, then Update.
    // A text longer than its field, or a value of the wrong type, is refused.
    void AddNew();
    void Edit();
    void SetFieldValue(const QString& strName, const QVariant& value);
    void Update();
    void CancelUpdate();

    // A criterion applied at Open, as a WHERE clause of the statement.
    QString m_strFilter;

private:
    enum class EditMode { None, AddNew, Edit };

    void RequireOpen() const;
    void RequireCurrent() const;
    void RequireTable(const char* pszWhat) const;
    int FieldIndex(const QString& strName) const;
    bool FindFrom(qsizetype nStart, const QString& strCriteria);
    QVariant ToStorage(const CDaoFieldInfo& field, const QVariant& value) const;

    CDaoDatabase* m_pDatabase;
    bool m_bOpen = false;
    bool m_bWholeRows = false;
    QString m_strTable;
    QList<CDaoFieldInfo> m_arFields;     // the recordset's columns
    QHash<QString, int> m_mapFieldIndex; // lower-case name to column
    QList<QVariant> m_arValues;          // row after row, m_arFields.size() per row
    QList<qint64> m_arRowIds;            // per row, for whole-row recordsets
    QList<bool> m_arDeleted;
    qsizetype m_nRows = 0;
    qsizetype m_nCurrent = 0; // -1 before the first row, m_nRows past the last
    long m_nDeleted = 0;

    QString m_strFindCriteria; // the criterion whose matches are cached
    QSet<qint64> m_setFindMatches;

    EditMode m_nEditMode = EditMode::None;
    QHash<int, QVariant> m_mapPending; // column to value to store
    std::unique_ptr<QSqlQuery> m_pInsert;
    QString m_strInsertSql;
};
