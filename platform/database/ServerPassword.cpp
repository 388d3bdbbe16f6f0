#include "platform/database/ServerPassword.h"

#include "platform/database/SServerConnection.h"

#include <QByteArray>

#include <libpq-fe.h>

EServerPassword ProbeServerPassword(const SServerConnection& server)
{
    const QByteArray host = server.m_strHost.toUtf8();
    const QByteArray port = QByteArray::number(server.m_nPort);
    const QByteArray database = server.m_strDatabase.toUtf8();
    const QByteArray user = server.m_strUser.toUtf8();
    const QByteArray password = server.m_strPassword.toUtf8();
    const QByteArray sslMode =
        server.m_strSslMode.isEmpty() ? "prefer" : server.m_strSslMode.toUtf8();
    const char* const arKeys[] = {"host",     "port",    "dbname",          "user",
                                  "password", "sslmode", "connect_timeout", nullptr};
    // An empty password lets libpq look in ~/.pgpass and PGPASSWORD, as Qt's does.
    const char* const arValues[] = {host.constData(),
                                    port.constData(),
                                    database.constData(),
                                    user.constData(),
                                    password.isEmpty() ? nullptr : password.constData(),
                                    sslMode.constData(),
                                    "10",
                                    nullptr};
    PGconn* pConnection = PQconnectdbParams(arKeys, arValues, 0);
    EServerPassword eResult = EServerPassword::NotTheCause;
    if (PQstatus(pConnection) != CONNECTION_OK) {
        if (PQconnectionNeedsPassword(pConnection))
            eResult = EServerPassword::Missing;
        else if (PQconnectionUsedPassword(pConnection))
            eResult = EServerPassword::Refused;
    }
    PQfinish(pConnection);
    return eResult;
}
