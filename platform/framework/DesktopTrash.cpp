#include "platform/framework/DesktopTrash.h"

#include "platform/framework/FrameworkLog.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QStorageInfo>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

const QString strFiles = QStringLiteral("files");
const QString strInfo = QStringLiteral("info");

QString Tr(const char* pszText)
{
    return QCoreApplication::translate("DesktopTrash", pszText);
}

QString ErrnoText(int nErrno)
{
    return QString::fromLocal8Bit(std::strerror(nErrno));
}

// A folder that is there or could be made, never anything else under its name.
QString FolderProblem(const QString& strFolder)
{
    const QFileInfo info(strFolder);
    if (!info.exists() && !info.isSymLink()) {
        if (QDir().mkdir(strFolder)) {
            QFile::setPermissions(strFolder,
                                  QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
            return QString();
        }
        return Tr("the folder \"%1\" could not be made").arg(strFolder);
    }
    if (!info.isDir())
        return Tr("\"%1\" is not a folder").arg(strFolder);
    return QString();
}

// The home trash with its files/ and info/, made where missing. Qt would
// otherwise take the working folder for a trash it cannot make.
QString PrepareHomeTrash(const QString& strHomeTrash)
{
    const QString strDataHome = QFileInfo(strHomeTrash).path();
    if (!QDir().mkpath(strDataHome))
        return Tr("the folder \"%1\" could not be made").arg(strDataHome);
    for (const QString& strFolder : {strHomeTrash, strHomeTrash + QLatin1Char('/') + strFiles,
                                     strHomeTrash + QLatin1Char('/') + strInfo}) {
        const QString strProblem = FolderProblem(strFolder);
        if (!strProblem.isEmpty())
            return strProblem;
    }
    return QString();
}

// A trash folder whose files/ or info/ is no folder: Qt would try names
// there for ever.
QString BrokenTrash(const QString& strTrash)
{
    if (!QFileInfo(strTrash).isDir())
        return QString();
    for (const QString& strSub : {strFiles, strInfo}) {
        const QFileInfo info(strTrash + QLatin1Char('/') + strSub);
        if ((info.exists() || info.isSymLink()) && !info.isDir())
            return Tr("\"%1\" is not a folder").arg(info.filePath());
    }
    return QString();
}

// The identity of the file at strPath; false when there is none.
bool IdentifyFile(const QString& strPath, STrashedFile* pTrashed)
{
    struct stat st = {};
    if (::lstat(QFile::encodeName(strPath).constData(), &st) != 0)
        return false;
    pTrashed->nDevice = quint64(st.st_dev);
    pTrashed->nInode = quint64(st.st_ino);
    pTrashed->nSize = qint64(st.st_size);
    pTrashed->nModifiedNs = qint64(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec;
    return true;
}

} // namespace

QStringList TrashLocations(const QString& strHomeTrash, const QString& strVolumeRoot, uint nUid)
{
    QStringList arTrashes{QDir::cleanPath(strHomeTrash)};
    if (strVolumeRoot.isEmpty())
        return arTrashes;
    const QString strTop = QDir::cleanPath(strVolumeRoot);
    const QString strPrefix =
        strTop.endsWith(QLatin1Char('/')) ? strTop : strTop + QLatin1Char('/');
    arTrashes.append(strPrefix + QStringLiteral(".Trash/%1").arg(nUid));
    arTrashes.append(strPrefix + QStringLiteral(".Trash-%1").arg(nUid));
    return arTrashes;
}

QString TrashHolding(const QString& strPathInTrash, const QStringList& arTrashes)
{
    if (strPathInTrash.isEmpty() || !QDir::isAbsolutePath(strPathInTrash))
        return QString();
    const QString strPath = QDir::cleanPath(strPathInTrash);
    const QFileInfo info(strPath);
    const QString strFolder = info.path();
    if (info.fileName().isEmpty() || QFileInfo(strFolder).fileName() != strFiles)
        return QString();
    const QString strTrash = QFileInfo(strFolder).path();
    for (const QString& strCandidate : arTrashes) {
        if (QDir::cleanPath(strCandidate) == strTrash)
            return strTrash;
    }
    return QString();
}

QString TrashInfoPath(const QString& strTrash, const QString& strPathInTrash)
{
    return QDir::cleanPath(strTrash) + QLatin1Char('/') + strInfo + QLatin1Char('/') +
           QFileInfo(strPathInTrash).fileName() + QStringLiteral(".trashinfo");
}

int RenameNoReplace(const QString& strFrom, const QString& strTo)
{
    const QByteArray from = QFile::encodeName(strFrom);
    const QByteArray to = QFile::encodeName(strTo);
    if (::renameat2(AT_FDCWD, from.constData(), AT_FDCWD, to.constData(), RENAME_NOREPLACE) == 0)
        return 0;
    if (errno != EINVAL && errno != ENOSYS)
        return errno;
    // A file system without that flag: a hard link refuses an existing name too.
    if (::link(from.constData(), to.constData()) != 0)
        return errno;
    if (::unlink(from.constData()) != 0) {
        const int nErrno = errno;
        ::unlink(to.constData());
        return nErrno;
    }
    return 0;
}

STrashResult MoveToDesktopTrash(const QString& strPath)
{
    STrashResult result;
    const QFileInfo source(strPath);
    if (!source.exists()) {
        result.strError = ErrnoText(ENOENT);
        return result;
    }
    const QString strSource = source.absoluteFilePath();
    const QString strDataHome =
        QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    if (strDataHome.isEmpty()) {
        result.strError = Tr("no folder for the desktop's trash is known");
        return result;
    }
    const QString strHomeTrash = strDataHome + QStringLiteral("/Trash");
    const QStorageInfo volume(strSource);
    const bool bHomeVolume = volume == QStorageInfo(QDir::home());
    const QStringList arTrashes =
        TrashLocations(strHomeTrash, bHomeVolume ? QString() : volume.rootPath(), ::getuid());
    // On another volume Qt tries that volume's trash first; the home trash
    // is needed there only when that fails.
    QString strProblem = PrepareHomeTrash(strHomeTrash);
    if (!strProblem.isEmpty() && bHomeVolume) {
        result.strError = strProblem;
        return result;
    }
    for (const QString& strTrash : arTrashes) {
        const QString strBroken = BrokenTrash(strTrash);
        if (!strBroken.isEmpty()) {
            result.strError = strBroken;
            return result;
        }
    }

    // Qt falls back on the working folder when it finds no trash.
    const QDir current = QDir::current();
    const bool bHadFiles = current.exists(strFiles);
    const bool bHadInfo = current.exists(strInfo);
    const auto removeMadeHere = [&] {
        if (!bHadFiles)
            current.rmdir(strFiles);
        if (!bHadInfo)
            current.rmdir(strInfo);
    };

    QFile file(strSource);
    if (!file.moveToTrash()) {
        removeMadeHere();
        result.strError = file.errorString().isEmpty() ? Tr("the desktop's trash refused it")
                                                       : file.errorString();
        return result;
    }
    const QString strInTrash = file.fileName();
    const QString strTrash = TrashHolding(strInTrash, arTrashes);
    const QString strInfoPath = TrashInfoPath(strTrash, strInTrash);
    STrashedFile trashed{strSource, strInTrash, strInfoPath};
    if (!strTrash.isEmpty() && QFileInfo(strInfoPath).isFile() &&
        IdentifyFile(strInTrash, &trashed)) {
        result.trashed = trashed;
        return result;
    }

    qCWarning(lcFramework) << "trash put" << strSource << "into" << strInTrash;
    result.strError = strTrash.isEmpty()
                          ? Tr("the desktop's trash put it into \"%1\", which is no trash folder")
                                .arg(QFileInfo(strInTrash).path())
                          : Tr("its trash information file is missing");
    const int nErrno = RenameNoReplace(strInTrash, strSource);
    if (nErrno != 0)
        result.strStrandedAt = strInTrash;
    if (strTrash.isEmpty()) {
        // What Qt made outside every trash goes again, and only that.
        const QString strTop = QFileInfo(QFileInfo(strInTrash).path()).path();
        if (nErrno == 0)
            QFile::remove(TrashInfoPath(strTop, strInTrash));
        if (QDir(strTop) == current)
            removeMadeHere();
    }
    return result;
}

SRestoreResult PutBackFromTrash(const STrashedFile& trashed)
{
    SRestoreResult result;
    // Emptied from the trash, or another file under the same name since.
    STrashedFile there;
    if (!IdentifyFile(trashed.strPathInTrash, &there) || there.nDevice != trashed.nDevice ||
        there.nInode != trashed.nInode || there.nSize != trashed.nSize ||
        there.nModifiedNs != trashed.nModifiedNs) {
        result.eResult = ERestoreResult::Gone;
        return result;
    }
    const int nErrno = RenameNoReplace(trashed.strPathInTrash, trashed.strOriginalPath);
    if (nErrno == 0)
        result.eResult = ERestoreResult::Restored;
    else if (nErrno == EEXIST)
        result.eResult = ERestoreResult::NameTaken;
    result.strError = nErrno == 0 ? QString() : ErrnoText(nErrno);
    return result;
}

bool RemoveTrashInfo(const STrashedFile& trashed)
{
    return QFile::remove(trashed.strInfoPath);
}
