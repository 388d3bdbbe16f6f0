#include "db/CFingerprintStore.h"

#include "db/CImportedFiles.h"

#include "platform/database/CDaoDatabase.h"
#include "platform/database/CEngineStatement.h"
#include "platform/database/JetSql.h"

#include <QSqlError>

namespace {

const QString g_strTable = QStringLiteral("PICTURE_FINGERPRINTS");

QString Q(const char* szName)
{
    return JetQuoteName(QLatin1String(szName));
}

QString ColumnText(const CEngineStatement& statement, int nColumn)
{
    const QByteArrayView text = statement.Text(nColumn);
    return QString::fromUtf8(text.data(), text.size());
}

SPictureFingerprint ColumnsFingerprint(const CEngineStatement& statement, int nFirst)
{
    SPictureFingerprint fingerprint;
    fingerprint.m_nSize = statement.Integer(nFirst);
    // Whole seconds of the wall clock, read as if it were UTC.
    fingerprint.m_dtDate = QDateTime::fromSecsSinceEpoch(statement.Integer(nFirst + 1), Qt::UTC);
    fingerprint.m_hash = QByteArray::fromHex(statement.Text(nFirst + 2).toByteArray());
    return fingerprint;
}

} // namespace

CFingerprintStore::CFingerprintStore(CDaoDatabase* pDatabase)
    : m_pDatabase(pDatabase)
    , m_store(pDatabase->Connection())
{
}

void CFingerprintStore::Ensure()
{
    // Names compare as the file system does: letter case counts.
    m_pDatabase->Execute(QStringLiteral("CREATE TABLE IF NOT EXISTS %1 (%2 VARCHAR(255) NOT NULL, "
                                        "%3 VARCHAR(255) NOT NULL, %4 BIGINT NOT NULL, "
                                        "%5 BIGINT NOT NULL, %6 VARCHAR(64) NOT NULL, "
                                        "PRIMARY KEY (%2, %3))")
                             .arg(JetQuoteName(g_strTable), Q("Directory"), Q("Name"),
                                  Q("FileSize"), Q("FileDate"), Q("Hash")));
}

bool CFingerprintStore::Exists()
{
    return m_pDatabase->GetObjectKind(g_strTable) == CDaoDatabase::TableObject;
}

QHash<QString, SPictureFingerprint> CFingerprintStore::ReadFolder(const QString& strDirectory)
{
    QHash<QString, SPictureFingerprint> fingerprints;
    if (!Exists())
        return fingerprints;
    const auto pStatement =
        m_pDatabase->Query(QStringLiteral("SELECT %1, %2, %3, %4 FROM %5 WHERE %6 = ?")
                               .arg(Q("Name"), Q("FileSize"), Q("FileDate"), Q("Hash"),
                                    JetQuoteName(g_strTable), Q("Directory")),
                           {strDirectory});
    while (pStatement->Step())
        fingerprints.insert(ColumnText(*pStatement, 0), ColumnsFingerprint(*pStatement, 1));
    return fingerprints;
}

QHash<QString, SPictureFingerprint> CFingerprintStore::ReadAll()
{
    QHash<QString, SPictureFingerprint> fingerprints;
    if (!Exists())
        return fingerprints;
    const auto pStatement =
        m_pDatabase->Query(QStringLiteral("SELECT %1, %2, %3, %4, %5 FROM %6")
                               .arg(Q("Directory"), Q("Name"), Q("FileSize"), Q("FileDate"),
                                    Q("Hash"), JetQuoteName(g_strTable)));
    while (pStatement->Step())
        fingerprints.insert(ColumnText(*pStatement, 0) + u'/' + ColumnText(*pStatement, 1),
                            ColumnsFingerprint(*pStatement, 2));
    return fingerprints;
}

void CFingerprintStore::Store(const QString& strDirectory, const QString& strName,
                              const SPictureFingerprint& fingerprint)
{
    if (!fingerprint.IsValid())
        return;
    if (!m_bStorePrepared) {
        if (!m_store.prepare(
                QStringLiteral(
                    "INSERT INTO %1 (%2, %3, %4, %5, %6) VALUES (?, ?, ?, ?, ?) "
                    "ON CONFLICT (%2, %3) DO UPDATE SET %4 = excluded.%4, %5 = excluded.%5, "
                    "%6 = excluded.%6")
                    .arg(JetQuoteName(g_strTable), Q("Directory"), Q("Name"), Q("FileSize"),
                         Q("FileDate"), Q("Hash"))))
            ThrowSqlError(m_store.lastError());
        m_bStorePrepared = true;
    }
    const QVariantList arValues = {strDirectory, strName, fingerprint.m_nSize,
                                   fingerprint.m_dtDate.toSecsSinceEpoch(),
                                   QString::fromLatin1(fingerprint.m_hash.toHex())};
    for (int i = 0; i < arValues.size(); ++i)
        m_store.bindValue(i, arValues[i]);
    if (!m_store.exec())
        ThrowSqlError(m_store.lastError());
}

void CFingerprintStore::Forget(const QString& strDirectory, const QString& strName)
{
    ForgetAll({{strDirectory, strName}});
}

void CFingerprintStore::ForgetAll(const QList<QPair<QString, QString>>& arFiles)
{
    if (arFiles.isEmpty() || !Exists())
        return;
    RunForFiles(m_pDatabase,
                QStringLiteral("DELETE FROM %1 WHERE %2 = ? AND %3 = ?")
                    .arg(JetQuoteName(g_strTable), Q("Directory"), Q("Name")),
                arFiles);
}

QString CFingerprintStore::DateText(const QDateTime& dtDate)
{
    return dtDate.isValid() ? dtDate.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")) : QString();
}

QDateTime CFingerprintStore::DateFromText(const QString& strText)
{
    // Read by hand: QDateTime's own parsing costs the check of a large
    // database seconds.
    if (strText.size() >= 19 && strText[4] == u'-' && strText[7] == u'-' &&
        (strText[10] == u' ' || strText[10] == u'T') && strText[13] == u':' &&
        strText[16] == u':') {
        auto number = [&](int nFrom, int nCount) {
            int n = 0;
            for (int i = nFrom; i < nFrom + nCount; ++i) {
                const char16_t c = strText[i].unicode();
                if (c < u'0' || c > u'9')
                    return -1;
                n = n * 10 + (c - u'0');
            }
            return n;
        };
        const int nYear = number(0, 4);
        const QDate date(nYear, number(5, 2), number(8, 2));
        const QTime time(number(11, 2), number(14, 2), number(17, 2));
        if (nYear > 0 && date.isValid() && time.isValid())
            return QDateTime(date, time, Qt::UTC);
    }
    return QDateTime();
}
