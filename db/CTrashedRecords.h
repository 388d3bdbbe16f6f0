#pragma once

#include "db/PictureFingerprint.h"
#include "db/SPhotoRecord.h"

#include <QDateTime>
#include <QList>
#include <QString>

class CDaoDatabase;

// A record moved to the trash with its picture: the record as it was and the
// fingerprint of its file then.
struct STrashedRecord
{
    SPhotoRecord m_record;
    SPictureFingerprint m_fingerprint;
};

// Records whose pictures went to the trash, kept in table TRASHED_RECORDS
// for kKeptDays, so that Undo, or the picture put back by a file manager,
// brings the record back with its Theme and Comment. Every call runs in the
// caller's transaction; engine errors raise CDaoException.
class CTrashedRecords
{
public:
    static constexpr int kKeptDays = 30;

    explicit CTrashedRecords(CDaoDatabase* pDatabase)
        : m_pDatabase(pDatabase)
    {
    }

    void Ensure();
    bool Exists();
    void Add(const STrashedRecord& trashed, const QDateTime& dtNowUtc);
    // Drops what was trashed more than kKeptDays before dtNowUtc.
    void Prune(const QDateTime& dtNowUtc);
    // Takes out and returns the records kept for the file under that name
    // whose picture had this fingerprint, oldest first. Another picture
    // trashed under the same name keeps its records here.
    QList<STrashedRecord> TakeFile(const QString& strDirectory, const QString& strName,
                                   const SPictureFingerprint& fingerprint);
    // The names of the folder's files that have records kept.
    QList<QString> NamesIn(const QString& strDirectory);

private:
    QList<STrashedRecord> ReadFile(const QString& strDirectory, const QString& strName);

    CDaoDatabase* m_pDatabase;
};
