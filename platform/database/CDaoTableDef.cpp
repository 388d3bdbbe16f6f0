#include "platform/database/CDaoTableDef.h"

#include "platform/database/CDaoDatabase.h"
#include "platform/database/CDaoException.h"
#include "platform/database/JetSql.h"

#include <QRegularExpression>
#include <QSqlError>
#include <QSqlQuery>

#include <algorithm>

namespace {

// How each field type is declared; Open reads the same words back. A
// server's keys are 64 bits and its dates hold the wall clock, no zone.
QString DeclaredType(const CDaoFieldInfo& field, bool bServer)
{
    switch (field.m_nType) {
    case dbLong:
        return bServer ? QStringLiteral("BIGINT") : QStringLiteral("INTEGER");
    case dbDate:
        return bServer ? QStringLiteral("TIMESTAMP WITHOUT TIME ZONE") : QStringLiteral("DATETIME");
    default:
        return QStringLiteral("VARCHAR(%1)").arg(field.m_lSize);
    }
}

CDaoFieldInfo FieldFromDeclaration(const QString& strName, const QString& strDeclared)
{
    CDaoFieldInfo field;
    field.m_strName = strName;
    const QString strType = strDeclared.toUpper();
    if (strType.contains(QLatin1String("INT"))) {
        field.m_nType = dbLong;
        field.m_lSize = 4;
    } else if (strType.contains(QLatin1String("DATE")) || strType.contains(QLatin1String("TIME"))) {
        field.m_nType = dbDate;
        field.m_lSize = 8;
    } else {
        // Text of a table made elsewhere may have no limit: size 0.
        static const QRegularExpression reSize(QStringLiteral("\\(\\s*(\\d+)\\s*\\)"));
        field.m_nType = dbText;
        field.m_lSize = reSize.match(strType).captured(1).toLong();
    }
    return field;
}

// SQLite's own tables: reading them shows its workings, and writing them
// corrupts the file.
void RefuseSqliteTable(const QString& strName)
{
    if (strName.startsWith(QLatin1String("sqlite_"), Qt::CaseInsensitive))
        throw CDaoException(
            QStringLiteral("Table \"%1\" belongs to SQLite itself and can not be used.")
                .arg(DaoExcerpt(strName)));
}

QString Unquote(QString strName)
{
    if (strName.size() >= 2 && strName.startsWith(u'"') && strName.endsWith(u'"'))
        strName =
            strName.mid(1, strName.size() - 2).replace(QLatin1String("\"\""), QLatin1String("\""));
    return strName;
}

QString IndexColumns(const CDaoIndexInfo& index)
{
    QStringList ar;
    for (const CDaoIndexFieldInfo& field : index.m_arFields)
        ar.append(JetQuoteName(field.m_strName) +
                  (field.m_bDescending ? QStringLiteral(" DESC") : QString()));
    return ar.join(QStringLiteral(", "));
}

// A table's columns as SQLite declares them.
struct STableColumns
{
    QList<CDaoFieldInfo> arFields;
    QStringList arKeyFields;  // the primary key's, in key order
    bool bIntegerKey = false; // a single INTEGER primary key: the row id
};

STableColumns ReadColumns(QSqlQuery& query, const QString& strTable)
{
    if (!query.exec(QStringLiteral("PRAGMA table_info(%1)").arg(JetQuoteName(strTable))))
        ThrowSqlError(query.lastError());
    STableColumns columns;
    QList<QPair<int, QString>> arKey;
    while (query.next()) {
        const QString strType = query.value(QStringLiteral("type")).toString();
        const CDaoFieldInfo field =
            FieldFromDeclaration(query.value(QStringLiteral("name")).toString(), strType);
        const int nKey = query.value(QStringLiteral("pk")).toInt();
        if (nKey > 0) {
            arKey.append({nKey, field.m_strName});
            if (strType.compare(QLatin1String("INTEGER"), Qt::CaseInsensitive) == 0)
                columns.bIntegerKey = true;
        }
        columns.arFields.append(field);
    }
    std::sort(arKey.begin(), arKey.end());
    for (const auto& key : std::as_const(arKey))
        columns.arKeyFields.append(key.second);
    if (columns.arKeyFields.size() != 1)
        columns.bIntegerKey = false;
    return columns;
}

// A record is addressed by its integer key; without one by the row id, under
// one of its three names that no column hides.
QString RecordKey(const STableColumns& columns, const QString& strCreate)
{
    if (columns.bIntegerKey)
        return columns.arKeyFields[0];
    static const QRegularExpression reWithoutRowid(QStringLiteral("\\bWITHOUT\\s+ROWID\\b"),
                                                   QRegularExpression::CaseInsensitiveOption);
    if (reWithoutRowid.match(strCreate).hasMatch())
        return QString();
    for (const char* pszRowid : {"rowid", "_rowid_", "oid"}) {
        const bool bHidden = std::any_of(
            columns.arFields.cbegin(), columns.arFields.cend(), [pszRowid](const CDaoFieldInfo& f) {
                return f.m_strName.compare(QLatin1String(pszRowid), Qt::CaseInsensitive) == 0;
            });
        if (!bHidden)
            return QLatin1String(pszRowid);
    }
    return QString();
}

CDaoIndexInfo PrimaryIndex(const QStringList& arKeyFields, const QString& strCreate)
{
    static const QRegularExpression reName(
        QStringLiteral("CONSTRAINT\\s+(\"(?:[^\"]|\"\")*\"|\\S+)\\s+PRIMARY\\s+KEY"),
        QRegularExpression::CaseInsensitiveOption);
    CDaoIndexInfo index;
    index.m_strName = Unquote(reName.match(strCreate).captured(1));
    index.m_bPrimary = index.m_bUnique = index.m_bRequired = true;
    for (const QString& strField : arKeyFields)
        index.m_arFields.append({strField, false});
    return index;
}

// The indexes made by CREATE INDEX, with their key columns in order.
QList<CDaoIndexInfo> ReadOtherIndexes(QSqlQuery& query, const QString& strTable)
{
    if (!query.exec(QStringLiteral("PRAGMA index_list(%1)").arg(JetQuoteName(strTable))))
        ThrowSqlError(query.lastError());
    QList<CDaoIndexInfo> arIndexes;
    while (query.next()) {
        if (query.value(QStringLiteral("origin")).toString() != QLatin1String("c"))
            continue;
        CDaoIndexInfo index;
        index.m_strName = query.value(QStringLiteral("name")).toString();
        index.m_bUnique = query.value(QStringLiteral("unique")).toInt() != 0;
        arIndexes.append(index);
    }
    for (CDaoIndexInfo& index : arIndexes) {
        if (!query.exec(
                QStringLiteral("PRAGMA index_xinfo(%1)").arg(JetQuoteName(index.m_strName))))
            ThrowSqlError(query.lastError());
        while (query.next()) {
            if (query.value(QStringLiteral("key")).toInt() == 1)
                index.m_arFields.append({query.value(QStringLiteral("name")).toString(),
                                         query.value(QStringLiteral("desc")).toInt() != 0});
        }
    }
    return arIndexes;
}

// A table on a PostgreSQL server, as its catalogue describes it; the table's
// spelling of its name, or empty when the schema holds no such table.
QString ReadServerTable(QSqlQuery& query, const QString& strName, STableColumns* pColumns,
                        bool* pIdentityKey, QString* pKeyName)
{
    query.prepare(QStringLiteral("SELECT table_name FROM information_schema.tables WHERE "
                                 "table_schema = current_schema() AND table_type = 'BASE TABLE' "
                                 "AND lower(table_name) = lower(?) ORDER BY table_name"));
    query.addBindValue(strName);
    if (!query.exec())
        ThrowSqlError(query.lastError());
    if (!query.next())
        return QString();
    const QString strTable = query.value(0).toString();
    query.prepare(QStringLiteral(
        "SELECT column_name, data_type, character_maximum_length, is_identity FROM "
        "information_schema.columns WHERE table_schema = current_schema() AND table_name = ? "
        "ORDER BY ordinal_position"));
    query.addBindValue(strTable);
    if (!query.exec())
        ThrowSqlError(query.lastError());
    QSet<QString> setIdentity;
    while (query.next()) {
        const QString strType = query.value(1).toString();
        const QString strSize = query.value(2).isNull() ? QString() : query.value(2).toString();
        CDaoFieldInfo field = FieldFromDeclaration(
            query.value(0).toString(),
            strType + (strSize.isEmpty() ? QString() : QStringLiteral("(%1)").arg(strSize)));
        if (query.value(3).toString() == QLatin1String("YES"))
            setIdentity.insert(field.m_strName);
        pColumns->arFields.append(field);
    }
    query.prepare(QStringLiteral(
        "SELECT c.constraint_name, k.column_name FROM information_schema.table_constraints c "
        "JOIN information_schema.key_column_usage k ON k.constraint_schema = c.constraint_schema "
        "AND k.constraint_name = c.constraint_name AND k.table_name = c.table_name "
        "WHERE c.table_schema = current_schema() AND c.table_name = ? "
        "AND c.constraint_type = 'PRIMARY KEY' ORDER BY k.ordinal_position"));
    query.addBindValue(strTable);
    if (!query.exec())
        ThrowSqlError(query.lastError());
    while (query.next()) {
        *pKeyName = query.value(0).toString();
        pColumns->arKeyFields.append(query.value(1).toString());
    }
    pColumns->bIntegerKey = false;
    *pIdentityKey = false;
    if (pColumns->arKeyFields.size() == 1) {
        for (const CDaoFieldInfo& field : std::as_const(pColumns->arFields)) {
            if (field.m_strName == pColumns->arKeyFields[0] && field.m_nType == dbLong) {
                pColumns->bIntegerKey = true;
                *pIdentityKey = setIdentity.contains(field.m_strName);
            }
        }
    }
    return strTable;
}

} // namespace

CDaoTableDef::CDaoTableDef(CDaoDatabase* pDatabase)
    : m_pDatabase(pDatabase)
{
}

void CDaoTableDef::Create(const QString& strName, long, const QString&, const QString&)
{
    // Attributes, source table and connect string belong to attached tables,
    // which this engine does not have.
    Close();
    if (strName.trimmed().isEmpty())
        throw CDaoException(QStringLiteral("A table needs a name."));
    RefuseSqliteTable(strName);
    m_strName = strName;
    m_bNew = true;
    m_bOpen = true;
}

void CDaoTableDef::Close()
{
    m_strName.clear();
    m_strRecordKey.clear();
    m_arFields.clear();
    m_arIndexes.clear();
    m_bOpen = false;
    m_bNew = false;
}

void CDaoTableDef::RequireNew(const char* pszWhat) const
{
    if (!m_bOpen || !m_bNew)
        throw CDaoException(
            QStringLiteral("%1 needs a new table definition that is not yet appended.")
                .arg(QLatin1String(pszWhat)));
}

int CDaoTableDef::FindField(const QString& strName) const
{
    for (int i = 0; i < m_arFields.size(); ++i) {
        if (m_arFields[i].m_strName.compare(strName, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

void CDaoTableDef::CreateField(const QString& strName, int nType, long lSize, long lAttributes)
{
    RequireNew("CreateField");
    if (strName.trimmed().isEmpty())
        throw CDaoException(QStringLiteral("A field needs a name."));
    if (FindField(strName) >= 0)
        throw CDaoException(
            QStringLiteral("Field \"%1\" is already in table \"%2\".").arg(strName, m_strName));
    CDaoFieldInfo field;
    field.m_strName = strName;
    field.m_nType = nType;
    field.m_lAttributes = lAttributes;
    switch (nType) {
    case dbLong:
        field.m_lSize = 4;
        break;
    case dbDate:
        field.m_lSize = 8;
        break;
    case dbText:
        if (lSize < 1 || lSize > 255)
            throw CDaoException(
                QStringLiteral("Text field \"%1\" needs a size of 1 to 255 characters, not %2.")
                    .arg(strName)
                    .arg(lSize));
        field.m_lSize = lSize;
        break;
    default:
        throw CDaoException(QStringLiteral("Field \"%1\" has type %2, which is not supported.")
                                .arg(strName)
                                .arg(nType));
    }
    if ((lAttributes & ~long(dbAutoIncrField)) != 0 ||
        ((lAttributes & dbAutoIncrField) && nType != dbLong))
        throw CDaoException(
            QStringLiteral("Field \"%1\" has attributes %2, which are not supported for its type.")
                .arg(strName)
                .arg(lAttributes));
    m_arFields.append(field);
}

void CDaoTableDef::CreateIndex(const CDaoIndexInfo& indexInfo)
{
    RequireNew("CreateIndex");
    if (indexInfo.m_strName.trimmed().isEmpty() || indexInfo.m_arFields.isEmpty())
        throw CDaoException(QStringLiteral("An index needs a name and at least one field."));
    for (const CDaoIndexInfo& index : std::as_const(m_arIndexes)) {
        if (index.m_strName.compare(indexInfo.m_strName, Qt::CaseInsensitive) == 0)
            throw CDaoException(QStringLiteral("Index \"%1\" is already in table \"%2\".")
                                    .arg(indexInfo.m_strName, m_strName));
        if (index.m_bPrimary && indexInfo.m_bPrimary)
            throw CDaoException(
                QStringLiteral("Table \"%1\" can have one primary index only.").arg(m_strName));
    }
    for (const CDaoIndexFieldInfo& field : indexInfo.m_arFields) {
        if (FindField(field.m_strName) < 0)
            throw CDaoException(
                QStringLiteral("Index \"%1\" names field \"%2\", which is not in table \"%3\".")
                    .arg(indexInfo.m_strName, field.m_strName, m_strName));
    }
    m_arIndexes.append(indexInfo);
}

// A single whole-number primary key becomes SQLite's row id, the only column
// that can count up by itself: its field number, or -1.
int CDaoTableDef::RowidField(const CDaoIndexInfo* pPrimary) const
{
    if (!pPrimary || pPrimary->m_arFields.size() != 1)
        return -1;
    const int nField = FindField(pPrimary->m_arFields[0].m_strName);
    return m_arFields[nField].m_nType == dbLong ? nField : -1;
}

QStringList CDaoTableDef::CreateStatements() const
{
    const CDaoIndexInfo* pPrimary = nullptr;
    QSet<int> setRequired;
    for (const CDaoIndexInfo& index : std::as_const(m_arIndexes)) {
        if (index.m_bPrimary)
            pPrimary = &index;
        if (index.m_bRequired || index.m_bPrimary)
            for (const CDaoIndexFieldInfo& field : index.m_arFields)
                setRequired.insert(FindField(field.m_strName));
    }
    const int nRowidField = RowidField(pPrimary);
    const bool bServer = m_pDatabase && m_pDatabase->IsServer();

    QStringList arColumns;
    for (int i = 0; i < m_arFields.size(); ++i) {
        const CDaoFieldInfo& field = m_arFields[i];
        QString strColumn = JetQuoteName(field.m_strName) + u' ' + DeclaredType(field, bServer);
        if (i == nRowidField)
            strColumn +=
                QStringLiteral(" CONSTRAINT %1 PRIMARY KEY").arg(JetQuoteName(pPrimary->m_strName));
        if (field.m_lAttributes & dbAutoIncrField) {
            if (i != nRowidField)
                throw CDaoException(
                    QStringLiteral("The counting field \"%1\" must be the single field of "
                                   "the primary index.")
                        .arg(field.m_strName));
            strColumn += bServer ? QStringLiteral(" GENERATED BY DEFAULT AS IDENTITY")
                                 : QStringLiteral(" AUTOINCREMENT");
        }
        if (setRequired.contains(i))
            strColumn += QStringLiteral(" NOT NULL");
        if (field.m_nType == dbText)
            strColumn += QStringLiteral(" CHECK (length(%1) <= %2)")
                             .arg(JetQuoteName(field.m_strName))
                             .arg(field.m_lSize);
        arColumns.append(strColumn);
    }
    if (pPrimary && nRowidField < 0)
        arColumns.append(QStringLiteral("CONSTRAINT %1 PRIMARY KEY (%2)")
                             .arg(JetQuoteName(pPrimary->m_strName), IndexColumns(*pPrimary)));

    QStringList arStatements{
        QStringLiteral("CREATE TABLE %1 (%2)")
            .arg(JetQuoteName(m_strName), arColumns.join(QStringLiteral(", ")))};
    for (const CDaoIndexInfo& index : std::as_const(m_arIndexes)) {
        if (!index.m_bPrimary)
            arStatements.append(QStringLiteral("CREATE %1INDEX %2 ON %3 (%4)")
                                    .arg(index.m_bUnique ? QStringLiteral("UNIQUE ") : QString(),
                                         JetQuoteName(index.m_strName), JetQuoteName(m_strName),
                                         IndexColumns(index)));
    }
    return arStatements;
}

void CDaoTableDef::Append()
{
    RequireNew("Append");
    if (!m_pDatabase || !m_pDatabase->IsOpen())
        throw CDaoException(
            QCoreApplication::translate("CDaoDatabase", "The database is not open."));
    if (m_arFields.isEmpty())
        throw CDaoException(QStringLiteral("Table \"%1\" has no fields.").arg(m_strName));
    const QStringList arStatements = CreateStatements();

    // All or nothing: a table without its indexes never reaches the file.
    m_pDatabase->BeginTrans();
    try {
        for (const QString& strSql : arStatements)
            m_pDatabase->Execute(strSql);
        m_pDatabase->CommitTrans();
    } catch (...) {
        // A failing rollback must not hide the error that made it necessary.
        try {
            m_pDatabase->Rollback();
        } catch (...) {
        }
        throw;
    }
    m_bNew = false;
}

void CDaoTableDef::Open(const QString& strName)
{
    Close();
    RefuseSqliteTable(strName);
    if (!m_pDatabase || !m_pDatabase->IsOpen())
        throw CDaoException(
            QCoreApplication::translate("CDaoDatabase", "The database is not open."));
    QSqlQuery query(m_pDatabase->Connection());
    if (m_pDatabase->IsServer()) {
        OpenServerTable(query, strName);
        return;
    }
    query.prepare(
        QStringLiteral("SELECT name, sql FROM sqlite_master WHERE type = 'table' AND name = ? "
                       "COLLATE NOCASE"));
    query.addBindValue(strName);
    if (!query.exec())
        ThrowSqlError(query.lastError());
    if (!query.next())
        throw CDaoException(
            QStringLiteral("Table \"%1\" is not in the database.").arg(DaoExcerpt(strName)));
    const QString strTable = query.value(0).toString();
    const QString strCreate = query.value(1).toString();

    STableColumns columns = ReadColumns(query, strTable);
    static const QRegularExpression reAutoIncrement(QStringLiteral("\\bAUTOINCREMENT\\b"),
                                                    QRegularExpression::CaseInsensitiveOption);
    if (columns.bIntegerKey && reAutoIncrement.match(strCreate).hasMatch()) {
        for (CDaoFieldInfo& field : columns.arFields)
            if (field.m_strName == columns.arKeyFields[0])
                field.m_lAttributes |= dbAutoIncrField;
    }
    QList<CDaoIndexInfo> arIndexes;
    if (!columns.arKeyFields.isEmpty())
        arIndexes.append(PrimaryIndex(columns.arKeyFields, strCreate));
    arIndexes += ReadOtherIndexes(query, strTable);

    m_strName = strTable;
    m_strRecordKey = RecordKey(columns, strCreate);
    m_arFields = columns.arFields;
    m_arIndexes = arIndexes;
    m_bOpen = true;
}

void CDaoTableDef::OpenServerTable(QSqlQuery& query, const QString& strName)
{
    STableColumns columns;
    bool bIdentityKey = false;
    QString strKeyName;
    const QString strTable = ReadServerTable(query, strName, &columns, &bIdentityKey, &strKeyName);
    if (strTable.isEmpty())
        throw CDaoException(
            QStringLiteral("Table \"%1\" is not in the database.").arg(DaoExcerpt(strName)));
    if (bIdentityKey) {
        for (CDaoFieldInfo& field : columns.arFields)
            if (field.m_strName == columns.arKeyFields[0])
                field.m_lAttributes |= dbAutoIncrField;
    }
    m_arIndexes.clear();
    if (!columns.arKeyFields.isEmpty()) {
        CDaoIndexInfo index;
        index.m_strName = strKeyName;
        index.m_bPrimary = index.m_bUnique = index.m_bRequired = true;
        for (const QString& strField : std::as_const(columns.arKeyFields))
            index.m_arFields.append({strField, false});
        m_arIndexes.append(index);
    }
    m_strName = strTable;
    // Without a single whole-number key a server's rows can not be addressed.
    m_strRecordKey = columns.bIntegerKey ? columns.arKeyFields[0] : QString();
    m_arFields = columns.arFields;
    m_bOpen = true;
}

void CDaoTableDef::GetFieldInfo(int nIndex, CDaoFieldInfo& fieldInfo) const
{
    if (nIndex < 0 || nIndex >= m_arFields.size())
        throw CDaoException(
            QStringLiteral("Table \"%1\" has no field %2.").arg(m_strName).arg(nIndex));
    fieldInfo = m_arFields[nIndex];
}

void CDaoTableDef::GetIndexInfo(int nIndex, CDaoIndexInfo& indexInfo) const
{
    if (nIndex < 0 || nIndex >= m_arIndexes.size())
        throw CDaoException(
            QStringLiteral("Table \"%1\" has no index %2.").arg(m_strName).arg(nIndex));
    indexInfo = m_arIndexes[nIndex];
}
