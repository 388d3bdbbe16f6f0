// The queries of the database check that keep records with their pictures:
// fingerprints, renames followed, and records removed with their names.
#include "db/CDao_Table.h"

#include "db/CFingerprintStore.h"
#include "db/CImportedFiles.h"
#include "db/DatabaseLog.h"
#include "platform/database/CDaoDatabase.h"
#include "platform/database/CDaoException.h"
#include "platform/database/JetSql.h"
#include "platform/picture/FolderListing.h"

#include <QSqlError>
#include <QSqlQuery>

QHash<QString, SPictureFingerprint> CDao_Table::ReadFingerprints()
{
    try {
        if (!IsDatabaseOpen())
            throw CDaoException(UnavailableMessage());
        return CFingerprintStore(m_pCDaoDatabase.get()).ReadAll();
    } catch (const CDaoException&) {
        RethrowReadFailure();
    }
}

void CDao_Table::StoreFingerprints(const QList<SFileRecord>& arRecords,
                                   const QList<SPictureFingerprint>& arPrints)
{
    if (arRecords.isEmpty())
        return;
    WriteAtOnce([&] {
        CFingerprintStore store(m_pCDaoDatabase.get());
        store.Ensure();
        for (qsizetype i = 0; i < qMin(arRecords.size(), arPrints.size()); ++i)
            store.Store(arRecords[i].m_strDirectory, arRecords[i].m_strName, arPrints[i]);
    });
}

void CDao_Table::FollowRenames(const QList<SDriftRow>& arRows)
{
    QList<qint64> arKeys;
    for (const SDriftRow& row : arRows) {
        if (row.m_eKind == EDrift::Renamed)
            arKeys.append(row.m_arKeys);
    }
    if (arKeys.isEmpty())
        return;
    const QString strSql = QStringLiteral("UPDATE %1 SET %2 = ?, %3 = ?, %4 = ? WHERE %5 = ?")
                               .arg(JetQuoteName(m_TableInfo.m_strTableName),
                                    JetQuoteName(PhotoFieldName(EPhotoField::Directory)),
                                    JetQuoteName(PhotoFieldName(EPhotoField::Name)),
                                    JetQuoteName(PhotoFieldName(EPhotoField::Extention)),
                                    JetQuoteName(PhotoFieldName(EPhotoField::ID_Photo)));
    // Theme, Comment and Date stay: only where the file is changes.
    WriteAtOnce([&] {
        CDaoDatabase* pDatabase = m_pCDaoDatabase.get();
        CFingerprintStore store(pDatabase);
        store.Ensure();
        QList<QPair<QString, QString>> arOld;
        for (const SDriftRow& row : arRows) {
            if (row.m_eKind != EDrift::Renamed)
                continue;
            for (qint64 nKey : row.m_arKeys)
                pDatabase->Execute(strSql, {row.m_strNewDirectory, row.m_strNewName,
                                            GetExtension(row.m_strNewName), nKey});
            arOld.append({row.m_strDirectory, row.m_strName});
        }
        CImportedFiles::ForgetAll(pDatabase, arOld);
        store.ForgetAll(arOld);
        for (const SDriftRow& row : arRows) {
            if (row.m_eKind != EDrift::Renamed)
                continue;
            CImportedFiles::RememberOne(pDatabase, row.m_strNewDirectory, row.m_strNewName);
            store.Store(row.m_strNewDirectory, row.m_strNewName, row.m_newFingerprint);
        }
    });
    emit m_notifier.RecordsChanged(ReadRecordsOf(arKeys));
}

void CDao_Table::RemoveMissingRecords(const QList<qint64>& arKeys)
{
    if (arKeys.isEmpty())
        return;
    WriteAtOnce([&] {
        CDaoDatabase* pDatabase = m_pCDaoDatabase.get();
        QList<QPair<QString, QString>> arFiles;
        for (const SPhotoRecord& record : ReadRecordsOf(arKeys))
            arFiles.append({record.m_strDirectory, record.m_strName});
        DeleteRows(arKeys);
        // A picture that comes back is imported again.
        CImportedFiles::ForgetAll(pDatabase, arFiles);
        CFingerprintStore(pDatabase).ForgetAll(arFiles);
    });
    emit m_notifier.RecordsDeleted(arKeys);
}
