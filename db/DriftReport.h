#pragma once

#include "db/PictureFingerprint.h"

#include <QDateTime>
#include <QList>
#include <QString>

// A photo record as the database check needs it: where its file should be
// and how large it was when recorded.
struct SFileRecord
{
    qint64 m_nKey = 0;
    QString m_strDirectory;
    QString m_strName;
    qint64 m_nSize = 0;
    QDateTime m_dtDate; // the record's Date; invalid when it has none
};

// A record whose gone file the check found under another name, or in
// another folder of the database: arRecords[m_nRecord] of the check.
struct SRenamedFile
{
    qsizetype m_nRecord = -1;
    QString m_strNewDirectory;
    QString m_strNewName;
    SPictureFingerprint m_fingerprint; // of the file found
    bool m_bByFingerprint = false;     // else by size, date and extension
};

// What the check found where a record points, in place of a file size.
inline constexpr qint64 g_nNoFile = -1;   // the folder is there, the file is not
inline constexpr qint64 g_nNoFolder = -2; // the folder itself is gone

// The ways a record can disagree with the disk, in the order they are listed.
enum class EDrift { FolderMissing, Renamed, FileMissing, SizeDiffers };

// One line of the check's report: a folder that is gone (every record of it
// in m_arKeys), or one record's file that is gone or changed size.
struct SDriftRow
{
    EDrift m_eKind = EDrift::FileMissing;
    QString m_strDirectory;
    QString m_strName; // empty for a folder
    QList<qint64> m_arKeys;
    qint64 m_nStoredSize = 0;
    qint64 m_nDiskSize = g_nNoFile;
    // Renamed: where the file is now.
    QString m_strNewDirectory;
    QString m_strNewName;
    SPictureFingerprint m_newFingerprint;
    bool m_bByFingerprint = false;
};

// The report on the first arDiskSizes.size() records, arDiskSizes[i] being
// what the disk holds for arRecords[i]: a file size, g_nNoFile or g_nNoFolder.
// Gone folders first, then files found renamed (arRenamed), then missing
// files, then changed sizes, each by folder and name.
QList<SDriftRow> DriftReport(const QList<SFileRecord>& arRecords, const QList<qint64>& arDiskSizes,
                             const QList<SRenamedFile>& arRenamed = {});

// A Renamed line's "IMG_10.JPG → IMG_10_renamed.JPG", with the new folder
// when it moved to another.
QString RenamedText(const SDriftRow& row);

// Where a record of strDirectory belongs once strOldFolder is found at
// strNewFolder: its place below the old folder kept under the new one. Empty
// when strDirectory is not strOldFolder or inside it.
QString RelocatedDirectory(const QString& strDirectory, const QString& strOldFolder,
                           const QString& strNewFolder);

// The outermost folder that is gone among strDirectory and the folders
// that hold it; strDirectory itself when its parent is there.
QString OutermostMissingFolder(const QString& strDirectory);

// Whether strFolder (a gone folder whose parent is there) is where a
// removable disk is mounted: straight inside /mnt, /media, /media/<user> or
// /run/media/<user>. Its records may only be waiting for the disk.
bool IsRemovableMountPlace(const QString& strFolder);

// The report's name for the kind of disagreement.
QString DriftText(EDrift eKind);
