#include "db/CPictureImport.h"

#include "db/CDao_Table.h"
#include "db/CFingerprintStore.h"
#include "db/CImportedFiles.h"
#include "db/CTrashedRecords.h"
#include "db/CaptureTime.h"
#include "db/DatabaseLog.h"
#include "platform/database/CDaoDatabase.h"
#include "platform/database/CDaoException.h"
#include "platform/database/CDaoRecordset.h"
#include "platform/database/JetSql.h"
#include "platform/picture/FolderListing.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>

#include <functional>
#include <optional>

CPictureImport::CPictureImport(CDao_Table* pTable)
    : m_pTable(pTable)
{
}

bool CPictureImport::Import(const QString& strFolder, const QStringList& arPictures)
{
    m_nAdded = m_nPresent = m_nForgotten = m_nSkipped = m_nFollowed = m_nRestored = 0;
    m_arFollowedKeys.clear();
    m_arRestoredKeys.clear();
    m_strError.clear();
    m_pTable->Recheck();
    if (!m_pTable->IsDatabaseOpen()) {
        m_strError = m_pTable->UnavailableMessage();
        return false;
    }
    if (!m_pTable->IsDatabaseWritable()) {
        m_strError = m_pTable->ReadOnlyMessage();
        return false;
    }
    const CDao_TableInfo& info = m_pTable->m_TableInfo;
    CDaoDatabase* pDatabase = m_pTable->m_pCDaoDatabase.get();
    bool bInTransaction = false;
    CDao_Table::EFailedAt eAt = CDao_Table::EFailedAt::Writing;
    try {
        // Read and add under one write lock: a second program importing the
        // same folder waits here, then finds these records present.
        pDatabase->BeginTrans();
        bInTransaction = true;
        AddRecords(info, strFolder, arPictures);
        eAt = CDao_Table::EFailedAt::Committing;
        pDatabase->CommitTrans();
        qCDebug(lcDatabase) << "imported" << arPictures.size() << "pictures:" << m_nAdded
                            << "added," << m_nFollowed << "followed," << m_nRestored << "restored,"
                            << m_nPresent << "present," << m_nForgotten << "deleted before,"
                            << m_nSkipped << "skipped";
    } catch (...) {
        // Whatever the failure, no half-done import stays open, holding the
        // write lock; the failure that led here is the one worth reporting.
        if (bInTransaction) {
            try {
                pDatabase->Rollback();
            } catch (const std::exception& e) {
                qCWarning(lcDatabase) << "import rollback failed too:" << e.what();
            }
        }
        m_nAdded = m_nFollowed = m_nRestored = 0;
        try {
            throw;
        } catch (const CDaoException& e) {
            m_strError = m_pTable->LostConnectionMessage(e.GetErrorDescription(), eAt);
            if (m_strError.isEmpty())
                m_strError = e.GetErrorDescription();
            return false;
        }
    }
    // The windows showing records learn of those moved or back; stored
    // they are, whether or not the windows can be told.
    try {
        m_pTable->AnnounceChanged(m_arFollowedKeys);
        m_pTable->AnnounceAdded(m_arRestoredKeys);
    } catch (const CDaoException& e) {
        qCWarning(lcDatabase) << "imported records not announced:" << e.what();
    }
    return true;
}

QSet<QString> CPictureImport::PresentNames(const QString& strTable, const QString& strFilter,
                                           const QString& strDirectory)
{
    const QString strNameField = PhotoFieldName(EPhotoField::Name);
    const QString strDirectoryField = PhotoFieldName(EPhotoField::Directory);
    // Only the two fields, read straight through: a folder's records are
    // read again for every step of its import.
    CDaoRecordset recordset(m_pTable->m_pCDaoDatabase.get());
    recordset.m_strFilter = strFilter;
    recordset.Open(AFX_DAO_USE_DEFAULT_TYPE,
                   QStringLiteral("SELECT [%1], [%2] FROM [%3]")
                       .arg(strNameField, strDirectoryField, strTable),
                   dbForwardOnly);
    // Text comparison in the engine ignores case; file names here do not.
    QSet<QString> setPresent;
    for (; !recordset.IsEOF(); recordset.MoveNext()) {
        if (recordset.GetFieldValue(strDirectoryField).toString() == strDirectory)
            setPresent.insert(recordset.GetFieldValue(strNameField).toString());
    }
    return setPresent;
}

void CPictureImport::AddRecords(const CDao_TableInfo& info, const QString& strFolder,
                                const QStringList& arPictures)
{
    const qsizetype nNameLimit = CheckedAt(info.m_arSizes, EPhotoField::Name);
    const qsizetype nExtensionLimit = CheckedAt(info.m_arSizes, EPhotoField::Extention);
    const qsizetype nDirectoryLimit = CheckedAt(info.m_arSizes, EPhotoField::Directory);

    CDaoDatabase* pDatabase = m_pTable->m_pCDaoDatabase.get();
    const QString strDirectory = RecordDirectory(strFolder);
    const bool bDirectoryFits = strDirectory.toUcs4().size() <= nDirectoryLimit;
    const QString strFilter =
        QStringLiteral("[%1]='%2'")
            .arg(PhotoFieldName(EPhotoField::Directory), JetQuoteText(strDirectory));
    QSet<QString> setPresent = PresentNames(info.m_strTableName, strFilter, strDirectory);
    CDaoRecordset recordset(pDatabase);
    recordset.m_strFilter = strFilter;
    recordset.Open(AFX_DAO_USE_DEFAULT_TYPE,
                   QStringLiteral("SELECT * FROM [%1]").arg(info.m_strTableName));
    CImportedFiles imported(pDatabase, strDirectory);
    CFingerprintStore store(pDatabase);
    store.Ensure();
    const QList<QString> arTrashedNames = CTrashedRecords(pDatabase).NamesIn(strDirectory);
    const QSet<QString> setTrashed(arTrashedNames.cbegin(), arTrashedNames.cend());
    // Read only when this step needs them: a first import has none.
    std::optional<QHash<QString, SPictureFingerprint>> prints;
    auto folderPrints = [&]() -> const QHash<QString, SPictureFingerprint>& {
        if (!prints)
            prints = store.ReadFolder(strDirectory);
        return *prints;
    };

    // First the new pictures' fingerprints: a rename is followed only to
    // the one new picture that has it.
    struct SNew
    {
        QFileInfo fileInfo;
        QDateTime dtDate;
        SPictureFingerprint fingerprint;
    };
    QList<SNew> arNew;
    for (const QString& strPath : arPictures) {
        const QFileInfo fileInfo(strPath);
        const QString strName = fileInfo.fileName();
        if (setPresent.contains(strName)) {
            // Databases from before the import kept what it saw learn it here,
            // and those from before fingerprints their fingerprints.
            imported.Remember(strName);
            if (!folderPrints().contains(strName))
                store.Store(strDirectory, strName, PictureFingerprint(strPath));
            ++m_nPresent;
            continue;
        }
        if (imported.Contains(strName)) {
            ++m_nForgotten;
            continue;
        }
        const QString strExtension = GetExtension(strName);
        if (!bDirectoryFits || strName.toUcs4().size() > nNameLimit ||
            strExtension.toUcs4().size() > nExtensionLimit || !fileInfo.isFile()) {
            ++m_nSkipped;
            continue;
        }
        SNew added{fileInfo, {}, PictureFingerprint(fileInfo)};
        // A file that can not be read still gets its record, as it always did.
        added.dtDate =
            added.fingerprint.IsValid() ? added.fingerprint.m_dtDate : PictureDate(fileInfo);
        arNew.append(added);
    }
    // How many new pictures have each fingerprint: counted only when some
    // record of the folder may have lost its file.
    std::optional<QHash<QString, int>> newPrints;
    auto newCounts = [&]() -> const QHash<QString, int>& {
        if (!newPrints) {
            newPrints.emplace();
            for (const SNew& added : std::as_const(arNew)) {
                if (added.fingerprint.IsValid())
                    (*newPrints)[FingerprintKey(added.fingerprint)] += 1;
            }
        }
        return *newPrints;
    };
    std::optional<QMultiHash<QString, QString>> gone;
    for (const SNew& added : std::as_const(arNew)) {
        const QString strName = added.fileInfo.fileName();
        const SPictureFingerprint& fingerprint = added.fingerprint;
        if (setTrashed.contains(strName) &&
            RestoreTrashed(recordset, strDirectory, strName, fingerprint)) {
            imported.Remember(strName);
            setPresent.insert(strName);
            continue;
        }
        if (fingerprint.IsValid() && (!gone || !gone->isEmpty())) {
            if (!gone)
                gone = GoneByFingerprint(strDirectory, setPresent, arPictures, newCounts,
                                         folderPrints);
            const QString strKey = FingerprintKey(fingerprint);
            const QStringList arGone = gone->values(strKey);
            if (arGone.size() == 1 && newCounts().value(strKey) == 1) {
                FollowRename(strDirectory, arGone[0], strName, fingerprint);
                gone->remove(strKey);
                imported.Remember(strName);
                setPresent.insert(strName);
                continue;
            }
        }
        AddRecord(recordset, added.fileInfo, strDirectory, added.dtDate);
        store.Store(strDirectory, strName, fingerprint);
        imported.Remember(strName);
        ++m_nAdded;
    }
}

QMultiHash<QString, QString> CPictureImport::GoneByFingerprint(
    const QString& strDirectory, const QSet<QString>& setPresent, const QStringList& arPictures,
    const std::function<const QHash<QString, int>&()>& newPrints,
    const std::function<const QHash<QString, SPictureFingerprint>&()>& prints)
{
    QMultiHash<QString, QString> gone;
    QSet<QString> setStep;
    for (const QString& strPath : arPictures)
        setStep.insert(QFileInfo(strPath).fileName());
    auto isGone = [&](const QString& strName) {
        // A file of a format not listed now may still be there.
        return !setStep.contains(strName) && !m_setFolderNames.contains(strName) &&
               !QFileInfo::exists(strDirectory + u'/' + strName);
    };
    if (!m_setFolderNames.isEmpty()) {
        // The listing tells which records lost their files, nearly always none.
        for (const QString& strName : setPresent) {
            if (!isGone(strName))
                continue;
            const auto itPrint = prints().constFind(strName);
            if (itPrint != prints().cend())
                gone.insert(FingerprintKey(*itPrint), strName);
        }
        return gone;
    }
    // Without the listing, only a record that some new picture matches is
    // looked for on the disk.
    for (auto it = prints().cbegin(); it != prints().cend(); ++it) {
        const QString strKey = FingerprintKey(*it);
        if (newPrints().value(strKey) == 1 && setPresent.contains(it.key()) && isGone(it.key()))
            gone.insert(strKey, it.key());
    }
    return gone;
}

void CPictureImport::FollowRename(const QString& strDirectory, const QString& strOld,
                                  const QString& strNew, const SPictureFingerprint& fingerprint)
{
    CDaoDatabase* pDatabase = m_pTable->m_pCDaoDatabase.get();
    const QList<qint64> arKeys = m_pTable->KeysOfPicture(strDirectory + u'/' + strOld);
    const QString strSql = QStringLiteral("UPDATE %1 SET %2 = ?, %3 = ? WHERE %4 = ?")
                               .arg(JetQuoteName(m_pTable->m_TableInfo.m_strTableName),
                                    JetQuoteName(PhotoFieldName(EPhotoField::Name)),
                                    JetQuoteName(PhotoFieldName(EPhotoField::Extention)),
                                    JetQuoteName(PhotoFieldName(EPhotoField::ID_Photo)));
    for (qint64 nKey : arKeys)
        pDatabase->Execute(strSql, {strNew, GetExtension(strNew), nKey});
    CImportedFiles::ForgetOne(pDatabase, strDirectory, strOld);
    CFingerprintStore store(pDatabase);
    store.Forget(strDirectory, strOld);
    store.Store(strDirectory, strNew, fingerprint);
    m_arFollowedKeys.append(arKeys);
    ++m_nFollowed;
}

bool CPictureImport::RestoreTrashed(CDaoRecordset& recordset, const QString& strDirectory,
                                    const QString& strName, const SPictureFingerprint& fingerprint)
{
    CDaoDatabase* pDatabase = m_pTable->m_pCDaoDatabase.get();
    // Another picture under the trashed one's name is a new picture.
    const QList<STrashedRecord> arKept =
        CTrashedRecords(pDatabase).TakeFile(strDirectory, strName, fingerprint);
    if (arKept.isEmpty())
        return false;
    for (const STrashedRecord& kept : arKept)
        CDao_Table::AppendRecord(recordset, kept.m_record);
    CFingerprintStore(pDatabase).Store(strDirectory, strName, fingerprint);
    m_arRestoredKeys.append(m_pTable->KeysOfPicture(strDirectory + u'/' + strName));
    ++m_nRestored;
    return true;
}

void CPictureImport::AddRecord(CDaoRecordset& recordset, const QFileInfo& fileInfo,
                               const QString& strDirectory, const QDateTime& dtDate)
{
    const QString strExtension = GetExtension(fileInfo.fileName());
    recordset.AddNew();
    recordset.SetFieldValue(PhotoFieldName(EPhotoField::Date), dtDate);
    recordset.SetFieldValue(PhotoFieldName(EPhotoField::Name), fileInfo.fileName());
    recordset.SetFieldValue(PhotoFieldName(EPhotoField::Extention), strExtension);
    recordset.SetFieldValue(PhotoFieldName(EPhotoField::Size), QString::number(fileInfo.size()));
    recordset.SetFieldValue(PhotoFieldName(EPhotoField::Directory), strDirectory);
    recordset.SetFieldValue(PhotoFieldName(EPhotoField::Theme), QString(QLatin1String("")));
    recordset.SetFieldValue(PhotoFieldName(EPhotoField::Comment), QString(QLatin1String("")));
    recordset.Update();
}
