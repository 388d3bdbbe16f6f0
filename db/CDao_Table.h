#pragma once

#include "db/CDao_TableInfo.h"
#include "db/CDao_TableNotifier.h"
#include "db/CPhotoColumns.h"
#include "db/DriftReport.h"
#include "db/PictureFingerprint.h"
#include "db/RecordEdit.h"
#include "db/SPhotoRecord.h"
#include "platform/database/SServerConnection.h"

#include <QCoreApplication>
#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>
#include <optional>

class CDaoDatabase;
class CDaoRecordset;
class CDaoTableDef;

// The one database object of the run: opens "Photos.mdb" (creating it with
// table "PHOTOS" when no such file exists) and runs the queries on it. It
// shows nothing: queries return values or raise CDaoException with a
// sentence for the user, which the windows show.
class CDao_Table
{
    Q_DECLARE_TR_FUNCTIONS(CDao_Table)

public:
    CDao_Table();
    ~CDao_Table();
    CDao_Table(const CDao_Table&) = delete;
    CDao_Table& operator=(const CDao_Table&) = delete;

    // Opens the database, or creates it when there is no file or an empty one
    // (what an interrupted first start leaves), after removing the hidden
    // files such a start leaves. An existing file is never changed. True
    // when the records can be used; otherwise UnavailableMessage() says why,
    // and ReadOnlyMessage() why an open one can not be changed.
    bool Connect();
    // The same for a database on a PostgreSQL server: creates the photo
    // table, in one transaction, where the database has none.
    bool ConnectServer(const SServerConnection& server);

    // Whether the database is open. It is open only when it holds the photo
    // table the program needs.
    bool IsDatabaseOpen() const;
    // Whether records can be added and changed.
    bool IsDatabaseWritable() const;
    // Before a command: a file deleted since closes the database, and a
    // read-only one can not be changed, as the messages say; a server whose
    // connection was lost since (restarted, or the network gone a while) is
    // connected again.
    void Recheck();
    // The database file opened; empty for a server's database.
    const QString& FilePath() const { return m_strPath; }
    // Names the database file and why it is not open.
    QString UnavailableMessage() const;
    // After a statement failed with strError: on a server whose connection
    // no longer answers, what the user should read instead (the loss, and
    // what became of the command); empty otherwise.
    enum class EFailedAt { Reading, Writing, Committing };
    QString LostConnectionMessage(const QString& strError, EFailedAt eAt);
    // Names the database file and why it can not be changed.
    QString ReadOnlyMessage() const;

    // The number of records; 0 for an empty table. Every other engine error
    // (a damaged file, a missing table, a closed database) raises
    // CDaoException with the engine's description.
    int CountRecords(QString strTableName);
    // The distinct non-empty values of a text field in ascending order.
    QStringList DistinctValues(EPhotoField eField);
    // The record with that key as stored; none when it is gone.
    std::optional<SPhotoRecord> ReadRecord(qint64 nKey);
    // The records that meet the criterion (all for an empty one) in key
    // order, reporting the percentage read as it goes.
    CPhotoColumns ReadRecords(const QString& strCriterion,
                              const std::function<void(int nPercent)>& progress = {});
    // Why the texts can not be stored (one longer than its field), or empty.
    QString TextsRefusal(const QString& strTheme, const QString& strComment) const;
    // Stores, under the write lock, only the texts the user changed (those of
    // edited that differ from shown), and only while the stored values of
    // those fields are still the ones shown. When another program changed
    // one of them meanwhile, nothing is written and the stored texts come
    // back; none after a save. The notifier hears of a save. Refused texts,
    // a gone record, a database that can not be changed and engine errors
    // raise CDaoException.
    std::optional<SRecordTexts> SaveEditedTexts(qint64 nKey, const SRecordTexts& shown,
                                                const SRecordTexts& edited);
    // What SQLite's quick check finds wrong in the file, empty when nothing;
    // repairs nothing. A closed database or one too damaged raises CDaoException.
    QStringList VerifyDatabase();
    // The keys of the records of the picture file at strPath.
    QList<qint64> KeysOfPicture(const QString& strPath);
    // Deletes the records in one transaction: after an error (raised as
    // CDaoException) none is gone. A key without a record is no error.
    void DeleteRecords(const QList<qint64>& arKeys);

    // Before the picture at strPath goes to the trash: in one transaction,
    // keeps its records with the fingerprint for 30 days (dropping older
    // ones kept), deletes them and forgets the name in the imported files,
    // so that the picture put back is imported again and gets them back.
    // Returns the records removed; none without a write when it has none.
    QList<SPhotoRecord> TrashRecordsOf(const QString& strPath,
                                       const SPictureFingerprint& fingerprint);
    // Undo of the above, once the file is back at strPath: puts back the
    // records kept for that very picture (by its fingerprint; not those of
    // another picture trashed under its name) with new keys, the imported
    // name and the fingerprint, in one transaction. Returns how many; 0 when
    // none are kept.
    int RestoreTrashedRecords(const QString& strPath);
    // Adds the record (its key aside) through a recordset open on PHOTOS.
    static void AppendRecord(CDaoRecordset& recordset, const SPhotoRecord& record);

    // The keys, folders, names and sizes of the records folder by folder;
    // with a folder, of the records in it and in the folders below it.
    QList<SFileRecord> ReadFileRecords(const QString& strFolder = QString());
    // Gives records a new Directory, or a new Size, in one transaction:
    // after an error (raised as CDaoException) none is changed. The
    // notifier hears of the changed records.
    void RelocateRecords(const QList<QPair<qint64, QString>>& arDirectories);
    void UpdateSizes(const QList<QPair<qint64, qint64>>& arSizes);
    // The fingerprints kept, by Directory/Name; none before any import kept one.
    QHash<QString, SPictureFingerprint> ReadFingerprints();
    // Keeps the fingerprints of those records' files, in one transaction.
    void StoreFingerprints(const QList<SFileRecord>& arRecords,
                           const QList<SPictureFingerprint>& arPrints);
    // The records of the Renamed lines take their files' new names and
    // folders (and keep the rest), with the imported names and fingerprints,
    // in one transaction. Other lines are left alone.
    void FollowRenames(const QList<SDriftRow>& arRows);
    // Deletes the records whose pictures are missing, in one transaction,
    // and forgets their names, so that a picture that comes back is
    // imported again (DeleteRecords keeps them, for the user's deletes).
    void RemoveMissingRecords(const QList<qint64>& arKeys);

    // Tells the notifier of records changed, or added, by a caller that
    // wrote them in a transaction of its own (the import).
    void AnnounceChanged(const QList<qint64>& arKeys);
    void AnnounceAdded(const QList<qint64>& arKeys);

    // Announces saved and deleted records to every window that shows them.
    CDao_TableNotifier& Notifier() { return m_notifier; }

    CDao_TableInfo m_TableInfo;
    std::unique_ptr<CDaoDatabase> m_pCDaoDatabase;
    std::unique_ptr<CDaoTableDef> m_pCDaoTableDef;

private:
    bool OpenExisting(const QString& strFile);
    void CheckTable();
    // The file's name, or the server database's "photos@server".
    QString Place() const;
    void RecheckFile();
    void RecheckServer();
    // Inside a catch of a failed read: a lost connection is the news.
    [[noreturn]] void RethrowReadFailure();
    void CheckWritable();
    void CreateTable();
    void BuildTable();
    // Before and after a write: a file that is gone or read-only now raises
    // the message that says so.
    void RequireWritable();
    [[noreturn]] void RethrowWriteFailure();
    // Runs the statements of write in one transaction, rolled back whole on
    // any error.
    void WriteAtOnce(const std::function<void()>& write);
    // Deletes the records with those keys, in the caller's transaction.
    void DeleteRows(const QList<qint64>& arKeys);
    // Gives each record (by key) its new text in the field, in one
    // transaction, and tells the notifier.
    void SetField(EPhotoField eField, const QList<QPair<qint64, QString>>& arValues);
    // The records with those keys as stored, for the notifier.
    QList<SPhotoRecord> ReadRecordsOf(const QList<qint64>& arKeys);
    // The records that meet an engine criterion, in the engine's order.
    QList<SPhotoRecord> ReadRecordsWhere(const QString& strWhere);

    std::optional<SServerConnection> m_server; // kept to connect again
    QString m_strPath;     // the file opened, whatever the working folder is now
    QString m_strProblem;  // why the database is not open, when Connect knows
    QString m_strReadOnly; // why it can not be changed; empty when it can
    CDao_TableNotifier m_notifier;
};
