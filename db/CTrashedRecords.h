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
    // Those kept for the file, oldest first.
    QList<STrashedRecord> ReadFile(const QString& strDirectory, const QString& strName);
    // The names of the folder's files that have records kept.
    QList<QString> NamesIn(const QString& strDirectory);
    void RemoveFile(const QString& strDirectory, const QString& strName);

private:
    CDaoDatabase* m_pDatabase;
};
