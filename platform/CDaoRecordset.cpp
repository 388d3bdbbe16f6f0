#include "platform/CDaoRecordset.h"

#include "platform/CDaoDatabase.h"
#include "platform/CDaoException.h"
#include "platform/JetDate.h"
#include "platform/JetSql.h"

#include <QDateTime>
#include <QSqlError>

#include <algorithm>
#include <limits>

namespace {

[[noreturn]] void ThrowNoCurrentRecord()
{
    throw CDaoException(QStringLiteral("No current record."));
}

qsizetype CodePointCount(const QString& str)
{
    qsizetype n = str.size();
    for (const QChar c : str)
        n -= c.isLowSurrogate() ? 1 : 0;
    return n;
}

} // namespace

CDaoRecordset::CDaoRecordset(CDaoDatabase* pDatabase)
    : m_pDatabase(pDatabase)
{
}

CDaoRecordset::~CDaoRecordset()
{
    Close();
}

void CDaoRecordset::Open(int, const QString& strSQL, int)
{
    // Open types and options choose among the engine's cursors; there is one here.
    Close();
    if (!m_pDatabase || !m_pDatabase->IsOpen())
        throw CDaoException(QStringLiteral("The database is not open."));
    const CJetSelect select = JetParseSelect(strSQL);
    CDaoTableDef tableDef(m_pDatabase);
    tableDef.Open(select.strTable);

    QList<CDaoFieldInfo> arTable;
    QHash<QString, int> mapTable;
    QSet<QString> setTextColumns;
    for (int i = 0; i < tableDef.GetFieldCount(); ++i) {
        CDaoFieldInfo field;
        tableDef.GetFieldInfo(i, field);
        mapTable.insert(field.m_strName.toLower(), i);
        if (field.m_nType == dbText)
            setTextColumns.insert(field.m_strName.toLower());
        arTable.append(field);
    }
    // SQLite would read an unknown name in quotes as text, so every name is
    // checked here and the table's own spelling used.
    auto resolve = [&](const QString& strName) {
        const int nIndex = mapTable.value(strName.toLower(), -1);
        if (nIndex < 0)
            throw CDaoException(QStringLiteral("Field \"%1\" is not in table \"%2\".")
                                    .arg(strName, tableDef.GetName()));
        return arTable[nIndex];
    };
    CJetSelect resolved = select;
    resolved.strTable = tableDef.GetName();
    if (select.arColumns.isEmpty()) {
        m_arFields = arTable;
    } else {
        for (QString& strName : resolved.arColumns) {
            m_arFields.append(resolve(strName));
            strName = m_arFields.last().m_strName;
        }
    }
    for (QString& strName : resolved.arGroupBy)
        strName = resolve(strName).m_strName;
    for (CJetOrder& order : resolved.arOrderBy)
        order.strName = resolve(order.strName).m_strName;
    CJetCriterion filter;
    if (!m_strFilter.isEmpty()) {
        filter = JetTranslateCriterion(m_strFilter);
        for (const QString& strName : std::as_const(filter.arNames))
            resolve(strName);
    }

    QSqlQuery query(m_pDatabase->Connection());
    query.setForwardOnly(true);
    if (!query.prepare(
            JetSelectSql(resolved, m_strFilter.isEmpty() ? nullptr : &filter, setTextColumns)))
        ThrowSqlError(query.lastError());
    for (const QVariant& value : std::as_const(filter.arValues))
        query.addBindValue(value);
    if (!query.exec())
        ThrowSqlError(query.lastError());

    m_bWholeRows = select.arColumns.isEmpty() && select.arGroupBy.isEmpty();
    const int nFirst = m_bWholeRows ? 1 : 0;
    const int nColumns = int(m_arFields.size());
    while (query.next()) {
        if (m_bWholeRows)
            m_arRowIds.append(query.value(0).toLongLong());
        for (int i = 0; i < nColumns; ++i)
            m_arValues.append(query.value(nFirst + i));
        ++m_nRows;
    }
    if (query.lastError().isValid())
        ThrowSqlError(query.lastError());
    m_arDeleted.fill(false, m_nRows);
    for (int i = 0; i < nColumns; ++i)
        m_mapFieldIndex.insert(m_arFields[i].m_strName.toLower(), i);
    m_strTable = tableDef.GetName();
    m_nCurrent = 0;
    m_bOpen = true;
}

void CDaoRecordset::Close()
{
    m_bOpen = false;
    m_bWholeRows = false;
    m_strTable.clear();
    m_arFields.clear();
    m_mapFieldIndex.clear();
    m_arValues.clear();
    m_arRowIds.clear();
    m_arDeleted.clear();
    m_nRows = 0;
    m_nCurrent = 0;
    m_nDeleted = 0;
    m_strFindCriteria.clear();
    m_setFindMatches.clear();
    m_nEditMode = EditMode::None;
    m_mapPending.clear();
    m_pInsert.reset();
    m_strInsertSql.clear();
}

void CDaoRecordset::RequireOpen() const
{
    if (!m_bOpen)
        throw CDaoException(QStringLiteral("The recordset is not open."));
}

void CDaoRecordset::RequireCurrent() const
{
    RequireOpen();
    if (m_nCurrent < 0 || m_nCurrent >= m_nRows)
        ThrowNoCurrentRecord();
    if (m_arDeleted[m_nCurrent])
        throw CDaoException(QStringLiteral("Record is deleted."));
}

void CDaoRecordset::RequireTable(const char* pszWhat) const
{
    RequireOpen();
    if (!m_bWholeRows)
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

void CDaoRecordset::MoveFirst()
{
    RequireOpen();
    qsizetype i = 0;
    while (i < m_nRows && m_arDeleted[i])
        ++i;
    if (i >= m_nRows)
        ThrowNoCurrentRecord();
    m_nCurrent = i;
}

void CDaoRecordset::MoveNext()
{
    if (IsEOF())
        ThrowNoCurrentRecord();
    do
        ++m_nCurrent;
    while (m_nCurrent < m_nRows && m_arDeleted[m_nCurrent]);
}

void CDaoRecordset::MoveLast()
{
    RequireOpen();
    qsizetype i = m_nRows - 1;
    while (i >= 0 && m_arDeleted[i])
        --i;
    if (i < 0)
        ThrowNoCurrentRecord();
    m_nCurrent = i;
}

long CDaoRecordset::GetRecordCount() const
{
    RequireOpen();
    return long(m_nRows - m_nDeleted);
}

int CDaoRecordset::FieldIndex(const QString& strName) const
{
    const int nIndex = m_mapFieldIndex.value(strName.toLower(), -1);
    if (nIndex < 0)
        throw CDaoException(
            QStringLiteral("Item \"%1\" is not a field of the recordset.").arg(strName));
    return nIndex;
}

void CDaoRecordset::GetFieldInfo(int nIndex, CDaoFieldInfo& fieldInfo) const
{
    RequireOpen();
    if (nIndex < 0 || nIndex >= m_arFields.size())
        throw CDaoException(QStringLiteral("The recordset has no field %1.").arg(nIndex));
    fieldInfo = m_arFields[nIndex];
}

QVariant CDaoRecordset::GetFieldValue(const QString& strName) const
{
    RequireOpen();
    return GetFieldValue(FieldIndex(strName));
}

QVariant CDaoRecordset::GetFieldValue(int nIndex) const
{
    RequireCurrent();
    if (nIndex < 0 || nIndex >= m_arFields.size())
        throw CDaoException(QStringLiteral("The recordset has no field %1.").arg(nIndex));
    const QVariant& value = m_arValues[m_nCurrent * m_arFields.size() + nIndex];
    if (value.isNull())
        return QVariant();
    switch (m_arFields[nIndex].m_nType) {
    case dbLong:
        return value.toInt();
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
    return FindFrom(0, strCriteria);
}

bool CDaoRecordset::FindNext(const QString& strCriteria)
{
    return FindFrom(std::max<qsizetype>(m_nCurrent + 1, 0), strCriteria);
}

bool CDaoRecordset::FindFrom(qsizetype nStart, const QString& strCriteria)
{
    RequireTable("Find");
    if (strCriteria != m_strFindCriteria || m_strFindCriteria.isEmpty()) {
        // The criterion runs once in SQLite; the rows it names are then looked
        // up in the recordset's own order.
        const CJetCriterion criterion = JetTranslateCriterion(strCriteria);
        for (const QString& strName : criterion.arNames)
            FieldIndex(strName);
        QSqlQuery query(m_pDatabase->Connection());
        query.setForwardOnly(true);
        if (!query.prepare(QStringLiteral("SELECT rowid FROM %1 WHERE %2")
                               .arg(JetQuoteName(m_strTable), criterion.strSql)))
            ThrowSqlError(query.lastError());
        for (const QVariant& value : criterion.arValues)
            query.addBindValue(value);
        if (!query.exec())
            ThrowSqlError(query.lastError());
        m_setFindMatches.clear();
        while (query.next())
            m_setFindMatches.insert(query.value(0).toLongLong());
        if (query.lastError().isValid())
            ThrowSqlError(query.lastError());
        m_strFindCriteria = strCriteria;
    }
    if (m_setFindMatches.isEmpty())
        return false;
    for (qsizetype i = nStart; i < m_nRows; ++i) {
        if (!m_arDeleted[i] && m_setFindMatches.contains(m_arRowIds[i])) {
            m_nCurrent = i;
            return true;
        }
    }
    return false;
}

void CDaoRecordset::Delete()
{
    RequireTable("Delete");
    RequireCurrent();
    m_pDatabase->Execute(
        QStringLiteral("DELETE FROM %1 WHERE rowid = ?").arg(JetQuoteName(m_strTable)),
        {m_arRowIds[m_nCurrent]});
    m_arDeleted[m_nCurrent] = true;
    ++m_nDeleted;
}

void CDaoRecordset::AddNew()
{
    RequireTable("AddNew");
    m_nEditMode = EditMode::AddNew;
    m_mapPending.clear();
}

void CDaoRecordset::Edit()
{
    RequireTable("Edit");
    RequireCurrent();
    m_nEditMode = EditMode::Edit;
    m_mapPending.clear();
}

void CDaoRecordset::CancelUpdate()
{
    m_nEditMode = EditMode::None;
    m_mapPending.clear();
}

QVariant CDaoRecordset::ToStorage(const CDaoFieldInfo& field, const QVariant& value) const
{
    if (value.isNull())
        return QVariant();
    switch (field.m_nType) {
    case dbText: {
        const QString str = value.toString();
        const qsizetype nLength = CodePointCount(str);
        if (field.m_lSize > 0 && nLength > field.m_lSize)
            throw CDaoException(
                QStringLiteral("The text for field \"%1\" has %2 characters; the field "
                               "holds at most %3.")
                    .arg(field.m_strName)
                    .arg(nLength)
                    .arg(field.m_lSize));
        return str;
    }
    case dbLong: {
        bool bOk = false;
        const qlonglong n = value.toLongLong(&bOk);
        if (!bOk || n < std::numeric_limits<qint32>::min() ||
            n > std::numeric_limits<qint32>::max())
            throw CDaoException(
                QStringLiteral("Field \"%1\" holds whole numbers of 32 bits; \"%2\" is "
                               "not one.")
                    .arg(field.m_strName, value.toString()));
        return n;
    }
    case dbDate:
        if (value.metaType().id() == QMetaType::QDateTime && value.toDateTime().isValid())
            return JetDateToStorage(value.toDateTime());
        if (value.metaType().id() == QMetaType::QDate && value.toDate().isValid())
            return JetDateToStorage(value.toDate(), QTime(0, 0));
        throw CDaoException(QStringLiteral("Field \"%1\" holds dates; \"%2\" is not one.")
                                .arg(field.m_strName, value.toString()));
    default:
        return value;
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
    m_mapPending.insert(nIndex, ToStorage(field, value));
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
            m_pDatabase->Execute(QStringLiteral("UPDATE %1 SET %2 WHERE rowid = ?")
                                     .arg(strTable, arNames.join(QStringLiteral(", "))),
                                 arValues);
            for (const int nColumn : std::as_const(arColumns))
                m_arValues[m_nCurrent * m_arFields.size() + nColumn] = m_mapPending.value(nColumn);
        }
    }
    m_strFindCriteria.clear();
    CancelUpdate();
}
