#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// One picture of a folder's listing, with what tells a renamed file from a
// new one and a file still being written from a whole one.
struct SFolderEntry
{
    QString strPath;
    quint64 nDevice = 0;
    quint64 nInode = 0; // 0 when unknown: never taken for a rename
    qint64 nSize = 0;
    qint64 nModifiedNs = 0;
};

// A new picture and the one that follows it in the new listing (empty at
// its end): a window inserts it before that one, or appends it.
struct SFolderAdd
{
    QString strPath;
    QString strNext;
};

struct SFolderRename
{
    QString strFrom;
    QString strTo;
};

// What changed from one listing of a folder to the next.
struct SFolderDiff
{
    QStringList arRemoved;
    QList<SFolderRename> arRenamed;
    QList<SFolderAdd> arAdded; // in listing order
    bool IsEmpty() const { return arRemoved.isEmpty() && arRenamed.isEmpty() && arAdded.isEmpty(); }
};

// The pictures gone from arOld and new in arNew; a gone and a new one that
// are the same file (device and inode) are a rename.
SFolderDiff DiffListings(const QList<SFolderEntry>& arOld, const QList<SFolderEntry>& arNew);

// The entries of arScan that windows may show: those shown already, those
// shown already under another name, and new ones whose size and time did not
// change since arPrevious, the scan before. The others are still being written.
QList<SFolderEntry> CompleteEntries(const QList<SFolderEntry>& arShown,
                                    const QList<SFolderEntry>& arPrevious,
                                    const QList<SFolderEntry>& arScan);
