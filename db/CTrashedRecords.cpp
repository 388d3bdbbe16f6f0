#include "db/CTrashedRecords.h"

#include "db/CFingerprintStore.h"
#include "platform/database/CDaoDatabase.h"
#include "platform/database/CEngineStatement.h"
#include "platform/database/JetSql.h"

namespace {

const QString g_strTable = QStringLiteral("TRASHED_RECORDS");

// The columns in the order of every statement here.
const char* const g_arColumns[] = {"Directory",  "Name",  "Extention", "Size",
                                   "RecordDate", "Theme", "Comment",   "FileSize",
                                   "FileDate",   "Hash",  "Trashed"};

QString Q(const char* szName)
{
    return JetQuoteName(QLatin1String(szName));
}

QString Columns()
{
    QStringList arNames;
    for (const char* szName : g_arColumns)
        arNames.append(Q(szName));
    return arNames.join(QStringLiteral(", "));
}

QString ColumnText(const CEngineStatement& statement, int nColumn)
{
    const QByteArrayView text = statement.Text(nColumn);
    return QString::fromUtf8(text.data(), text.size());
}

} // namespace

void CTrashedRecords::Ensure()
{
    m_pDatabase->Execute(
        QStringLiteral("CREATE TABLE IF NOT EXISTS %1 (%2 VARCHAR(255) NOT NULL, "
                       "%3 VARCHAR(255) NOT NULL, %4 VARCHAR(60), %5 VARCHAR(60), %6 VARCHAR(19), "
                       "%7 VARCHAR(150), %8 VARCHAR(150), %9 BIGINT, %10 VARCHAR(19), "
                       "%11 VARCHAR(64), %12 VARCHAR(19) NOT NULL)")
            .arg(JetQuoteName(g_strTable), Q("Directory"), Q("Name"), Q("Extention"), Q("Size"),
                 Q("RecordDate"), Q("Theme"), Q("Comment"), Q("FileSize"))
            .arg(Q("FileDate"), Q("Hash"), Q("Trashed")));
}

bool CTrashedRecords::Exists()
{
    return m_pDatabase->GetObjectKind(g_strTable) == CDaoDatabase::TableObject;
}

void CTrashedRecords::Add(const STrashedRecord& trashed, const QDateTime& dtNowUtc)
{
    const SPhotoRecord& record = trashed.m_record;
    const SPictureFingerprint& fingerprint = trashed.m_fingerprint;
    m_pDatabase->Execute(
        QStringLiteral("INSERT INTO %1 (%2) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)")
            .arg(JetQuoteName(g_strTable), Columns()),
        {record.m_strDirectory, record.m_strName, record.m_strExtension,
         QString::number(record.m_nSize), CFingerprintStore::DateText(record.m_dtDate),
         record.m_strTheme, record.m_strComment, fingerprint.m_nSize,
         CFingerprintStore::DateText(fingerprint.m_dtDate),
         QString::fromLatin1(fingerprint.m_hash.toHex()), CFingerprintStore::DateText(dtNowUtc)});
}

void CTrashedRecords::Prune(const QDateTime& dtNowUtc)
{
    // The stored times sort as text.
    m_pDatabase->Execute(
        QStringLiteral("DELETE FROM %1 WHERE %2 < ?").arg(JetQuoteName(g_strTable), Q("Trashed")),
        {CFingerprintStore::DateText(dtNowUtc.addDays(-kKeptDays))});
}

QList<STrashedRecord> CTrashedRecords::ReadFile(const QString& strDirectory, const QString& strName)
{
    QList<STrashedRecord> arTrashed;
    if (!Exists())
        return arTrashed;
    const auto pStatement = m_pDatabase->Query(
        QStringLiteral("SELECT %1 FROM %2 WHERE %3 = ? AND %4 = ? ORDER BY %5")
            .arg(Columns(), JetQuoteName(g_strTable), Q("Directory"), Q("Name"), Q("Trashed")),
        {strDirectory, strName});
    while (pStatement->Step()) {
        STrashedRecord trashed;
        SPhotoRecord& record = trashed.m_record;
        record.m_strDirectory = ColumnText(*pStatement, 0);
        record.m_strName = ColumnText(*pStatement, 1);
        record.m_strExtension = ColumnText(*pStatement, 2);
        record.m_nSize = ColumnText(*pStatement, 3).toLongLong();
        record.m_dtDate = CFingerprintStore::DateFromText(ColumnText(*pStatement, 4));
        record.m_strTheme = ColumnText(*pStatement, 5);
        record.m_strComment = ColumnText(*pStatement, 6);
        if (pStatement->Kind(7) == CEngineStatement::EKind::Integer) {
            trashed.m_fingerprint.m_nSize = pStatement->Integer(7);
            trashed.m_fingerprint.m_dtDate =
                CFingerprintStore::DateFromText(ColumnText(*pStatement, 8));
            trashed.m_fingerprint.m_hash = QByteArray::fromHex(pStatement->Text(9).toByteArray());
        }
        arTrashed.append(trashed);
    }
    return arTrashed;
}

QList<QString> CTrashedRecords::NamesIn(const QString& strDirectory)
{
    QList<QString> arNames;
    if (!Exists())
        return arNames;
    const auto pStatement =
        m_pDatabase->Query(QStringLiteral("SELECT DISTINCT %1 FROM %2 WHERE %3 = ?")
                               .arg(Q("Name"), JetQuoteName(g_strTable), Q("Directory")),
                           {strDirectory});
    while (pStatement->Step())
        arNames.append(ColumnText(*pStatement, 0));
    return arNames;
}

QList<STrashedRecord> CTrashedRecords::TakeFile(const QString& strDirectory, const QString& strName,
                                                const SPictureFingerprint& fingerprint)
{
    QList<STrashedRecord> arKept = ReadFile(strDirectory, strName);
    arKept.removeIf([&](const STrashedRecord& kept) {
        return !fingerprint.IsValid() || kept.m_fingerprint != fingerprint;
    });
    if (!arKept.isEmpty())
        m_pDatabase->Execute(
            QStringLiteral("DELETE FROM %1 WHERE %2 = ? AND %3 = ? AND %4 = ? AND %5 = ?")
                .arg(JetQuoteName(g_strTable), Q("Directory"), Q("Name"), Q("FileSize"), Q("Hash")),
            {strDirectory, strName, fingerprint.m_nSize,
             QString::fromLatin1(fingerprint.m_hash.toHex())});
    return arKept;
}
