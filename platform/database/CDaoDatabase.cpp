#include "platform/database/CDaoDatabase.h"

#include "platform/database/CDaoException.h"
#include "platform/database/CJetPattern.h"
#include "platform/database/CPgStatement.h"
#include "platform/database/CSqliteStatement.h"
#include "platform/database/JetSql.h"

#include <QAtomicInt>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlQuery>

#include <sqlite3.h>

#include <atomic>

namespace {

// Long enough for another program's import to finish its transaction.
std::atomic<int> g_nBusyTimeoutMs{5000};

// The server lock every Orvala takes for a write: one writer at a time, as
// on a file. Any number no other program uses.
constexpr qint64 g_nWriteLockKey = 0x4f7276616c61; // "Orvala"
// The server's SQLSTATE for a lock not granted within lock_timeout.
constexpr char g_szLockTimeoutState[] = "55P03";

// jet_like(pattern, value): the engine's LIKE. The compiled pattern is kept
// with the statement, since the pattern is the same for every row.
void JetLikeFunction(sqlite3_context* pContext, int, sqlite3_value** arArgs)
{
    if (sqlite3_value_type(arArgs[0]) == SQLITE_NULL ||
        sqlite3_value_type(arArgs[1]) == SQLITE_NULL) {
        sqlite3_result_null(pContext);
        return;
    }
    CJetPattern compiled;
    auto pPattern = static_cast<const CJetPattern*>(sqlite3_get_auxdata(pContext, 0));
    if (!pPattern) {
        const auto pText = reinterpret_cast<const char*>(sqlite3_value_text(arArgs[0]));
        QString strError;
        if (!compiled.Compile(QString::fromUtf8(pText, sqlite3_value_bytes(arArgs[0])),
                              &strError)) {
            sqlite3_result_error(pContext, strError.toUtf8().constData(), -1);
            return;
        }
        // SQLite may drop the copy at once, so this call matches with its own.
        sqlite3_set_auxdata(pContext, 0, new CJetPattern(compiled),
                            [](void* p) { delete static_cast<CJetPattern*>(p); });
        pPattern = &compiled;
    }
    const auto pValue = reinterpret_cast<const char*>(sqlite3_value_text(arArgs[1]));
    sqlite3_result_int(pContext, pPattern->MatchesUtf8(pValue, sqlite3_value_bytes(arArgs[1])));
}

int JetTextCollation(void*, int nA, const void* pA, int nB, const void* pB)
{
    return JetCompareFolded(static_cast<const char*>(pA), nA, static_cast<const char*>(pB), nB);
}

QString SqliteUri(const QString& strName, bool bReadOnly)
{
    // Percent-encode what a URI would read as its own syntax.
    QString strPath = QFileInfo(strName).absoluteFilePath();
    strPath.replace(u'%', QLatin1String("%25"))
        .replace(u'?', QLatin1String("%3f"))
        .replace(u'#', QLatin1String("%23"));
    return QStringLiteral("file:") + strPath +
           (bReadOnly ? QStringLiteral("?mode=ro") : QStringLiteral("?mode=rw"));
}

int PrimaryCode(const QSqlError& error)
{
    return error.nativeErrorCode().toInt() & 0xFF;
}

} // namespace

void ThrowSqlError(const QSqlError& error, const QString& strContext)
{
    QString strText = error.databaseText();
    if (strText.isEmpty())
        strText = error.text();
    if (!strContext.isEmpty())
        strText = strContext + QStringLiteral(": ") + strText;
    if (!strText.endsWith(u'.'))
        strText += u'.';
    throw CDaoException(strText, error.nativeErrorCode().toInt());
}

CDaoDatabase::CDaoDatabase()
{
    static QAtomicInt s_nConnections;
    m_strConnection = QStringLiteral("CDaoDatabase-%1").arg(s_nConnections.fetchAndAddRelaxed(1));
}

CDaoDatabase::~CDaoDatabase()
{
    Close();
    if (m_db.isValid()) {
        m_db = QSqlDatabase();
        QSqlDatabase::removeDatabase(m_strConnection);
    }
}

void CDaoDatabase::Fail(const QString& strDescription, int nCode)
{
    m_strOpenFailure = strDescription;
    throw CDaoException(strDescription, nCode);
}

void CDaoDatabase::Create(const QString& strName, const QString&, int)
{
    // The locale asks for the general, case-insensitive text order: text
    // fields always compare that way here, so there is nothing to record.
    Close();
    m_strOpenFailure.clear();
    const QFileInfo info(strName);
    if (info.exists() || info.isSymLink())
        Fail(tr("Database \"%1\" already exists.").arg(strName));
    // NewOnly makes the file only if nobody else made it meanwhile.
    QFile file(strName);
    if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly))
        Fail(tr("Can not create database \"%1\": %2.").arg(strName, file.errorString()));
    file.close();
    try {
        OpenFile(strName, false);
    } catch (const CDaoException&) {
        // Only the empty file made just above is removed.
        if (QFileInfo(strName).size() == 0)
            QFile::remove(strName);
        throw;
    }
}

void CDaoDatabase::Open(const QString& strName, bool, bool bReadOnly, const QString&)
{
    // One program uses the file at a time, so exclusive use adds nothing.
    Close();
    m_strOpenFailure.clear();
    const QFileInfo info(strName);
    if (!info.exists())
        Fail(tr("Could not find file \"%1\".").arg(strName));
    if (!info.isFile())
        Fail(tr("\"%1\" is not a file.").arg(strName));
    OpenFile(strName, bReadOnly);
}

void CDaoDatabase::UseDriver(const QString& strDriver)
{
    if (m_db.isValid() && m_db.driverName() == strDriver)
        return;
    if (m_db.isValid()) {
        m_db = QSqlDatabase();
        QSqlDatabase::removeDatabase(m_strConnection);
    }
    m_db = QSqlDatabase::addDatabase(strDriver, m_strConnection);
}

void CDaoDatabase::OpenServer(const SServerConnection& server)
{
    Close();
    m_strOpenFailure.clear();
    m_ePasswordRefusal = EServerPassword::NotTheCause;
    UseDriver(QStringLiteral("QPSQL"));
    if (!m_db.isValid())
        Fail(tr("The PostgreSQL database driver is not available; install the "
                "package libqt6sql6-psql."));
    m_db.setHostName(server.m_strHost);
    m_db.setPort(server.m_nPort);
    m_db.setDatabaseName(server.m_strDatabase);
    m_db.setUserName(server.m_strUser);
    m_db.setPassword(server.m_strPassword);
    // A server that does not answer is news after seconds, not minutes.
    m_db.setConnectOptions(
        QStringLiteral("sslmode=%1;connect_timeout=10")
            .arg(server.m_strSslMode.isEmpty() ? QStringLiteral("prefer") : server.m_strSslMode));
    QElapsedTimer opening;
    opening.start();
    if (!m_db.open()) {
        const QSqlError error = m_db.lastError();
        // A server that never answered did not get as far as a password;
        // asking again would only double the wait.
        if (opening.elapsed() < 9000)
            m_ePasswordRefusal = ProbeServerPassword(server);
        Fail(tr("Can not open database \"%1\" on the PostgreSQL server \"%2\": %3")
                 .arg(server.m_strDatabase, server.m_strHost,
                      (error.databaseText().trimmed().isEmpty() ? error.text()
                                                                : error.databaseText())
                          .simplified()));
    }
    m_bServer = true;
    m_bOpen = true;
    m_strName = server.Label();
    // Waits for another program's write as long as a file would.
    Execute(QStringLiteral("SET lock_timeout = %1").arg(g_nBusyTimeoutMs.load()));
    // The server's notices (a table already there) are no news for the user's terminal.
    Execute(QStringLiteral("SET client_min_messages = error"));
}

void CDaoDatabase::OpenFile(const QString& strName, bool bReadOnly)
{
    UseDriver(QStringLiteral("QSQLITE"));
    if (!m_db.isValid())
        Fail(tr("The SQLite database driver is not available."));
    m_db.setDatabaseName(SqliteUri(strName, bReadOnly));
    m_db.setConnectOptions(
        QStringLiteral("QSQLITE_OPEN_URI;QSQLITE_BUSY_TIMEOUT=%1%2")
            .arg(g_nBusyTimeoutMs.load())
            .arg(bReadOnly ? QStringLiteral(";QSQLITE_OPEN_READONLY") : QString()));
    if (!m_db.open()) {
        const QSqlError error = m_db.lastError();
        Fail(tr("Can not open database \"%1\": %2.").arg(strName, error.databaseText()),
             error.nativeErrorCode().toInt());
    }
    RegisterFunctions();

    // SQLite reads the file only when asked, so read now: a file that is not
    // a database must be refused here, before anything could write to it.
    QSqlQuery query(m_db);
    if (!query.exec(QStringLiteral("SELECT count(*) FROM sqlite_master"))) {
        const QSqlError error = query.lastError();
        query = QSqlQuery();
        m_db.close();
        const int nCode = PrimaryCode(error);
        if (nCode == SQLITE_NOTADB)
            Fail(tr("\"%1\" is not a database this program can read; it may be damaged "
                    "or made by another program.")
                     .arg(strName),
                 nCode);
        if (nCode == SQLITE_BUSY || nCode == SQLITE_LOCKED)
            Fail(tr("Database \"%1\" is locked by another program.").arg(strName), nCode);
        Fail(tr("Can not read database \"%1\": %2.").arg(strName, error.databaseText()), nCode);
    }
    m_strName = strName;
    m_bOpen = true;
}

void CDaoDatabase::RegisterFunctions()
{
    const QVariant handle = m_db.driver()->handle();
    if (!handle.isValid() || qstrcmp(handle.typeName(), "sqlite3*") != 0)
        Fail(QStringLiteral("The SQLite database driver gave no handle."));
    sqlite3* pDb = *static_cast<sqlite3* const*>(handle.constData());
    m_pHandle = pDb;
    // A misspelt "name" must be an error, not a text constant.
    sqlite3_db_config(pDb, SQLITE_DBCONFIG_DQS_DML, 0, nullptr);
    sqlite3_db_config(pDb, SQLITE_DBCONFIG_DQS_DDL, 0, nullptr);
    sqlite3_create_function_v2(pDb, g_szJetLikeFunction, 2, SQLITE_UTF8 | SQLITE_DETERMINISTIC,
                               nullptr, JetLikeFunction, nullptr, nullptr, nullptr);
    sqlite3_create_collation_v2(pDb, g_szJetTextCollation, SQLITE_UTF8, nullptr, JetTextCollation,
                                nullptr);
}

void CDaoDatabase::SetBusyTimeout(int nMilliseconds)
{
    g_nBusyTimeoutMs = nMilliseconds;
}

void CDaoDatabase::Close()
{
    if (m_db.isOpen())
        m_db.close();
    m_pHandle = nullptr;
    m_bOpen = false;
    m_bServer = false;
    m_bInTransaction = false;
}

void CDaoDatabase::BeginTrans()
{
    if (!m_bOpen)
        throw CDaoException(tr("The database is not open."));
    // The write lock is taken now, not at the first write: what a transaction
    // reads stays true until it commits, even with a second program on the
    // file, which waits for the lock instead. On a server every program
    // takes one lock of the database's for its writes alike.
    QSqlQuery query(m_db);
    if (m_bServer) {
        if (!query.exec(QStringLiteral("BEGIN")))
            ThrowSqlError(query.lastError());
        if (!query.exec(QStringLiteral("SELECT pg_advisory_xact_lock(%1)").arg(g_nWriteLockKey))) {
            const QSqlError error = query.lastError();
            query.exec(QStringLiteral("ROLLBACK"));
            if (error.nativeErrorCode() == QLatin1String(g_szLockTimeoutState))
                throw CDaoException(LockedMessage());
            ThrowSqlError(error);
        }
        m_bInTransaction = true;
        return;
    }
    if (!query.exec(QStringLiteral("BEGIN IMMEDIATE"))) {
        const QSqlError error = query.lastError();
        if (PrimaryCode(error) == SQLITE_BUSY)
            throw CDaoException(LockedMessage(), SQLITE_BUSY);
        ThrowSqlError(error);
    }
}

QString CDaoDatabase::LockedMessage() const
{
    return tr("Database \"%1\" is locked by another program.").arg(m_strName);
}

bool CDaoDatabase::IsConnectionAlive()
{
    if (!m_bOpen || !m_bServer)
        return m_bOpen;
    // The driver closes a connection it found gone.
    if (!m_db.isOpen())
        return false;
    QSqlQuery query(m_db);
    // A server that answers with an error of its own (a transaction it
    // refuses to go on with) is there; a gone one gives no SQLSTATE.
    return query.exec(QStringLiteral("SELECT 1")) || !query.lastError().nativeErrorCode().isEmpty();
}

void CDaoDatabase::CommitTrans()
{
    // Over even when the commit fails: the server ends the transaction.
    m_bInTransaction = false;
    if (!m_db.commit())
        ThrowSqlError(m_db.lastError());
}

void CDaoDatabase::Rollback()
{
    // SQLite undoes a transaction itself on some errors (a full disk); then
    // there is nothing left to undo, and the error that did it is the news.
    if (!m_bOpen || (m_bServer ? !m_bInTransaction : sqlite3_get_autocommit(m_pHandle) != 0))
        return;
    m_bInTransaction = false;
    // A server ends the transaction of a connection that is gone.
    if (m_bServer && !m_db.isOpen())
        return;
    if (!m_db.rollback())
        ThrowSqlError(m_db.lastError());
}

QSqlDatabase& CDaoDatabase::Connection()
{
    if (!m_bOpen)
        throw CDaoException(tr("The database is not open."));
    return m_db;
}

sqlite3* CDaoDatabase::Handle()
{
    Connection();
    return m_pHandle;
}

bool CDaoDatabase::IsReadOnly()
{
    if (m_bServer) {
        // A standby server; a user's missing rights show as refused writes.
        QSqlQuery query(Connection());
        if (!query.exec(QStringLiteral("SHOW transaction_read_only")) || !query.next())
            ThrowSqlError(query.lastError());
        return query.value(0).toString() == QLatin1String("on");
    }
    return sqlite3_db_readonly(Handle(), "main") == 1;
}

CDaoDatabase::ObjectKind CDaoDatabase::GetObjectKind(const QString& strName)
{
    QSqlQuery query(Connection());
    if (m_bServer)
        query.prepare(QStringLiteral("SELECT CASE table_type WHEN 'VIEW' THEN 'view' ELSE 'table' "
                                     "END FROM information_schema.tables WHERE table_schema = "
                                     "current_schema() AND lower(table_name) = lower(?)"));
    else
        query.prepare(QStringLiteral("SELECT type FROM sqlite_master WHERE name = ? COLLATE "
                                     "NOCASE AND type IN ('table', 'view')"));
    query.addBindValue(strName);
    if (!query.exec())
        ThrowSqlError(query.lastError());
    if (!query.next())
        return NoObject;
    return query.value(0).toString() == QLatin1String("table") ? TableObject : ViewObject;
}

std::unique_ptr<CEngineStatement> CDaoDatabase::Query(const QString& strSql,
                                                      const QVariantList& arValues)
{
    if (m_bServer)
        return std::make_unique<CPgStatement>(Connection(), strSql, arValues);
    return std::make_unique<CSqliteStatement>(Handle(), strSql, arValues);
}

void CDaoDatabase::Execute(const QString& strSql, const QVariantList& arValues)
{
    QSqlQuery query(Connection());
    // A server prepares only statements that take values (not SET, not CREATE).
    if (arValues.isEmpty()) {
        if (!query.exec(strSql))
            ThrowSqlError(query.lastError());
        return;
    }
    RunPrepared(query, strSql, arValues);
}

void RunPrepared(QSqlQuery& query, const QString& strSql, const QVariantList& arValues)
{
    if (!query.prepare(strSql))
        ThrowSqlError(query.lastError());
    for (const QVariant& value : arValues)
        query.addBindValue(value);
    if (!query.exec())
        ThrowSqlError(query.lastError());
}

QStringList CDaoDatabase::QuickCheck()
{
    // A server keeps its own files whole; there is no file here to check.
    if (m_bServer)
        return {};
    QSqlQuery query(Connection());
    if (!query.exec(QStringLiteral("PRAGMA quick_check")))
        ThrowSqlError(query.lastError());
    QStringList arProblems;
    while (query.next()) {
        const QString strRow = query.value(0).toString();
        if (strRow != QLatin1String("ok"))
            arProblems.append(strRow);
    }
    if (query.lastError().isValid())
        ThrowSqlError(query.lastError());
    return arProblems;
}
