#pragma once

#include "db/PictureFingerprint.h"

#include <QDateTime>
#include <QList>
#include <QString>

// A record whose file is gone from its folder (which is there).
struct SGoneFile
{
    QString m_strDirectory;
    QString m_strName;
    QDateTime m_dtRecordDate;          // the record's Date
    qint64 m_nRecordSize = 0;          // the record's Size
    SPictureFingerprint m_fingerprint; // invalid when none was kept
};

// A picture file that no record points to.
struct SNewFile
{
    QString m_strDirectory;
    QString m_strName;
    SPictureFingerprint m_fingerprint;
};

// A gone file and the new file that is it, renamed or moved: indexes into
// the lists given to MatchRenames.
struct SRenameMatch
{
    int m_nGone = -1;
    int m_nNew = -1;
    // Matched by its kept fingerprint; otherwise only by size, date and
    // extension, which the user confirms.
    bool m_bByFingerprint = false;
};

// Pairs each gone file with the new file that is it. A gone file with a
// fingerprint matches a new file anywhere whose size, date and hash are the
// same; one without matches a new file of its own folder with its record's
// size and date and its extension. A pair is made only when the two match
// each other alone; ordered by gone file.
QList<SRenameMatch> MatchRenames(const QList<SGoneFile>& arGone, const QList<SNewFile>& arNew);
