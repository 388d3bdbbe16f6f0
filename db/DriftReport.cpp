#include "db/DriftReport.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QHash>

#include <algorithm>
#include <tuple>

QList<SDriftRow> DriftReport(const QList<SFileRecord>& arRecords, const QList<qint64>& arDiskSizes)
{
    const qsizetype nChecked = qMin(arRecords.size(), arDiskSizes.size());
    QList<SDriftRow> arRows;
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

QString DriftText(EDrift eKind)
{
    switch (eKind) {
    case EDrift::FolderMissing:
        return QCoreApplication::translate("DriftReport", "Folder missing");
    case EDrift::FileMissing:
        return QCoreApplication::translate("DriftReport", "File missing");
    case EDrift::SizeDiffers:
        return QCoreApplication::translate("DriftReport", "Size differs");
    }
    return QString();
}
