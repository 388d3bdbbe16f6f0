#include "db/CPictureImport.h"

#include "db/CDao_Table.h"
#include "db/CImportedFiles.h"
#include "db/DatabaseLog.h"
#include "platform/database/CDaoDatabase.h"
#include "platform/database/CDaoException.h"
#include "platform/database/CDaoRecordset.h"
#include "platform/database/JetSql.h"
#include "platform/picture/FolderListing.h"
#include "platform/picture/HeifDecoder.h"
#include "platform/picture/PictureFormats.h"
#include "platform/picture/RawPreview.h"
#include "platform/picture/RegularFile.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>

#include <libexif/exif-data.h>

namespace {

// HEIF and raw files are read whole by their libraries; no camera writes one this large.

// The camera's capture time (DateTimeOriginal, "2006:12:07 14:03:22") as the
// wall clock it is (spec Qt::UTC, no zone), or an invalid QDateTime when the
// block has none; takes the block. Read through no zone, so an hour that a
// daylight-saving change skips or repeats here is kept as the camera showed it.
QDateTime ExifCaptureTime(ExifData* pData)
{
    QDateTime dateTime;
    if (!pData)
        return dateTime;
    if (ExifEntry* pEntry =
            exif_content_get_entry(pData->ifd[EXIF_IFD_EXIF], EXIF_TAG_DATE_TIME_ORIGINAL)) {
        char szValue[64] = {};
        exif_entry_get_value(pEntry, szValue, sizeof(szValue));
        const QStringList arParts = QString::fromLatin1(szValue).split(u' ', Qt::SkipEmptyParts);
        if (arParts.size() == 2) {
            const QDate date = QDate::fromString(arParts[0], QStringLiteral("yyyy:MM:dd"));
            const QTime time = QTime::fromString(arParts[1], QStringLiteral("HH:mm:ss"));
            if (date.isValid() && time.isValid())
                dateTime = QDateTime(date, time, Qt::UTC);
        }
    }
    exif_data_unref(pData);
    return dateTime;
}

bool IsJpeg(const QString& strExtension)
{
    return strExtension.compare(QLatin1String("jpg"), Qt::CaseInsensitive) == 0 ||
           strExtension.compare(QLatin1String("jpeg"), Qt::CaseInsensitive) == 0 ||
           strExtension.compare(QLatin1String("jpe"), Qt::CaseInsensitive) == 0 ||
           strExtension.compare(QLatin1String("jfif"), Qt::CaseInsensitive) == 0;
}

// The capture time the file itself holds: the EXIF block of a JPEG or HEIF
// file, or the time LibRaw reads from a raw file. Invalid when there is none.
QDateTime CaptureTime(const QString& strPath, const QString& strExtension)
{
    switch (DecoderForExtension(strExtension)) {
    case EPictureDecoder::Raster:
        if (!IsJpeg(strExtension))
            return QDateTime();
        return ExifCaptureTime(exif_data_new_from_file(QFile::encodeName(strPath).constData()));
    case EPictureDecoder::Heif: {
        const QByteArray exif = HeifExif(ReadRegularFile(strPath, kMaxCameraFileBytes));
        if (exif.isEmpty())
            return QDateTime();
        return ExifCaptureTime(exif_data_new_from_data(
            reinterpret_cast<const unsigned char*>(exif.constData()), unsigned(exif.size())));
    }
    case EPictureDecoder::CameraRaw:
        return ReadRawFacts(ReadRegularFile(strPath, kMaxCameraFileBytes)).dtCaptured;
    default:
        return QDateTime();
    }
}

} // namespace

CPictureImport::CPictureImport(CDao_Table* pTable)
    : m_pTable(pTable)
{
}

bool CPictureImport::Import(const QString& strFolder, const QStringList& arPictures)
{
    m_nAdded = m_nPresent = m_nForgotten = m_nSkipped = 0;
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
                            << "added," << m_nPresent << "present," << m_nForgotten
                            << "deleted before," << m_nSkipped << "skipped";
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
        m_nAdded = 0;
        try {
            throw;
        } catch (const CDaoException& e) {
            m_strError = m_pTable->LostConnectionMessage(e.GetErrorDescription(), eAt);
            if (m_strError.isEmpty())
                m_strError = e.GetErrorDescription();
            return false;
        }
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

    const QString strDirectory = RecordDirectory(strFolder);
    const bool bDirectoryFits = strDirectory.toUcs4().size() <= nDirectoryLimit;
    const QString strFilter =
        QStringLiteral("[%1]='%2'")
            .arg(PhotoFieldName(EPhotoField::Directory), JetQuoteText(strDirectory));
    const QSet<QString> setPresent = PresentNames(info.m_strTableName, strFilter, strDirectory);
    CDaoRecordset recordset(m_pTable->m_pCDaoDatabase.get());
    recordset.m_strFilter = strFilter;
    recordset.Open(AFX_DAO_USE_DEFAULT_TYPE,
                   QStringLiteral("SELECT * FROM [%1]").arg(info.m_strTableName));
    CImportedFiles imported(m_pTable->m_pCDaoDatabase.get(), strDirectory);
    for (const QString& strPath : arPictures) {
        const QFileInfo fileInfo(strPath);
        const QString strName = fileInfo.fileName();
        if (setPresent.contains(strName)) {
            // Databases from before the import kept what it saw learn it here.
            imported.Remember(strName);
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
        AddRecord(recordset, fileInfo, strDirectory);
        imported.Remember(strName);
        ++m_nAdded;
    }
}

void CPictureImport::AddRecord(CDaoRecordset& recordset, const QFileInfo& fileInfo,
                               const QString& strDirectory)
{
    const QString strExtension = GetExtension(fileInfo.fileName());
    QDateTime date = CaptureTime(fileInfo.filePath(), strExtension);
    if (!date.isValid()) {
        const QDateTime modified = fileInfo.lastModified();
        date = QDateTime(modified.date(), modified.time(), Qt::UTC);
    }
    recordset.AddNew();
    recordset.SetFieldValue(PhotoFieldName(EPhotoField::Date), date);
    recordset.SetFieldValue(PhotoFieldName(EPhotoField::Name), fileInfo.fileName());
    recordset.SetFieldValue(PhotoFieldName(EPhotoField::Extention), strExtension);
    recordset.SetFieldValue(PhotoFieldName(EPhotoField::Size), QString::number(fileInfo.size()));
    recordset.SetFieldValue(PhotoFieldName(EPhotoField::Directory), strDirectory);
    recordset.SetFieldValue(PhotoFieldName(EPhotoField::Theme), QString(QLatin1String("")));
    recordset.SetFieldValue(PhotoFieldName(EPhotoField::Comment), QString(QLatin1String("")));
    recordset.Update();
}
