#pragma once

#include "platform/database/SServerConnection.h"

#include <QString>
#include <QStringList>
#include <QTemporaryDir>

// A PostgreSQL server of a test's own, in a temporary folder, reached through
// a Unix socket there and 127.0.0.1 on a free port. It is stopped and its
// folder removed when the object goes, also when the test failed. Under root
// the server runs as the user "postgres", since PostgreSQL refuses root.
class CPgTestServer
{
public:
    // Without a password every connection is trusted; with one, every
    // connection must give it.
    explicit CPgTestServer(const QString& strPassword = QString());
    ~CPgTestServer();
    CPgTestServer(const CPgTestServer&) = delete;
    CPgTestServer& operator=(const CPgTestServer&) = delete;

    // False when no server can be made here (no PostgreSQL programs, or no
    // user to run them as); WhyUnavailable() says why, for QSKIP.
    bool IsAvailable() const { return m_strUnavailable.isEmpty(); }
    QString WhyUnavailable() const { return m_strUnavailable; }

    bool IsRunning() const { return m_bRunning; }
    // What went wrong last, with the programs' own output.
    QString Error() const { return m_strError; }

    QString SocketFolder() const { return m_dir.path(); }
    int Port() const { return m_nPort; }
    // The server's superuser, whoever runs the test.
    QString User() const;
    QString Password() const { return m_strPassword; }

    bool CreateDatabase(const QString& strName);
    // How to reach database strName through the socket, with the password.
    SServerConnection Connection(const QString& strName) const;

    // Fault tests: Stop() ends the server at once, as a crash would; Start()
    // brings it back on the same port with the same data.
    bool Stop();
    bool Start();

private:
    bool Init();
    bool Run(const QString& strTool, const QStringList& arArgs, bool bAsServerUser);
    QString DataFolder() const;

    QTemporaryDir m_dir;
    QString m_strBinFolder;
    QString m_strPassword;
    QString m_strUnavailable;
    QString m_strError;
    int m_nPort = 0;
    bool m_bRunAsPostgres = false;
    bool m_bRunning = false;
};
