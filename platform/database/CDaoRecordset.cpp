#include "platform/database/CDaoRecordset.h"

#include "platform/database/CDaoDatabase.h"
#include "platform/database/CDaoException.h"
#include "platform/database/CEngineStatement.h"
#include "platform/database/FieldStorage.h"
#include "platform/database/JetDate.h"
#include "platform/database/JetSql.h"

#include <QDateTime>
#include <QSqlError>

#include <algorithm>
#include <cstring>
#include <limits>

namespace {

// Records read per page of a dynaset: large enough that one query serves
// many moves, small enough that the memory is reused, not grown.
constexpr qsizetype g_nPageRows = 1000;

[[noreturn]] void ThrowNoCurrentRecord()
{
    throw CDaoException(CDaoDatabase::tr("No current record."));
}

// An opened table's fields by name. SQLite would read an unknown name in
// quotes as text, so every name is checked here and the table's own spelling
// used.
class CTableFields
{
public:
    explicit CTableFields(const CDaoTableDef& tableDef)
        : m_strTable(tableDef.GetName())
    {
        for (int i = 0; i < tableDef.GetFieldCount(); ++i) {
            CDaoFieldInfo field;
            tableDef.GetFieldInfo(i, field);
            m_mapIndex.insert(field.m_strName.toLower(), i);
            if (field.m_nType == dbText)
                m_setTextColumns.insert(field.m_strName.toLower());
            else if (field.m_nType == dbDate)
                m_setDateColumns.insert(field.m_strName.toLower());
            m_arFields.append(field);
        }
    }

    const QList<CDaoFieldInfo>& All() const { return m_arFields; }
    const QSet<QString>& TextColumns() const { return m_setTextColumns; }
    const QSet<QString>& DateColumns() const { return m_setDateColumns; }

    const CDaoFieldInfo& Resolve(const QString& strName) const
    {
        const int nIndex = m_mapIndex.value(strName.toLower(), -1);
        if (nIndex < 0)
            throw CDaoException(CDaoDatabase::tr("Field \"%1\" is not in table \"%2\".")
                                    .arg(DaoExcerpt(strName), m_strTable));
        return m_arFields[nIndex];
    }

private:
    QString m_strTable;
    QList<CDaoFieldInfo> m_arFields;
    QHash<QString, int> m_mapIndex;
    QSet<QString> m_setTextColumns;
    QSet<QString> m_setDateColumns;
};

} // namespace

CDaoRecordset::CDaoRecordset(CDaoDatabase* pDatabase)
    : m_pDatabase(pDatabase)
{
}

CDaoRecordset::~CDaoRecordset()
{
    Close();
}

void CDaoRecordset::Open(int, const QString& strSQL, int nOptions)
{
    // Open types and options choose among the engine's cursors; there is one here.
    Close();
    if (!m_pDatabase || !m_pDatabase->IsOpen())
        throw CDaoException(CDaoDatabase::tr("The database is not open."));
    const CJetSelect select = JetParseSelect(strSQL);
    CDaoTableDef tableDef(m_pDatabase);
    tableDef.Open(select.strTable);
    const CTableFields table(tableDef);

    CJetSelect resolved = select;
    resolved.strTable = tableDef.GetName();
    if (select.arColumns.isEmpty()) {
        m_arFields = table.All();
    } else {
        for (QString& strName : resolved.arColumns) {
            m_arFields.append(table.Resolve(strName));
            strName = m_arFields.last().m_strName;
        }
    }
    for (QString& strName : resolved.arGroupBy)
        strName = table.Resolve(strName).m_strName;
    for (CJetOrder& order : resolved.arOrderBy)
        order.strName = table.Resolve(order.strName).m_strName;
    const SJetTarget target = Target(table.All());
    CJetCriterion filter;
    if (!m_strFilter.isEmpty()) {
        filter = JetTranslateCriterion(m_strFilter, target);
        for (const QString& strName : std::as_const(filter.arNames))
            table.Resolve(strName);
    }

    const bool bForwardOnly = nOptions & dbForwardOnly;
    m_bDynaset = select.arColumns.isEmpty() && select.arGroupBy.isEmpty() && !bForwardOnly;
    // Whole records read straight through: their fields by name, not their keys.
    if (bForwardOnly && resolved.arColumns.isEmpty() && resolved.arGroupBy.isEmpty()) {
        for (const CDaoFieldInfo& field : std::as_const(m_arFields))
            resolved.arColumns.append(field.m_strName);
    }
    if (m_bDynaset && tableDef.GetRecordKey().isEmpty())
        throw CDaoException(
            CDaoDatabase::tr(
                "The records of table \"%1\" can not be told apart: it has no INTEGER "
                "PRIMARY KEY field, and its fields take every name of SQLite's row id.")
                .arg(tableDef.GetName()));
    std::unique_ptr<CEngineStatement> pStatement = m_pDatabase->Query(
        JetSelectSql(resolved, m_strFilter.isEmpty() ? nullptr : &filter, table.TextColumns(),
                     tableDef.GetRecordKey(), target.eDialect, table.DateColumns()),
        filter.arValues);
    for (int i = 0; i < m_arFields.size(); ++i)
        m_mapFieldIndex.insert(m_arFields[i].m_strName.toLower(), i);
    m_nCurrent = 0;
    if (bForwardOnly) {
        // One row at a time, in cells that each move overwrites.
        m_pForward = std::move(pStatement);
        m_arCells.assign(m_arFields.size(), CCell{0, CellNull});
        m_arDeleted.fill(false, 1);
        m_nCacheRows = 1;
        ReadForward();
    } else {
        ReadResult(*pStatement);
    }
    m_strTable = tableDef.GetName();
    m_strKey = JetQuoteName(tableDef.GetRecordKey());
    m_bOpen = true;
}

SJetTarget CDaoRecordset::Target(const QList<CDaoFieldInfo>& arFields) const
{
    SJetTarget target;
    target.eDialect = m_pDatabase->IsServer() ? EJetDialect::Postgres : EJetDialect::Sqlite;
    for (const CDaoFieldInfo& field : arFields)
        target.mapNames.insert(field.m_strName.toLower(), field.m_strName);
    return target;
}

void CDaoRecordset::ReadForward()
{
    m_arText.resize(0); // keeps its buffer for the next row
    if (m_pForward->Step()) {
        ReadCells(*m_pForward, 0, 0);
        m_nRows = 1;
        m_nCurrent = 0;
    } else if (m_nRows > 0) {
        m_nCurrent = m_nRows; // past the last row
    }
}

void CDaoRecordset::ReadResult(CEngineStatement& statement)
{
    // A dynaset keeps the keys and reads its records a page at a time; a
    // snapshot holds every value.
    if (m_bDynaset) {
        while (statement.Step())
            m_arRowIds.append(statement.Integer(0));
        m_nRows = m_arRowIds.size();
    } else {
        while (statement.Step()) {
            m_arCells.resize(m_arCells.size() + m_arFields.size());
            ReadCells(statement, 0, m_nRows++);
        }
        m_nCacheRows = m_nRows;
    }
    m_arDeleted.fill(false, m_nRows);
}

void CDaoRecordset::Close()
{
    m_bOpen = false;
    m_bDynaset = false;
    m_strTable.clear();
    m_strKey.clear();
    m_arFields.clear();
    m_mapFieldIndex.clear();
    m_arRowIds.clear();
    m_arDeleted.clear();
    m_nRows = 0;
    m_nCurrent = 0;
    m_nDeleted = 0;
    m_arCells.clear();
    m_arText.clear();
    m_nCacheFirst = 0;
    m_nCacheRows = 0;
    m_strFindCriteria.clear();
    m_setFindMatches.clear();
    m_mapPositions.clear();
    m_nEditMode = EditMode::None;
    m_mapPending.clear();
    m_pInsert.reset();
    m_strInsertSql.clear();
    m_pForward.reset();
}

void CDaoRecordset::ReadCells(const CEngineStatement& statement, int nFirstColumn, qsizetype nSlot)
{
    const qsizetype nColumns = m_arFields.size();
    CCell* pCell = &m_arCells[nSlot * nColumns];
    for (int i = nFirstColumn; i < nFirstColumn + nColumns; ++i, ++pCell) {
        switch (statement.Kind(i)) {
        case CEngineStatement::EKind::Null:
            *pCell = {0, CellNull};
            break;
        case CEngineStatement::EKind::Integer:
            *pCell = {statement.Integer(i), CellInteger};
            break;
        case CEngineStatement::EKind::Real: {
            const double dValue = statement.Real(i);
            qint64 nBits;
            std::memcpy(&nBits, &dValue, sizeof(nBits));
            *pCell = {nBits, CellReal};
            break;
        }
        case CEngineStatement::EKind::Text: {
            const QByteArrayView text = statement.Text(i);
            *pCell = {m_arText.size(), qint32(text.size())};
            m_arText.append(text);
        }
        }
    }
}

void CDaoRecordset::LoadPage(qsizetype nRow)
{
    const qsizetype nFirst = nRow - nRow % g_nPageRows;
    const qsizetype nCount = std::min(g_nPageRows, m_nRows - nFirst);
    QHash<qint64, qsizetype> mapSlots;
    mapSlots.reserve(nCount);
    qint64 nLow = std::numeric_limits<qint64>::max();
    qint64 nHigh = std::numeric_limits<qint64>::min();
    for (qsizetype i = 0; i < nCount; ++i) {
        const qint64 nKey = m_arRowIds[nFirst + i];
        mapSlots.insert(nKey, i);
        nLow = std::min(nLow, nKey);
        nHigh = std::max(nHigh, nKey);
    }
    // Keys close together (the usual listing by key) are read as one range;
    // scattered keys one by one.
    const QString strTable = JetQuoteName(m_strTable);
    QString strSql;
    QVariantList arKeys;
    // Unsigned, since keys at both ends of 64 bits lie further apart than qint64 holds.
    if (quint64(nHigh) - quint64(nLow) < quint64(4 * nCount)) {
        strSql =
            QStringLiteral("SELECT %1, * FROM %2 WHERE %1 BETWEEN ? AND ?").arg(m_strKey, strTable);
        arKeys = {nLow, nHigh};
    } else {
        strSql = QStringLiteral("SELECT %1, * FROM %2 WHERE %1 IN (%3)")
                     .arg(m_strKey, strTable, QStringList(nCount, QStringLiteral("?")).join(u','));
        for (qsizetype i = 0; i < nCount; ++i)
            arKeys.append(m_arRowIds[nFirst + i]);
    }
    m_arCells.assign(nCount * m_arFields.size(), CCell{0, CellNull});
    m_arText.clear();
    m_nCacheRows = 0; // an error below leaves no half-read page behind
    std::vector<bool> arFound(nCount, false);
    const std::unique_ptr<CEngineStatement> pStatement = m_pDatabase->Query(strSql, arKeys);
    while (pStatement->Step()) {
        const qsizetype nSlot = mapSlots.value(pStatement->Integer(0), -1);
        if (nSlot < 0)
            continue;
        ReadCells(*pStatement, 1, nSlot);
        arFound[nSlot] = true;
    }
    // A record deleted since Open reads as deleted.
    for (qsizetype i = 0; i < nCount; ++i) {
        if (!arFound[i] && !m_arDeleted[nFirst + i]) {
            m_arDeleted[nFirst + i] = true;
            ++m_nDeleted;
        }
    }
    m_nCacheFirst = nFirst;
    m_nCacheRows = nCount;
}

CDaoRecordset::CCell& CDaoRecordset::CurrentCell(int nIndex)
{
    if (m_nCurrent < m_nCacheFirst || m_nCurrent >= m_nCacheFirst + m_nCacheRows)
        LoadPage(m_nCurrent);
    RequireCurrent();
    return m_arCells[(m_nCurrent - m_nCacheFirst) * m_arFields.size() + nIndex];
}

void CDaoRecordset::RequireOpen() const
{
    if (!m_bOpen)
        throw CDaoException(QStringLiteral("The recordset is not open."));
}

void CDaoRecordset::RequireCurrent()
{
    RequireOpen();
    if (m_nCurrent < 0 || m_nCurrent >= m_nRows)
        ThrowNoCurrentRecord();
    if (m_arDeleted[m_nCurrent])
        throw CDaoException(CDaoDatabase::tr("Record is deleted."));
}

void CDaoRecordset::RequireDynaset(const char* pszWhat) const
{
    RequireOpen();
    if (!m_bDynaset)
        throw CDaoException(QStringLiteral("%1 needs a recordset of whole records of one table.")
                                .arg(QLatin1String(pszWhat)));
}

bool CDaoRecordset::IsBOF() const
{
    RequireOpen();
    return m_nRows == m_nDeleted || m_nCurrent < 0;
}

bool CDaoRecordset::IsEOF() const
{
    RequireOpen();
    return m_nRows == m_nDeleted || m_nCurrent >= m_nRows;
}

qsizetype CDaoRecordset::LiveRow(qsizetype nRow, int nStep)
{
    // A dynaset learns that a record was deleted elsewhere when it reads the
    // record's page; moving passes over such records as over its own deletes.
    for (; nRow >= 0 && nRow < m_nRows; nRow += nStep) {
        if (m_bDynaset && (nRow < m_nCacheFirst || nRow >= m_nCacheFirst + m_nCacheRows))
            LoadPage(nRow);
        if (!m_arDeleted[nRow])
            break;
    }
    return nRow;
}

void CDaoRecordset::RequireScrollable(const char* pszWhat) const
{
    RequireOpen();
    if (m_pForward)
        throw CDaoException(QStringLiteral("%1 needs a recordset that is not forward-only.")
                                .arg(QLatin1String(pszWhat)));
}

void CDaoRecordset::MoveFirst()
{
    RequireScrollable("MoveFirst");
    const qsizetype nRow = LiveRow(0, 1);
    if (nRow >= m_nRows)
        ThrowNoCurrentRecord();
    m_nCurrent = nRow;
}

void CDaoRecordset::MoveNext()
{
    if (IsEOF())
        ThrowNoCurrentRecord();
    if (m_pForward)
        ReadForward();
    else
        m_nCurrent = LiveRow(m_nCurrent + 1, 1);
}

void CDaoRecordset::MoveLast()
{
    RequireScrollable("MoveLast");
    const qsizetype nRow = LiveRow(m_nRows - 1, -1);
    if (nRow < 0)
        ThrowNoCurrentRecord();
    m_nCurrent = nRow;
}

long CDaoRecordset::GetRecordCount() const
{
    RequireScrollable("GetRecordCount");
    return long(m_nRows - m_nDeleted);
}

int CDaoRecordset::FieldIndex(const QString& strName) const
{
    const int nIndex = m_mapFieldIndex.value(strName.toLower(), -1);
    if (nIndex < 0)
        throw CDaoException(QStringLiteral("Item \"%1\" is not a field of the recordset.")
                                .arg(DaoExcerpt(strName)));
    return nIndex;
}

void CDaoRecordset::GetFieldInfo(int nIndex, CDaoFieldInfo& fieldInfo) const
{
    RequireOpen();
    if (nIndex < 0 || nIndex >= m_arFields.size())
        throw CDaoException(QStringLiteral("The recordset has no field %1.").arg(nIndex));
    fieldInfo = m_arFields[nIndex];
}

QVariant CDaoRecordset::GetFieldValue(const QString& strName)
{
    RequireOpen();
    return GetFieldValue(FieldIndex(strName));
}

const CDaoRecordset::CCell& CDaoRecordset::CurrentField(int nIndex)
{
    RequireCurrent();
    if (nIndex < 0 || nIndex >= m_arFields.size())
        throw CDaoException(QStringLiteral("The recordset has no field %1.").arg(nIndex));
    return CurrentCell(nIndex);
}

bool CDaoRecordset::GetFieldText(int nIndex, QByteArrayView* pText)
{
    const CCell& cell = CurrentField(nIndex);
    if (cell.nLength < 0)
        return false;
    *pText = QByteArrayView(m_arText.constData() + cell.nValue, cell.nLength);
    return true;
}

bool CDaoRecordset::GetFieldInteger(int nIndex, qint64* pValue)
{
    const CCell& cell = CurrentField(nIndex);
    if (cell.nLength != CellInteger)
        return false;
    *pValue = cell.nValue;
    return true;
}

QVariant CDaoRecordset::GetFieldValue(int nIndex)
{
    const QVariant value = CellValue(CurrentField(nIndex));
    if (value.isNull())
        return QVariant();
    switch (m_arFields[nIndex].m_nType) {
    case dbLong:
        return value.toLongLong();
    case dbDate: {
        QDateTime dateTime;
        if (JetDateFromStorage(value.toString(), &dateTime))
            return dateTime;
        return value;
    }
    default:
        return value.toString();
    }
}

bool CDaoRecordset::FindFirst(const QString& strCriteria)
{
    m_strFindCriteria.clear(); // a first find looks at the table afresh
    return FindFrom(0, strCriteria);
}

bool CDaoRecordset::FindNext(const QString& strCriteria)
{
    return FindFrom(std::max<qsizetype>(m_nCurrent + 1, 0), strCriteria);
}

bool CDaoRecordset::FindFrom(qsizetype nStart, const QString& strCriteria)
{
    RequireDynaset("Find");
    if (strCriteria != m_strFindCriteria) {
        // The criterion runs once in SQLite; the records it names are then
        // looked up in the recordset's own order.
        const CJetCriterion criterion = JetTranslateCriterion(strCriteria, Target(m_arFields));
        for (const QString& strName : criterion.arNames)
            FieldIndex(strName);
        const std::unique_ptr<CEngineStatement> pStatement =
            m_pDatabase->Query(QStringLiteral("SELECT %1 FROM %2 WHERE %3")
                                   .arg(m_strKey, JetQuoteName(m_strTable), criterion.strSql),
                               criterion.arValues);
        m_setFindMatches.clear();
        while (pStatement->Step())
            m_setFindMatches.insert(pStatement->Integer(0));
        m_strFindCriteria = strCriteria;
    }
    // The matches were read from the table just now, so every one of them
    // exists, unless this recordset deleted it since.
    if (m_setFindMatches.isEmpty() || nStart >= m_nRows)
        return false;

    qsizetype nFound = -1;
    if (m_setFindMatches.size() * 16 < m_nRows - nStart) {
        // Few matches (a key, as when deleting row after row): look them up.
        if (m_mapPositions.isEmpty()) {
            m_mapPositions.reserve(m_nRows);
            for (qsizetype i = 0; i < m_nRows; ++i)
                m_mapPositions.insert(m_arRowIds[i], i);
        }
        for (const qint64 nKey : std::as_const(m_setFindMatches)) {
            const qsizetype nRow = m_mapPositions.value(nKey, -1);
            if (nRow >= nStart && !m_arDeleted[nRow] && (nFound < 0 || nRow < nFound))
                nFound = nRow;
        }
    } else {
        for (qsizetype i = nStart; i < m_nRows && nFound < 0; ++i) {
            if (!m_arDeleted[i] && m_setFindMatches.contains(m_arRowIds[i]))
                nFound = i;
        }
    }
    if (nFound < 0)
        return false;
    m_nCurrent = nFound;
    return true;
}

void CDaoRecordset::Delete()
{
    RequireDynaset("Delete");
    RequireCurrent();
    m_pDatabase->Execute(
        QStringLiteral("DELETE FROM %1 WHERE %2 = ?").arg(JetQuoteName(m_strTable), m_strKey),
        {m_arRowIds[m_nCurrent]});
    m_arDeleted[m_nCurrent] = true;
    ++m_nDeleted;
}

void CDaoRecordset::AddNew()
{
    RequireDynaset("AddNew");
    m_nEditMode = EditMode::AddNew;
    m_mapPending.clear();
}

void CDaoRecordset::Edit()
{
    RequireDynaset("Edit");
    RequireCurrent();
    m_nEditMode = EditMode::Edit;
    m_mapPending.clear();
}

void CDaoRecordset::CancelUpdate()
{
    m_nEditMode = EditMode::None;
    m_mapPending.clear();
}

CDaoRecordset::CCell CDaoRecordset::MakeCell(const QVariant& value)
{
    switch (value.isNull() ? QMetaType::UnknownType : value.metaType().id()) {
    case QMetaType::UnknownType:
        return {0, CellNull};
    case QMetaType::Int:
    case QMetaType::LongLong:
        return {value.toLongLong(), CellInteger};
    default: {
        const QByteArray text = value.toString().toUtf8();
        const CCell cell{m_arText.size(), qint32(text.size())};
        m_arText.append(text);
        return cell;
    }
    }
}

QVariant CDaoRecordset::CellValue(const CCell& cell) const
{
    switch (cell.nLength) {
    case CellNull:
        return QVariant();
    case CellInteger:
        return cell.nValue;
    case CellReal: {
        double dValue;
        std::memcpy(&dValue, &cell.nValue, sizeof(dValue));
        return dValue;
    }
    default:
        return QString::fromUtf8(m_arText.constData() + cell.nValue, cell.nLength);
    }
}

void CDaoRecordset::SetFieldValue(const QString& strName, const QVariant& value)
{
    RequireOpen();
    if (m_nEditMode == EditMode::None)
        throw CDaoException(QStringLiteral("Call AddNew or Edit before setting a field."));
    const int nIndex = FieldIndex(strName);
    const CDaoFieldInfo& field = m_arFields[nIndex];
    if (field.m_lAttributes & dbAutoIncrField)
        throw CDaoException(
            QStringLiteral("Field \"%1\" is counted by the engine and can not be set.")
                .arg(field.m_strName));
    m_mapPending.insert(nIndex, FieldToStorage(field, value));
}

void CDaoRecordset::Update()
{
    RequireOpen();
    if (m_nEditMode == EditMode::None)
        throw CDaoException(QStringLiteral("Update without AddNew or Edit."));
    QList<int> arColumns = m_mapPending.keys();
    std::sort(arColumns.begin(), arColumns.end());
    QStringList arNames;
    QVariantList arValues;
    for (const int nColumn : std::as_const(arColumns)) {
        arNames.append(JetQuoteName(m_arFields[nColumn].m_strName));
        arValues.append(m_mapPending.value(nColumn));
    }
    const QString strTable = JetQuoteName(m_strTable);
    if (m_nEditMode == EditMode::AddNew) {
        // Adding runs many times in a row with the same fields: prepare once.
        const QString strSql = arNames.isEmpty()
                                   ? QStringLiteral("INSERT INTO %1 DEFAULT VALUES").arg(strTable)
                                   : QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                                         .arg(strTable, arNames.join(QStringLiteral(", ")),
                                              QStringList(arNames.size(), QStringLiteral("?"))
                                                  .join(QStringLiteral(", ")));
        if (!m_pInsert || m_strInsertSql != strSql) {
            m_pInsert = std::make_unique<QSqlQuery>(m_pDatabase->Connection());
            if (!m_pInsert->prepare(strSql)) {
                const QSqlError error = m_pInsert->lastError();
                m_pInsert.reset();
                ThrowSqlError(error);
            }
            m_strInsertSql = strSql;
        }
        for (int i = 0; i < arValues.size(); ++i)
            m_pInsert->bindValue(i, arValues[i]);
        if (!m_pInsert->exec())
            ThrowSqlError(m_pInsert->lastError());
    } else {
        RequireCurrent();
        if (!arNames.isEmpty()) {
            for (QString& strName : arNames)
                strName += QStringLiteral(" = ?");
            arValues.append(m_arRowIds[m_nCurrent]);
            m_pDatabase->Execute(QStringLiteral("UPDATE %1 SET %2 WHERE %3 = ?")
                                     .arg(strTable, arNames.join(QStringLiteral(", ")), m_strKey),
                                 arValues);
            // The cell first: reading its page replaces the page's text, so a
            // new cell's text may be added only once the page is in.
            for (const int nColumn : std::as_const(arColumns)) {
                CCell& cell = CurrentCell(nColumn);
                cell = MakeCell(m_mapPending.value(nColumn));
            }
        }
    }
    m_strFindCriteria.clear();
    CancelUpdate();
}
