#include "PgTestServer.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>

#include <algorithm>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <pwd.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {
const QString strSuperuser = QStringLiteral("orvala");
constexpr int g_nToolMs = 60000;

bool HasServerTools(const QString& strFolder)
{
    return QFileInfo(strFolder + QStringLiteral("/initdb")).isExecutable() &&
           QFileInfo(strFolder + QStringLiteral("/pg_ctl")).isExecutable();
}

// pg_config's folder when it holds the server's tools (it may come with a
// client library of another version), otherwise Debian's newest.
QString FindToolFolder()
{
    QProcess config;
    config.start(QStringLiteral("pg_config"), {QStringLiteral("--bindir")});
    if (config.waitForFinished(g_nToolMs) && config.exitStatus() == QProcess::NormalExit &&
        config.exitCode() == 0) {
        const QString strFolder = QString::fromLocal8Bit(config.readAllStandardOutput()).trimmed();
        if (HasServerTools(strFolder))
            return strFolder;
    }
    const QDir versions(QStringLiteral("/usr/lib/postgresql"));
    QStringList arVersions = versions.entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    std::sort(arVersions.begin(), arVersions.end(),
              [](const QString& a, const QString& b) { return a.toDouble() > b.toDouble(); });
    for (const QString& strVersion : std::as_const(arVersions)) {
        const QString strFolder = versions.filePath(strVersion + QStringLiteral("/bin"));
        if (HasServerTools(strFolder))
            return strFolder;
    }
    return QString();
}

// A port on 127.0.0.1 that nobody listens on at the moment, or 0.
int FreePort()
{
    const int nSocket = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (nSocket < 0)
        return 0;
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t nLength = sizeof address;
    int nPort = 0;
    if (bind(nSocket, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0 &&
        getsockname(nSocket, reinterpret_cast<sockaddr*>(&address), &nLength) == 0)
        nPort = ntohs(address.sin_port);
    close(nSocket);
    return nPort;
}
} // namespace

CPgTestServer::CPgTestServer(const QString& strPassword)
    : m_strPassword(strPassword)
{
    m_strBinFolder = FindToolFolder();
    if (m_strBinFolder.isEmpty()) {
        m_strUnavailable = QStringLiteral("the PostgreSQL server programs (initdb, pg_ctl) are "
                                          "not installed");
        return;
    }
    if (!m_dir.isValid()) {
        m_strError = QStringLiteral("no temporary folder: ") + m_dir.errorString();
        return;
    }
    if (geteuid() == 0) {
        const passwd* pUser = getpwnam("postgres");
        if (pUser == nullptr) {
            m_strUnavailable = QStringLiteral("running as root, with no user \"postgres\" to run "
                                              "the server as");
            return;
        }
        if (chown(QFile::encodeName(m_dir.path()).constData(), pUser->pw_uid, pUser->pw_gid) != 0) {
            m_strError = QStringLiteral("could not hand the folder to the user \"postgres\"");
            return;
        }
        m_bRunAsPostgres = true;
    }
    if (!Init())
        return;
    // Another program may take the free port before the server does.
    for (int nTry = 0; nTry < 3 && !m_bRunning; ++nTry) {
        m_nPort = FreePort();
        Start();
    }
}

CPgTestServer::~CPgTestServer()
{
    if (m_bRunning)
        Stop();
}

QString CPgTestServer::User() const
{
    return strSuperuser;
}

QString CPgTestServer::DataFolder() const
{
    return m_dir.filePath(QStringLiteral("data"));
}

bool CPgTestServer::Init()
{
    QStringList arArgs = {QStringLiteral("-D"),
                          DataFolder(),
                          QStringLiteral("-U"),
                          strSuperuser,
                          QStringLiteral("-E"),
                          QStringLiteral("UTF8"),
                          QStringLiteral("--locale=C.UTF-8"),
                          QStringLiteral("--no-sync"),
                          QStringLiteral("--no-instructions")};
    const QString strPasswordFile = m_dir.filePath(QStringLiteral("password"));
    if (m_strPassword.isEmpty()) {
        arArgs << QStringLiteral("-A") << QStringLiteral("trust");
    } else {
        QFile file(strPasswordFile);
        if (!file.open(QIODevice::WriteOnly) || file.write(m_strPassword.toUtf8() + '\n') < 0) {
            m_strError = QStringLiteral("could not write ") + strPasswordFile;
            return false;
        }
        file.close();
        arArgs << QStringLiteral("-A") << QStringLiteral("scram-sha-256")
               << QStringLiteral("--pwfile=") + strPasswordFile;
    }
    const bool bDone = Run(QStringLiteral("initdb"), arArgs, true);
    QFile::remove(strPasswordFile);
    return bDone;
}

bool CPgTestServer::Start()
{
    if (m_bRunning)
        return true;
    const QString strOptions =
        QStringLiteral("-k '%1' -p %2 -c listen_addresses=127.0.0.1 -c fsync=off")
            .arg(SocketFolder())
            .arg(m_nPort);
    const QString strLog = m_dir.filePath(QStringLiteral("server.log"));
    m_bRunning = Run(QStringLiteral("pg_ctl"),
                     {QStringLiteral("start"), QStringLiteral("-w"), QStringLiteral("-D"),
                      DataFolder(), QStringLiteral("-l"), strLog, QStringLiteral("-o"), strOptions},
                     true);
    if (!m_bRunning) {
        QFile log(strLog);
        if (log.open(QIODevice::ReadOnly))
            m_strError += QString::fromLocal8Bit(log.readAll());
    }
    return m_bRunning;
}

bool CPgTestServer::Stop()
{
    if (!Run(QStringLiteral("pg_ctl"),
             {QStringLiteral("stop"), QStringLiteral("-w"), QStringLiteral("-m"),
              QStringLiteral("immediate"), QStringLiteral("-D"), DataFolder()},
             true))
        return false;
    m_bRunning = false;
    return true;
}

bool CPgTestServer::CreateDatabase(const QString& strName)
{
    return Run(QStringLiteral("createdb"),
               {QStringLiteral("-h"), SocketFolder(), QStringLiteral("-p"),
                QString::number(m_nPort), QStringLiteral("-U"), strSuperuser, strName},
               false);
}

SServerConnection CPgTestServer::Connection(const QString& strName) const
{
    SServerConnection server;
    server.m_strHost = SocketFolder();
    server.m_nPort = m_nPort;
    server.m_strDatabase = strName;
    server.m_strUser = strSuperuser;
    server.m_strPassword = m_strPassword;
    return server;
}

bool CPgTestServer::Run(const QString& strTool, const QStringList& arArgs, bool bAsServerUser)
{
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    // The server's user may not enter the test's own working folder.
    process.setWorkingDirectory(m_dir.path());
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* pszName : {"PGHOST", "PGPORT", "PGUSER", "PGDATABASE", "PGDATA", "PGPASSFILE",
                                "PGSERVICE", "PGOPTIONS"})
        environment.remove(QString::fromLatin1(pszName));
    if (!m_strPassword.isEmpty())
        environment.insert(QStringLiteral("PGPASSWORD"), m_strPassword);
    process.setProcessEnvironment(environment);
    const QString strProgram = m_strBinFolder + u'/' + strTool;
    if (bAsServerUser && m_bRunAsPostgres)
        process.start(QStringLiteral("runuser"),
                      QStringList{QStringLiteral("-u"), QStringLiteral("postgres"),
                                  QStringLiteral("--"), strProgram} +
                          arArgs);
    else
        process.start(strProgram, arArgs);
    const bool bFinished = process.waitForFinished(g_nToolMs);
    if (bFinished && process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0)
        return true;
    if (!bFinished)
        process.kill();
    m_strError = QStringLiteral("%1 %2 failed: %3\n%4")
                     .arg(strTool, arArgs.join(u' '), process.errorString(),
                          QString::fromLocal8Bit(process.readAll()));
    return false;
}
