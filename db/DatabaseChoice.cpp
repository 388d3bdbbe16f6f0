#include "db/DatabaseChoice.h"

#include "db/DatabaseLog.h"

#include <QSettings>

namespace {
const QString strGroup = QStringLiteral("Photo Database");
const QString strLocation = QStringLiteral("Location");
const QString strFile = QStringLiteral("File");
const QString strServer = QStringLiteral("Server");
const QString strHost = QStringLiteral("Host");
const QString strPort = QStringLiteral("Port");
const QString strDatabase = QStringLiteral("Database");
const QString strUser = QStringLiteral("User");
const QString strSslMode = QStringLiteral("SslMode");

QString Key(const QString& strEntry)
{
    return strGroup + u'/' + strEntry;
}
} // namespace

std::optional<SServerConnection> ReadDatabaseChoice(const QSettings& settings)
{
    const QString strWhere = settings.value(Key(strLocation)).toString();
    if (strWhere.isEmpty() || strWhere == strFile)
        return std::nullopt;

    SServerConnection server;
    server.m_strHost = settings.value(Key(strHost)).toString();
    server.m_strDatabase = settings.value(Key(strDatabase)).toString();
    server.m_strUser = settings.value(Key(strUser)).toString();
    server.m_strSslMode = settings.value(Key(strSslMode)).toString();
    bool bPort = false;
    server.m_nPort = settings.value(Key(strPort)).toInt(&bPort);

    const char* pszProblem = nullptr;
    if (strWhere != strServer)
        pszProblem = "an unknown location";
    else if (server.m_strHost.isEmpty() || server.m_strDatabase.isEmpty() ||
             server.m_strUser.isEmpty())
        pszProblem = "no host, database or user";
    else if (!bPort || server.m_nPort < 1 || server.m_nPort > 65535)
        pszProblem = "a port outside 1..65535";
    else if (!SslModes().contains(server.m_strSslMode))
        pszProblem = "an unknown SSL mode";
    if (pszProblem) {
        qCWarning(lcDatabase).nospace() << "the stored photo database has " << pszProblem << " in "
                                        << settings.fileName() << "; opening Photos.mdb instead";
        return std::nullopt;
    }
    return server;
}

bool WriteDatabaseChoice(QSettings& settings, const std::optional<SServerConnection>& server)
{
    // Anything else in the group goes too, a password put there by hand included.
    settings.remove(strGroup);
    settings.beginGroup(strGroup);
    settings.setValue(strLocation, server ? strServer : strFile);
    if (server) {
        settings.setValue(strHost, server->m_strHost);
        settings.setValue(strPort, server->m_nPort);
        settings.setValue(strDatabase, server->m_strDatabase);
        settings.setValue(strUser, server->m_strUser);
        settings.setValue(strSslMode, server->m_strSslMode);
    }
    settings.endGroup();
    settings.sync();
    return settings.status() == QSettings::NoError;
}

const QStringList& SslModes()
{
    static const QStringList arModes = {QStringLiteral("disable"),   QStringLiteral("allow"),
                                        QStringLiteral("prefer"),    QStringLiteral("require"),
                                        QStringLiteral("verify-ca"), QStringLiteral("verify-full")};
    return arModes;
}
