#include "db/DatabaseFile.h"
#include "db/DatabaseLog.h"

#include <QByteArrayList>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QStorageInfo>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <ctime>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {
// Building a database takes a moment; a file this old is nobody's work in progress.
constexpr time_t g_nLeftoverSeconds = 60;
} // namespace

QString FileErrorText(int nError)
{
    return QString::fromLocal8Bit(std::strerror(nError));
}

QString HiddenSideName(const QString& strFile, const char* pszWhat)
{
    const QFileInfo info(strFile);
    return info.path() + QStringLiteral("/.") + info.fileName() + u'-' + QLatin1String(pszWhat) +
           u'-' + QString::number(QRandomGenerator::global()->generate64(), 36);
}

int MoveNoReplace(const QString& strFrom, const QString& strTo)
{
    const QByteArray from = QFile::encodeName(strFrom);
    const QByteArray to = QFile::encodeName(strTo);
    if (renameat2(AT_FDCWD, from.constData(), AT_FDCWD, to.constData(), RENAME_NOREPLACE) == 0)
        return 0;
    if (errno != EINVAL && errno != ENOSYS && errno != ENOTSUP)
        return errno;
    // File systems without it still make links, which never replace either.
    if (link(from.constData(), to.constData()) != 0)
        return errno;
    unlink(from.constData());
    return 0;
}

bool IsEmptyFile(const QString& strFile)
{
    struct stat status;
    return lstat(QFile::encodeName(strFile).constData(), &status) == 0 && S_ISREG(status.st_mode) &&
           status.st_size == 0;
}

bool RemoveEmptyFile(const QString& strFile)
{
    if (!IsEmptyFile(strFile))
        return false;
    const QString strAside = HiddenSideName(strFile, "empty");
    if (std::rename(QFile::encodeName(strFile).constData(),
                    QFile::encodeName(strAside).constData()) != 0)
        return false;
    if (IsEmptyFile(strAside))
        return QFile::remove(strAside);
    if (const int nError = MoveNoReplace(strAside, strFile))
        qCWarning(lcDatabase) << "could not put back" << strAside << FileErrorText(nError);
    return false;
}

void RemoveCreationLeftovers(const QString& strFile)
{
    const QFileInfo info(strFile);
    const QRegularExpression reLeftover(QStringLiteral("^\\.%1-new-[0-9a-z]+(-journal)?$")
                                            .arg(QRegularExpression::escape(info.fileName())));
    const QDir folder(info.path());
    const QStringList arNames =
        folder.entryList({u'.' + info.fileName() + QStringLiteral("-new-*")},
                         QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    const time_t nNow = std::time(nullptr);
    for (const QString& strName : arNames) {
        const QByteArray path = QFile::encodeName(folder.filePath(strName));
        struct stat status;
        if (!reLeftover.match(strName).hasMatch() || lstat(path.constData(), &status) != 0 ||
            !S_ISREG(status.st_mode) || nNow - status.st_mtime < g_nLeftoverSeconds)
            continue;
        if (unlink(path.constData()) != 0)
            qCWarning(lcDatabase) << "could not remove" << strName << FileErrorText(errno);
    }
}

void RemoveDatabaseFiles(const QString& strFile)
{
    for (const QString& strName : {strFile, strFile + QStringLiteral("-journal")}) {
        if (QFileInfo::exists(strName) && !QFile::remove(strName))
            qCWarning(lcDatabase) << "could not remove" << strName;
    }
}

void SyncFolder(const QString& strFile)
{
    const int nFolder = open(QFile::encodeName(QFileInfo(strFile).absolutePath()).constData(),
                             O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (nFolder < 0)
        return;
    fsync(nFolder);
    close(nFolder);
}

bool IsNetworkFileSystemType(const QByteArray& type)
{
    static const QByteArrayList s_arNetwork = {
        "nfs",  "nfs4",       "cifs",        "smb3",        "smbfs",          "ncpfs",
        "afs",  "ceph",       "glusterfs",   "9p",          "davfs",          "lustre",
        "gfs2", "fuse.sshfs", "fuse.davfs2", "fuse.rclone", "fuse.glusterfs", "fuse.s3fs"};
    return s_arNetwork.contains(type);
}

QString NetworkFileSystemOf(const QString& strFile)
{
    // The folder: the file itself may not be made yet.
    const QStorageInfo storage(QFileInfo(strFile).absolutePath());
    const QByteArray type = storage.fileSystemType();
    return IsNetworkFileSystemType(type) ? QString::fromLatin1(type) : QString();
}
