#pragma once

#include "db/PictureFingerprint.h"

#include <QHash>
#include <QList>
#include <QSet>
#include <QString>
#include <QStringList>

#include <functional>

class CDao_Table;
class CDaoRecordset;
class QDateTime;
class QFileInfo;
struct CDao_TableInfo;

// Adds photo records for the pictures of one folder: one record per picture
// that has none yet (same Directory and Name) and that no import has seen
// before. A picture that is a record's file renamed (the one of the
// folder whose fingerprint it has) takes that record over, and one put
// back from the trash gets its kept record back. Shows no message: it runs
// whenever a picture is opened, and the caller decides what to tell.
class CPictureImport
{
public:
    explicit CPictureImport(CDao_Table* pTable);

    // arPictures holds full paths of files in strFolder. All records are
    // added in one transaction; false (nothing added) on an engine error or
    // when the database is not open or read-only, with the reason in
    // m_strError. Any other exception (a programming error) is passed on,
    // after the transaction is rolled back.
    bool Import(const QString& strFolder, const QStringList& arPictures);
    // The names of every picture of the folder, when the caller has listed
    // it whole: a record missing among them is gone without a look at the
    // disk.
    void SetFolderNames(QSet<QString> setNames) { m_setFolderNames = std::move(setNames); }

    int m_nAdded = 0;
    int m_nFollowed = 0;  // a record moved to its picture's new name
    int m_nRestored = 0;  // a trashed picture back, with its records
    int m_nPresent = 0;   // already had a record
    int m_nForgotten = 0; // seen before, and its record deleted since
    int m_nSkipped = 0;   // texts too long for their fields, or no longer a file
    QString m_strError;

private:
    void AddRecords(const CDao_TableInfo& info, const QString& strFolder,
                    const QStringList& arPictures);
    // The names the folder's records hold.
    QSet<QString> PresentNames(const QString& strTable, const QString& strFilter,
                               const QString& strDirectory);
    static void AddRecord(CDaoRecordset& recordset, const QFileInfo& fileInfo,
                          const QString& strDirectory, const QDateTime& dtDate);
    // The folder's records whose files are gone, by fingerprint key; only
    // those with a fingerprint.
    QMultiHash<QString, QString>
    GoneByFingerprint(const QString& strDirectory, const QSet<QString>& setPresent,
                      const QStringList& arPictures,
                      const std::function<const QHash<QString, int>&()>& newPrints,
                      const std::function<const QHash<QString, SPictureFingerprint>&()>& prints);
    void FollowRename(const QString& strDirectory, const QString& strOld, const QString& strNew,
                      const SPictureFingerprint& fingerprint);
    bool RestoreTrashed(CDaoRecordset& recordset, const QString& strDirectory,
                        const QString& strName, const SPictureFingerprint& fingerprint);

    CDao_Table* m_pTable;
    QSet<QString> m_setFolderNames;
    QList<qint64> m_arFollowedKeys;
    QList<qint64> m_arRestoredKeys;
};
