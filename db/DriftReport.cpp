#include "db/DriftReport.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QHash>

#include <algorithm>
#include <tuple>

QList<SDriftRow> DriftReport(const QList<SFileRecord>& arRecords, const QList<qint64>& arDiskSizes,
                             const QList<SRenamedFile>& arRenamed)
{
    const qsizetype nChecked = qMin(arRecords.size(), arDiskSizes.size());
    QList<SDriftRow> arRows;
    QHash<qsizetype, const SRenamedFile*> renamed;
    for (const SRenamedFile& file : arRenamed)
        renamed.insert(file.m_nRecord, &file);
    QHash<QString, qsizetype> folderRows;
    for (qsizetype i = 0; i < nChecked; ++i) {
        const SFileRecord& record = arRecords[i];
        const qint64 nDiskSize = arDiskSizes[i];
        if (nDiskSize == g_nNoFolder) {
            // One line for the whole folder: renamed or moved, it is one fix.
            auto it = folderRows.find(record.m_strDirectory);
            if (it == folderRows.end()) {
                it = folderRows.insert(record.m_strDirectory, arRows.size());
                SDriftRow row;
                row.m_eKind = EDrift::FolderMissing;
                row.m_strDirectory = record.m_strDirectory;
                arRows.append(row);
            }
            arRows[*it].m_arKeys.append(record.m_nKey);
            continue;
        }
        if (nDiskSize != g_nNoFile && nDiskSize == record.m_nSize)
            continue;
        SDriftRow row;
        row.m_eKind = nDiskSize == g_nNoFile ? EDrift::FileMissing : EDrift::SizeDiffers;
        row.m_strDirectory = record.m_strDirectory;
        row.m_strName = record.m_strName;
        row.m_arKeys = {record.m_nKey};
        row.m_nStoredSize = record.m_nSize;
        row.m_nDiskSize = nDiskSize;
        if (const SRenamedFile* pRenamed = nDiskSize == g_nNoFile ? renamed.value(i) : nullptr) {
            row.m_eKind = EDrift::Renamed;
            row.m_strNewDirectory = pRenamed->m_strNewDirectory;
            row.m_strNewName = pRenamed->m_strNewName;
            row.m_newFingerprint = pRenamed->m_fingerprint;
            row.m_bByFingerprint = pRenamed->m_bByFingerprint;
            row.m_nDiskSize = pRenamed->m_fingerprint.m_nSize;
        }
        arRows.append(row);
    }
    std::stable_sort(arRows.begin(), arRows.end(), [](const SDriftRow& a, const SDriftRow& b) {
        return std::tie(a.m_eKind, a.m_strDirectory, a.m_strName) <
               std::tie(b.m_eKind, b.m_strDirectory, b.m_strName);
    });
    return arRows;
}

QString RelocatedDirectory(const QString& strDirectory, const QString& strOldFolder,
                           const QString& strNewFolder)
{
    if (strDirectory == strOldFolder)
        return strNewFolder;
    const QString strPrefix = strOldFolder + u'/';
    if (!strDirectory.startsWith(strPrefix))
        return QString();
    return strNewFolder + u'/' + strDirectory.mid(strPrefix.size());
}

QString OutermostMissingFolder(const QString& strDirectory)
{
    QString strFolder = strDirectory;
    for (;;) {
        const qsizetype nSlash = strFolder.lastIndexOf(u'/');
        if (nSlash <= 0 || QFileInfo::exists(strFolder.left(nSlash)))
            return strFolder;
        strFolder.truncate(nSlash);
    }
}

bool IsRemovableMountPlace(const QString& strFolder)
{
    const QStringList arParts = strFolder.split(u'/', Qt::SkipEmptyParts);
    if (arParts.size() < 2 || strFolder.front() != u'/')
        return false;
    const QString& strRoot = arParts[0];
    if (strRoot == QLatin1String("mnt"))
        return arParts.size() == 2;
    if (strRoot == QLatin1String("media"))
        return arParts.size() == 2 || arParts.size() == 3;
    if (strRoot == QLatin1String("run") && arParts[1] == QLatin1String("media"))
        return arParts.size() == 4;
    return false;
}

QString RenamedText(const SDriftRow& row)
{
    const QString strNew = row.m_strNewDirectory == row.m_strDirectory
                               ? row.m_strNewName
                               : row.m_strNewDirectory + u'/' + row.m_strNewName;
    return row.m_strName + QStringLiteral(" \u2192 ") + strNew;
}

QString DriftText(EDrift eKind)
{
    switch (eKind) {
    case EDrift::Renamed:
        return QCoreApplication::translate("DriftReport", "Renamed");
    case EDrift::FolderMissing:
        return QCoreApplication::translate("DriftReport", "Folder missing");
    case EDrift::FileMissing:
        return QCoreApplication::translate("DriftReport", "File missing");
    case EDrift::SizeDiffers:
        return QCoreApplication::translate("DriftReport", "Size differs");
    }
    return QString();
}
