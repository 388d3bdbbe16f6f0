#include "browse/FolderDiff.h"

#include <QHash>
#include <QSet>

#include <utility>

namespace {

using FileKey = QPair<quint64, quint64>;

FileKey KeyOf(const SFolderEntry& entry)
{
    return FileKey(entry.nDevice, entry.nInode);
}

bool SameFile(const SFolderEntry& a, const SFolderEntry& b)
{
    return a.nDevice == b.nDevice && a.nInode == b.nInode && a.nSize == b.nSize &&
           a.nModifiedNs == b.nModifiedNs;
}

} // namespace

SFolderDiff DiffListings(const QList<SFolderEntry>& arOld, const QList<SFolderEntry>& arNew)
{
    QSet<QString> setOld;
    QSet<QString> setNew;
    for (const SFolderEntry& entry : arOld)
        setOld.insert(entry.strPath);
    for (const SFolderEntry& entry : arNew)
        setNew.insert(entry.strPath);

    QMultiHash<FileKey, QString> mapGone;
    QStringList arGone;
    for (const SFolderEntry& entry : arOld) {
        if (setNew.contains(entry.strPath))
            continue;
        arGone.append(entry.strPath);
        if (entry.nInode != 0)
            mapGone.insert(KeyOf(entry), entry.strPath);
    }

    SFolderDiff diff;
    QSet<QString> setRenamed;
    for (qsizetype i = 0; i < arNew.size(); ++i) {
        const SFolderEntry& entry = arNew[i];
        if (setOld.contains(entry.strPath))
            continue;
        const auto it = entry.nInode != 0 ? mapGone.find(KeyOf(entry)) : mapGone.end();
        if (it != mapGone.end()) {
            diff.arRenamed.append({it.value(), entry.strPath});
            setRenamed.insert(it.value());
            mapGone.erase(it);
            continue;
        }
        diff.arAdded.append(
            {entry.strPath, i + 1 < arNew.size() ? arNew[i + 1].strPath : QString()});
    }
    for (const QString& strPath : std::as_const(arGone)) {
        if (!setRenamed.contains(strPath))
            diff.arRemoved.append(strPath);
    }
    return diff;
}

QList<SFolderEntry> CompleteEntries(const QList<SFolderEntry>& arShown,
                                    const QList<SFolderEntry>& arPrevious,
                                    const QList<SFolderEntry>& arScan)
{
    QSet<QString> setShown;
    QSet<FileKey> setShownFiles;
    for (const SFolderEntry& entry : arShown) {
        setShown.insert(entry.strPath);
        if (entry.nInode != 0)
            setShownFiles.insert(KeyOf(entry));
    }
    QHash<QString, qsizetype> mapPrevious;
    for (qsizetype i = 0; i < arPrevious.size(); ++i)
        mapPrevious.insert(arPrevious[i].strPath, i);

    QList<SFolderEntry> arComplete;
    arComplete.reserve(arScan.size());
    for (const SFolderEntry& entry : arScan) {
        const bool bShown = setShown.contains(entry.strPath) ||
                            (entry.nInode != 0 && setShownFiles.contains(KeyOf(entry)));
        const auto it = mapPrevious.constFind(entry.strPath);
        // Size and time as in the scan before: nobody is writing it now.
        const bool bSettled = it != mapPrevious.cend() && SameFile(arPrevious[it.value()], entry);
        if (bShown || bSettled)
            arComplete.append(entry);
    }
    return arComplete;
}
