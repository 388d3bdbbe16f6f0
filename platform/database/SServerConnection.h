#pragma once

#include <QString>

// Where a photo database on a PostgreSQL server is. The password is never
// stored: libpq reads it from ~/.pgpass, or the user types it for the run.
struct SServerConnection
{
    // A host name or address, or the folder of the server's Unix socket.
    QString m_strHost;
    int m_nPort = 5432;
    QString m_strDatabase;
    QString m_strUser;
    // libpq's sslmode: disable, allow, prefer, require, verify-ca, verify-full.
    QString m_strSslMode = QStringLiteral("prefer");
    QString m_strPassword;

    // How the status bar names it: "photos@server".
    QString Label() const { return m_strDatabase + u'@' + m_strHost; }
};
