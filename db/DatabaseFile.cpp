#include "db/DatabaseFile.h"

#include <QFile>
#include <QFileInfo>
#include <QLoggingCategory>
#include <QRandomGenerator>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {
Q_LOGGING_CATEGORY(lcDatabase, "orvala.database")
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
