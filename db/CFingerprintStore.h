#pragma once

#include "db/PictureFingerprint.h"

#include <QHash>
#include <QList>
#include <QPair>
#include <QSqlQuery>
#include <QString>

class CDaoDatabase;

// The fingerprints of recorded pictures, in table PICTURE_FINGERPRINTS
// beside PHOTOS (whose eight fields older Orvalas check), by the file's
// Directory and Name. Every call runs in the caller's transaction, if any;
// engine errors raise CDaoException.
class CFingerprintStore
{
public:
    explicit CFingerprintStore(CDaoDatabase* pDatabase);

    // Makes the table where there is none; needs a writable database.
    void Ensure();
    // Whether the table is there (a database no import of this kind has
    // written to has none).
    bool Exists();
    // By Name, the fingerprints of the folder's pictures.
    QHash<QString, SPictureFingerprint> ReadFolder(const QString& strDirectory);
    // By Directory + '/' + Name, every fingerprint kept.
    QHash<QString, SPictureFingerprint> ReadAll();
    void Store(const QString& strDirectory, const QString& strName,
               const SPictureFingerprint& fingerprint);
    void Forget(const QString& strDirectory, const QString& strName);
    void ForgetAll(const QList<QPair<QString, QString>>& arFiles);

    // A date as TRASHED_RECORDS and the engine's text of a Date keep it:
    // "2006-12-07 14:03:22", the wall clock (Qt::UTC).
    static QString DateText(const QDateTime& dtDate);
    static QDateTime DateFromText(const QString& strText);

private:
    CDaoDatabase* m_pDatabase;
    QSqlQuery m_store; // prepared at the first Store: an import stores thousands
    bool m_bStorePrepared = false;
};
