// The records of pictures moved to the trash: kept a while, and put back.
#include "db/CDao_Table.h"

#include "db/CFingerprintStore.h"
#include "db/CImportedFiles.h"
#include "db/CTrashedRecords.h"
#include "platform/database/CDaoDatabase.h"
#include "platform/database/CDaoRecordset.h"
#include "platform/database/JetSql.h"

#include <QFileInfo>
#include <QSet>

void CDao_Table::AppendRecord(CDaoRecordset& recordset, const SPhotoRecord& record)
{
    // Empty texts stay empty, never null: the windows compare them as text.
    auto text = [](const QString& str) { return str.isNull() ? QString(QLatin1String("")) : str; };
    recordset.AddNew();
    if (record.m_dtDate.isValid())
        recordset.SetFieldValue(PhotoFieldName(EPhotoField::Date), record.m_dtDate);
    recordset.SetFieldValue(PhotoFieldName(EPhotoField::Name), record.m_strName);
    recordset.SetFieldValue(PhotoFieldName(EPhotoField::Extention), text(record.m_strExtension));
    recordset.SetFieldValue(PhotoFieldName(EPhotoField::Size), QString::number(record.m_nSize));
    recordset.SetFieldValue(PhotoFieldName(EPhotoField::Directory), record.m_strDirectory);
    recordset.SetFieldValue(PhotoFieldName(EPhotoField::Theme), text(record.m_strTheme));
    recordset.SetFieldValue(PhotoFieldName(EPhotoField::Comment), text(record.m_strComment));
    recordset.Update();
}

QList<SPhotoRecord> CDao_Table::TrashRecordsOf(const QString& strPath,
                                               const SPictureFingerprint& fingerprint)
{
    if (!IsDatabaseOpen())
        return {};
    const QFileInfo file(strPath);
    const QString strDirectory = RecordDirectory(file.path());
    const QString strName = file.fileName();
    // A picture without a record needs no write, so a read-only database
    // does not stand in the way of trashing it.
    if (!IsDatabaseWritable() && KeysOfPicture(strPath).isEmpty())
        return {};
    const QDateTime dtNow = QDateTime::currentDateTimeUtc();
    QList<qint64> arKeys;
    QList<SPhotoRecord> arRecords;
    WriteAtOnce([&] {
        CDaoDatabase* pDatabase = m_pCDaoDatabase.get();
        arKeys = KeysOfPicture(strPath);
        arRecords = ReadRecordsOf(arKeys);
        CTrashedRecords trash(pDatabase);
        trash.Ensure();
        trash.Prune(dtNow);
        const QString strDelete = QStringLiteral("DELETE FROM %1 WHERE %2 = ?")
                                      .arg(JetQuoteName(m_TableInfo.m_strTableName),
                                           JetQuoteName(PhotoFieldName(EPhotoField::ID_Photo)));
        for (const SPhotoRecord& record : std::as_const(arRecords)) {
            trash.Add({record, fingerprint}, dtNow);
            pDatabase->Execute(strDelete, {record.m_nKey});
        }
        // Put back by a file manager, the picture is imported again (and
        // finds its record here).
        CImportedFiles::ForgetOne(pDatabase, strDirectory, strName);
        CFingerprintStore(pDatabase).Forget(strDirectory, strName);
    });
    if (!arKeys.isEmpty())
        emit m_notifier.RecordsDeleted(arKeys);
    return arRecords;
}

int CDao_Table::RestoreTrashedRecords(const QString& strPath)
{
    const QFileInfo file(strPath);
    const QString strDirectory = RecordDirectory(file.path());
    const QString strName = file.fileName();
    QList<SPhotoRecord> arAdded;
    int nRestored = 0;
    // The file is back: only the records kept for this very picture come
    // with it, not those of another picture trashed earlier under its name.
    const SPictureFingerprint fingerprint = PictureFingerprint(strPath);
    WriteAtOnce([&] {
        CDaoDatabase* pDatabase = m_pCDaoDatabase.get();
        const QList<STrashedRecord> arKept =
            CTrashedRecords(pDatabase).TakeFile(strDirectory, strName, fingerprint);
        if (arKept.isEmpty())
            return;
        const QList<qint64> arBefore = KeysOfPicture(strPath);
        {
            CDaoRecordset recordset(pDatabase);
            recordset.m_strFilter =
                QStringLiteral("[%1]='%2'")
                    .arg(PhotoFieldName(EPhotoField::Directory), JetQuoteText(strDirectory));
            recordset.Open(AFX_DAO_USE_DEFAULT_TYPE,
                           QStringLiteral("SELECT * FROM [%1]").arg(m_TableInfo.m_strTableName));
            for (const STrashedRecord& kept : arKept)
                AppendRecord(recordset, kept.m_record);
        }
        CImportedFiles::RememberOne(pDatabase, strDirectory, strName);
        CFingerprintStore store(pDatabase);
        store.Ensure();
        store.Store(strDirectory, strName, fingerprint);
        QList<qint64> arNew = KeysOfPicture(strPath);
        arNew.removeIf([&](qint64 nKey) { return arBefore.contains(nKey); });
        arAdded = ReadRecordsOf(arNew);
        nRestored = int(arKept.size());
    });
    if (!arAdded.isEmpty())
        emit m_notifier.RecordsAdded(arAdded);
    return nRestored;
}

void CDao_Table::AnnounceChanged(const QList<qint64>& arKeys)
{
    if (!arKeys.isEmpty())
        emit m_notifier.RecordsChanged(ReadRecordsOf(arKeys));
}

void CDao_Table::AnnounceAdded(const QList<qint64>& arKeys)
{
    if (!arKeys.isEmpty())
        emit m_notifier.RecordsAdded(ReadRecordsOf(arKeys));
}
