#pragma once

#include <QSet>
#include <QString>
#include <QStringList>

class CDao_Table;
class CDaoRecordset;
class QFileInfo;
struct CDao_TableInfo;

// Adds photo records for the pictures of one folder: one record per picture
// that has none yet (same Directory and Name) and that no import has seen
// before. Shows no message: it runs whenever a picture is opened, and the
// caller decides what to tell.
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

    int m_nAdded = 0;
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
                          const QString& strDirectory);

    CDao_Table* m_pTable;
};
