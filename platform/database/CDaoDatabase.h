#pragma once

#include "platform/database/CEngineStatement.h"
#include "platform/database/SServerConnection.h"
#include "platform/database/ServerPassword.h"

#include <QCoreApplication>
#include <QSqlDatabase>
#include <QString>
#include <QStringList>
#include <QVariantList>

#include <memory>

// The locale of a new database: the engine's general collating order.
inline constexpr char dbLangGeneral[] = ";LANGID=0x0409;CP=1252;COUNTRY=0";

// One database file on SQLite. Open never creates a file and Create never
// touches an existing one, so a file that is not ours stays as it was.
struct sqlite3;

// Its messages, the engine's, are translated in its context.
class CDaoDatabase
{
    Q_DECLARE_TR_FUNCTIONS(CDaoDatabase)

public:
    CDaoDatabase();
    ~CDaoDatabase();
    CDaoDatabase(const CDaoDatabase&) = delete;
    CDaoDatabase& operator=(const CDaoDatabase&) = delete;

    // Makes a new, empty database file; fails when the name exists already.
    void Create(const QString& strName, const QString& strLocale = QLatin1String(dbLangGeneral),
                int nOptions = 0);
    // Opens an existing database for reading and writing.
    void Open(const QString& strName, bool bExclusive = false, bool bReadOnly = false,
              const QString& strConnect = QString());
    // Opens a database on a PostgreSQL server; a refusal (no server, no
    // such database, a wrong password, no permission) throws in words.
    void OpenServer(const SServerConnection& server);
    void Close();
    bool IsOpen() const { return m_bOpen; }
    // Whether the database is on a PostgreSQL server rather than in a file.
    bool IsServer() const { return m_bServer; }
    // Whether a server still answers on the connection (a server restarted
    // or a network gone drops it); a file's connection always does.
    bool IsConnectionAlive();
    QString GetName() const { return m_strName; }
    // Why the latest Open or Create failed; empty after a success.
    QString GetOpenFailure() const { return m_strOpenFailure; }
    // Whether the latest OpenServer failed for the password.
    EServerPassword GetPasswordRefusal() const { return m_ePasswordRefusal; }
    // Whether the open file refuses writing (its permissions or its medium).
    bool IsReadOnly();

    // What a name stands for in the database, letter case ignored.
    enum ObjectKind { NoObject, TableObject, ViewObject };
    ObjectKind GetObjectKind(const QString& strName);

    // How long a statement waits for another program's lock before it
    // fails, for the connections opened from now on. Five seconds unless set.
    static void SetBusyTimeout(int nMilliseconds);

    // BeginTrans takes the write lock at once, waiting (see SetBusyTimeout)
    // for another program that holds it; a lock still held then is refused
    // in words. Rollback with no transaction left open
    // (SQLite may have undone it already) does nothing.
    void BeginTrans();
    void CommitTrans();
    void Rollback();

    // For the table definitions and recordsets of this database.
    QSqlDatabase& Connection();
    // SQLite's own handle of the open connection, for reading many rows fast.
    sqlite3* Handle();
    // Prepares one statement with values bound, to read its rows.
    std::unique_ptr<CEngineStatement> Query(const QString& strSql,
                                            const QVariantList& arValues = {});
    // Runs one SQLite statement with values bound; throws CDaoException.
    void Execute(const QString& strSql, const QVariantList& arValues = {});
    // SQLite's quick check of the whole file: what it finds wrong, empty when
    // nothing; changes nothing. A file too damaged to check throws.
    QStringList QuickCheck();

private:
    void OpenFile(const QString& strName, bool bReadOnly);
    // The connection on that Qt driver, made anew when it was on another.
    void UseDriver(const QString& strDriver);
    [[noreturn]] void Fail(const QString& strDescription, int nCode = 0);
    QString LockedMessage() const;
    void RegisterFunctions();

    QString m_strConnection;
    QSqlDatabase m_db;
    sqlite3* m_pHandle = nullptr;
    QString m_strName;
    QString m_strOpenFailure;
    EServerPassword m_ePasswordRefusal = EServerPassword::NotTheCause;
    bool m_bOpen = false;
    bool m_bServer = false;
    bool m_bInTransaction = false; // a server's, since BeginTrans
};

// An engine exception from the latest error of a failed SQLite call.
class QSqlError;
[[noreturn]] void ThrowSqlError(const QSqlError& error, const QString& strContext = QString());

// Prepares strSql on query, binds the values in order and runs it; throws
// the engine exception on any failure.
class QSqlQuery;
void RunPrepared(QSqlQuery& query, const QString& strSql, const QVariantList& arValues);
