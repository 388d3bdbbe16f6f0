#pragma once

#include <QString>
#include <QStringList>

// A file this program put into the desktop's trash: enough to put it back,
// and to know it is still the same file there.
struct STrashedFile
{
    QString strOriginalPath;
    QString strPathInTrash;
    QString strInfoPath; // <trash>/info/<name>.trashinfo
    // Which file it is: an inode freed by emptying the trash may be reused.
    quint64 nDevice = 0;
    quint64 nInode = 0;
    qint64 nSize = 0;
    qint64 nModifiedNs = 0;
    bool IsEmpty() const { return strPathInTrash.isEmpty(); }
};

// The trash folders a file may rightly go to: the home trash, and on the
// file's volume $topdir/.Trash/$uid and $topdir/.Trash-$uid.
QStringList TrashLocations(const QString& strHomeTrash, const QString& strVolumeRoot, uint nUid);
// The trash folder of arTrashes whose files/ holds strPathInTrash itself,
// not something deeper down; empty when none does.
QString TrashHolding(const QString& strPathInTrash, const QStringList& arTrashes);
// The information file that goes with a file in the trash folder strTrash.
QString TrashInfoPath(const QString& strTrash, const QString& strPathInTrash);

// Renames without ever replacing: an existing strTo refuses with EEXIST.
// 0 on success, else the errno.
int RenameNoReplace(const QString& strFrom, const QString& strTo);

struct STrashResult
{
    STrashedFile trashed;  // empty when the file was not moved
    QString strError;      // why not, for "could not be moved to the trash: <why>."
    QString strStrandedAt; // where the file is when it could not even be put back
};

// Moves the file into the desktop's trash and checks it arrived in a real
// trash folder with its information file; otherwise it comes back to where
// it was and the error says why.
STrashResult MoveToDesktopTrash(const QString& strPath);

enum class ERestoreResult { Restored, Gone, NameTaken, Failed };
struct SRestoreResult
{
    ERestoreResult eResult = ERestoreResult::Failed;
    QString strError;
};

// Puts a trashed file back where it was, never over a file that has taken
// its name meanwhile. Its information file stays: RemoveTrashInfo, once the
// rest of the way back is done.
SRestoreResult PutBackFromTrash(const STrashedFile& trashed);
bool RemoveTrashInfo(const STrashedFile& trashed);
