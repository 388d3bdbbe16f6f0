#pragma once

#include "platform/database/CDaoTableDef.h"
#include "platform/database/JetSql.h"

#include <QByteArrayView>
#include <QHash>
#include <QList>
#include <QSet>
#include <QSqlQuery>
#include <QString>
#include <QVariant>

#include <memory>
#include <vector>

class CDaoDatabase;
class CEngineStatement;

// Open type that leaves the choice to the engine: a dynaset.
inline constexpr int AFX_DAO_USE_DEFAULT_TYPE = -1;
// Open option: the rows are read once, front to back, straight from the
// engine as MoveNext reaches them; the fastest way through many records.
// Such a recordset only moves forward and changes nothing.
inline constexpr int dbForwardOnly = 0x100;

// The rows of one SELECT statement of the engine's dialect, walked with a
// current row. A statement over whole records of one table ('*', no GROUP BY)
// gives a dynaset: Open reads the records' keys in the statement's order, and
// the records themselves are read by key, a page at a time, when visited; it
// can also find records by a criterion, delete, edit and add them, and those
// changes reach the file at once. Other statements are read whole at Open,
// or a row at a time when opened forward-only.
// Errors raise CDaoException.
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
    // Every key is read at Open, so the count is complete at once.
    long GetRecordCount() const;

    // dbLong gives qint64 (keys of a table made elsewhere may need 64 bits),
    // dbDate a QDateTime (the stored text when it is no date), dbText a
    // QString; a null field gives a null QVariant.
    QVariant GetFieldValue(const QString& strName);
    QVariant GetFieldValue(int nIndex);
    // The current row's field without a value made of it, for reading many
    // rows: the UTF-8 bytes of a field SQLite holds as text (valid until the
    // next move), the number of one it holds as an integer; false for any
    // other value, which GetFieldValue reads.
    bool GetFieldText(int nIndex, QByteArrayView* pText);
    bool GetFieldInteger(int nIndex, qint64* pValue);
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
    // Added records are not part of the open recordset.
    void AddNew();
    void Edit();
    void SetFieldValue(const QString& strName, const QVariant& value);
    void Update();
    void CancelUpdate();

    // A criterion applied at Open, as a WHERE clause of the statement.
    QString m_strFilter;

private:
    enum class EditMode { None, AddNew, Edit };

    // One field of one row as SQLite gave it: text lies in m_arText.
    struct CCell
    {
        qint64 nValue;  // integer, bits of a real, or offset of the text
        qint32 nLength; // bytes of text, or one of the kinds below
    };
    enum CellKind : qint32 { CellNull = -1, CellInteger = -2, CellReal = -3 };

    void RequireOpen() const;
    void RequireCurrent();
    void RequireDynaset(const char* pszWhat) const;
    void RequireScrollable(const char* pszWhat) const;
    const CCell& CurrentField(int nIndex);
    void ReadForward();
    int FieldIndex(const QString& strName) const;
    bool FindFrom(qsizetype nStart, const QString& strCriteria);

    void ReadResult(CEngineStatement& statement);
    // How criteria on these fields are written for the open database.
    SJetTarget Target(const QList<CDaoFieldInfo>& arFields) const;
    void LoadPage(qsizetype nRow);
    qsizetype LiveRow(qsizetype nRow, int nStep);
    void ReadCells(const CEngineStatement& statement, int nFirstColumn, qsizetype nSlot);
    CCell& CurrentCell(int nIndex);
    CCell MakeCell(const QVariant& value);
    QVariant CellValue(const CCell& cell) const;

    CDaoDatabase* m_pDatabase;
    bool m_bOpen = false;
    bool m_bDynaset = false;
    QString m_strTable;
    QString m_strKey;                    // the column that addresses a record, quoted
    QList<CDaoFieldInfo> m_arFields;     // the recordset's columns
    QHash<QString, int> m_mapFieldIndex; // lower-case name to column
    QList<qint64> m_arRowIds;            // a dynaset's keys, in the statement's order
    QList<bool> m_arDeleted;
    qsizetype m_nRows = 0;
    qsizetype m_nCurrent = 0; // -1 before the first row, m_nRows past the last
    long m_nDeleted = 0;

    // The rows read so far: m_nCacheRows rows from m_nCacheFirst on, each of
    // m_arFields.size() cells (all rows when the recordset is no dynaset).
    std::vector<CCell> m_arCells;
    QByteArray m_arText; // UTF-8 of every text cell
    qsizetype m_nCacheFirst = 0;
    qsizetype m_nCacheRows = 0;

    QString m_strFindCriteria; // the criterion whose matches are cached
    QSet<qint64> m_setFindMatches;
    QHash<qint64, qsizetype> m_mapPositions; // key to row, built by the first find

    EditMode m_nEditMode = EditMode::None;
    QHash<int, QVariant> m_mapPending; // column to value to store
    std::unique_ptr<QSqlQuery> m_pInsert;
    QString m_strInsertSql;
    std::unique_ptr<CEngineStatement> m_pForward; // the statement of a forward-only recordset
};
