// The queries of the photo database: reading, saving and deleting records.
#include "db/CDao_Table.h"

#include "db/CPhotoColumns.h"
#include "db/DatabaseFile.h"
#include "db/DatabaseLog.h"

#include "platform/database/CDaoDatabase.h"
#include "platform/database/CDaoException.h"
#include "platform/database/CDaoRecordset.h"
#include "platform/database/CEngineStatement.h"
#include "platform/database/JetDateText.h"
#include "platform/database/JetSql.h"

#include <QFileInfo>
#include <QSqlError>
#include <QSqlQuery>

#include <charconv>

namespace {

// Where each field is in the recordset's columns: a table made elsewhere
// may have others, and in another order.
QList<int> FieldColumns(const CDaoRecordset& recordset)
{
    QList<int> arColumns(g_nPhotoFields, -1);
    for (int i = 0; i < recordset.GetFieldCount(); ++i) {
        CDaoFieldInfo field;
        recordset.GetFieldInfo(i, field);
        for (int f = 0; f < g_nPhotoFields; ++f) {
            if (field.m_strName.compare(PhotoFieldName(EPhotoField(f)), Qt::CaseInsensitive) == 0)
                arColumns[f] = i;
        }
    }
    return arColumns;
}

// A date the engine could not read as one may still be a US date text.
QDateTime StoredDate(const QVariant& value)
{
    QDateTime dateTime = value.toDateTime();
    if (value.typeId() != QMetaType::QDateTime && !JetParseUsDateTime(value.toString(), &dateTime))
        return QDateTime();
    if (!dateTime.date().isValid())
        return QDateTime();
    return QDateTime(dateTime.date(), dateTime.time(), Qt::UTC);
}

SPhotoRecord CurrentRecord(CDaoRecordset& recordset, const QList<int>& arColumns)
{
    auto value = [&](EPhotoField eField) {
        return recordset.GetFieldValue(CheckedAt(arColumns, eField));
    };
    SPhotoRecord record;
    record.m_nKey = value(EPhotoField::ID_Photo).toLongLong();
    record.m_dtDate = StoredDate(value(EPhotoField::Date));
    record.m_strName = value(EPhotoField::Name).toString();
    record.m_strExtension = value(EPhotoField::Extention).toString();
    record.m_nSize = LeadingWholeNumber(value(EPhotoField::Size).toString());
    record.m_strDirectory = value(EPhotoField::Directory).toString();
    record.m_strTheme = value(EPhotoField::Theme).toString();
    record.m_strComment = value(EPhotoField::Comment).toString();
    return record;
}

} // namespace

int CDao_Table::CountRecords(QString strTableName)
{
    // A server counts by itself; rows fetched to count them cost seconds.
    if (m_pCDaoDatabase->IsServer()) {
        const auto pCount = m_pCDaoDatabase->Query(
            QStringLiteral("SELECT count(*) FROM %1").arg(JetQuoteName(strTableName)));
        return pCount->Step() ? int(pCount->Integer(0)) : 0;
    }
    CDaoRecordset recordset(m_pCDaoDatabase.get());
    recordset.Open(AFX_DAO_USE_DEFAULT_TYPE, QStringLiteral("SELECT * FROM %1").arg(strTableName),
                   0);
    // Only an empty table has no last record; any other failure is news.
    if (recordset.IsBOF() && recordset.IsEOF())
        return 0;
    recordset.MoveLast();
    return int(recordset.GetRecordCount());
}

QStringList CDao_Table::DistinctValues(EPhotoField eField)
{
    try {
        const QString strColumn = PhotoFieldName(eField);
        CDaoRecordset recordset(m_pCDaoDatabase.get());
        recordset.Open(AFX_DAO_USE_DEFAULT_TYPE,
                       QStringLiteral("SELECT %1 FROM %2 GROUP BY %1 ORDER BY %1")
                           .arg(strColumn, m_TableInfo.m_strTableName),
                       0);
        QStringList arValues;
        for (; !recordset.IsEOF(); recordset.MoveNext()) {
            const QString strValue = recordset.GetFieldValue(strColumn).toString();
            if (!strValue.isEmpty())
                arValues.append(strValue);
        }
        return arValues;
    } catch (const CDaoException&) {
        RethrowReadFailure();
    }
}

namespace {
// The table's record with that key, if any, as the recordset's current one.
void OpenRecordByKey(CDaoRecordset& recordset, const QString& strTable, qint64 nKey)
{
    recordset.m_strFilter =
        QStringLiteral("%1=%2").arg(PhotoFieldName(EPhotoField::ID_Photo)).arg(nKey);
    recordset.Open(AFX_DAO_USE_DEFAULT_TYPE, QStringLiteral("SELECT * FROM %1").arg(strTable));
}
} // namespace

std::optional<SPhotoRecord> CDao_Table::ReadRecord(qint64 nKey)
{
    try {
        CDaoRecordset recordset(m_pCDaoDatabase.get());
        OpenRecordByKey(recordset, m_TableInfo.m_strTableName, nKey);
        if (recordset.IsEOF())
            return std::nullopt;
        return CurrentRecord(recordset, FieldColumns(recordset));
    } catch (const CDaoException&) {
        RethrowReadFailure();
    }
}

QList<SPhotoRecord> CDao_Table::ReadRecordsWhere(const QString& strWhere)
{
    CDaoRecordset recordset(m_pCDaoDatabase.get());
    recordset.m_strFilter = strWhere;
    recordset.Open(AFX_DAO_USE_DEFAULT_TYPE,
                   QStringLiteral("SELECT * FROM %1").arg(m_TableInfo.m_strTableName));
    const QList<int> arColumns = FieldColumns(recordset);
    QList<SPhotoRecord> arRecords;
    for (; !recordset.IsEOF(); recordset.MoveNext())
        arRecords.append(CurrentRecord(recordset, arColumns));
    return arRecords;
}

namespace {

// The fields of the current row of a forward-only recordset, read from
// SQLite's own values where they are what a field of that type holds, and
// otherwise as CurrentRecord reads them.
class CRowFields
{
public:
    CRowFields(CDaoRecordset& recordset, const QList<int>& arColumns)
        : m_recordset(recordset)
        , m_arColumns(arColumns)
    {
        for (int f = 0; f < g_nPhotoFields; ++f) {
            const int nColumn = arColumns[f];
            CDaoFieldInfo field;
            if (nColumn >= 0)
                recordset.GetFieldInfo(nColumn, field);
            m_arTypes.append(nColumn >= 0 ? field.m_nType : -1);
        }
    }

    qint64 Key()
    {
        qint64 nKey;
        if (m_recordset.GetFieldInteger(Column(EPhotoField::ID_Photo), &nKey))
            return nKey;
        return Value(EPhotoField::ID_Photo).toLongLong();
    }

    qint64 Date()
    {
        QByteArrayView text;
        qint64 nDate;
        if (Type(EPhotoField::Date) == dbDate &&
            m_recordset.GetFieldText(Column(EPhotoField::Date), &text) &&
            StorageDateValue(text, &nDate))
            return nDate;
        return CPhotoColumns::DateValue(StoredDate(Value(EPhotoField::Date)));
    }

    qint64 Size()
    {
        QByteArrayView text;
        if (Type(EPhotoField::Size) == dbText &&
            m_recordset.GetFieldText(Column(EPhotoField::Size), &text) && !text.isEmpty() &&
            text.front() >= '0' && text.front() <= '9') {
            qint64 nValue = 0;
            std::from_chars(text.data(), text.data() + text.size(), nValue);
            return nValue;
        }
        return LeadingWholeNumber(Value(EPhotoField::Size).toString());
    }

    // Valid until the next call for the same field or the next row.
    QByteArrayView Utf8(EPhotoField eField)
    {
        QByteArrayView text;
        if (Type(eField) == dbText && m_recordset.GetFieldText(Column(eField), &text))
            return text;
        QByteArray& spare = m_arSpare[PhotoColumn(eField)];
        spare = Value(eField).toString().toUtf8();
        return spare;
    }

private:
    int Column(EPhotoField eField) const { return CheckedAt(m_arColumns, eField); }
    int Type(EPhotoField eField) const { return CheckedAt(m_arTypes, eField); }
    QVariant Value(EPhotoField eField) { return m_recordset.GetFieldValue(Column(eField)); }

    // The stored text of a date ("2006-12-07 23:59:59") as its milliseconds,
    // without the strings and dates JetDateFromStorage makes.
    static bool StorageDateValue(QByteArrayView text, qint64* pValue)
    {
        if (text.size() != 19)
            return false;
        const char* p = text.data();
        auto number = [p](int nFrom, int nCount, int* pNumber) {
            int n = 0;
            for (int i = nFrom; i < nFrom + nCount; ++i) {
                if (p[i] < '0' || p[i] > '9')
                    return false;
                n = n * 10 + (p[i] - '0');
            }
            *pNumber = n;
            return true;
        };
        int nYear, nMonth, nDay, nHour, nMinute, nSecond;
        if (!number(0, 4, &nYear) || p[4] != '-' || !number(5, 2, &nMonth) || p[7] != '-' ||
            !number(8, 2, &nDay) || p[10] != ' ' || !number(11, 2, &nHour) || p[13] != ':' ||
            !number(14, 2, &nMinute) || p[16] != ':' || !number(17, 2, &nSecond))
            return false;
        const QDate date(nYear, nMonth, nDay);
        const QTime time(nHour, nMinute, nSecond);
        if (!date.isValid() || !time.isValid())
            return false;
        constexpr qint64 nUnixEpochDay = 2440588;
        *pValue = (date.toJulianDay() - nUnixEpochDay) * 86400000 + time.msecsSinceStartOfDay();
        return true;
    }

    CDaoRecordset& m_recordset;
    const QList<int>& m_arColumns;
    QList<int> m_arTypes;
    QByteArray m_arSpare[g_nPhotoFields];
};

} // namespace

CPhotoColumns CDao_Table::ReadRecords(const QString& strCriterion,
                                      const std::function<void(int nPercent)>& progress)
{
    try {
        const int nRecords = CountRecords(m_TableInfo.m_strTableName);
        const QString strWhich = strCriterion.isEmpty() ? QStringLiteral("all") : strCriterion;
        qCDebug(lcDatabase).noquote() << "reading of" << nRecords << "records:" << strWhich;
        // The criterion goes to the engine as the statement's condition, and the
        // rows are read once, straight through: finding record after record in
        // a dynaset reads each one twice.
        CDaoRecordset recordset(m_pCDaoDatabase.get());
        recordset.m_strFilter = strCriterion;
        recordset.Open(AFX_DAO_USE_DEFAULT_TYPE,
                       QStringLiteral("SELECT * FROM %1 ORDER BY %2, %3;")
                           .arg(m_TableInfo.m_strTableName, PhotoFieldName(EPhotoField::ID_Photo),
                                PhotoFieldName(EPhotoField::Date)),
                       dbForwardOnly);
        const QList<int> arColumns = FieldColumns(recordset);
        CRowFields fields(recordset, arColumns);

        CPhotoColumns records;
        records.Reserve(strCriterion.isEmpty() ? nRecords : 0);
        int nReported = -1;
        for (int i = 0; i < nRecords && !recordset.IsEOF(); ++i) {
            const qint64 nKey = fields.Key();
            const qint64 nDate = fields.Date();
            const qint64 nSize = fields.Size();
            records.AppendStored(
                nKey, nDate, fields.Utf8(EPhotoField::Name), fields.Utf8(EPhotoField::Extention),
                nSize, fields.Utf8(EPhotoField::Directory), fields.Utf8(EPhotoField::Theme),
                QString::fromUtf8(fields.Utf8(EPhotoField::Comment)));
            recordset.MoveNext();
            const int nPercent = int(qint64(100) * i / nRecords);
            if (progress && nPercent != nReported) {
                progress(nPercent);
                nReported = nPercent;
            }
        }
        qCDebug(lcDatabase) << "read" << records.Size() << "records";
        return records;
    } catch (const CDaoException&) {
        RethrowReadFailure();
    }
}

QString CDao_Table::TextsRefusal(const QString& strTheme, const QString& strComment) const
{
    // Refused whole rather than cut, so the user decides what to drop.
    const QList<QPair<EPhotoField, QString>> arTexts = {{EPhotoField::Theme, strTheme},
                                                        {EPhotoField::Comment, strComment}};
    for (const auto& text : arTexts) {
        const qsizetype nLimit = CheckedAt(m_TableInfo.m_arSizes, text.first);
        const qsizetype nLength = text.second.toUcs4().size();
        if (nLength > nLimit)
            return tr("The %1 is %2 characters long, but at most %3 can be stored. "
                      "Please shorten it.")
                .arg(PhotoFieldTitle(text.first))
                .arg(nLength)
                .arg(nLimit);
    }
    return QString();
}

std::optional<SRecordTexts> CDao_Table::SaveEditedTexts(qint64 nKey, const SRecordTexts& shown,
                                                        const SRecordTexts& edited)
{
    RequireWritable();
    const QString strRefusal = TextsRefusal(edited.m_strTheme, edited.m_strComment);
    if (!strRefusal.isEmpty())
        throw CDaoException(strRefusal);
    SPhotoRecord record;
    std::optional<SRecordTexts> conflict;
    bool bWritten = false;
    // Compared and changed under the write lock, so another program's save
    // can not come between the two.
    WriteAtOnce([&] {
        CDaoRecordset recordset(m_pCDaoDatabase.get());
        OpenRecordByKey(recordset, m_TableInfo.m_strTableName, nKey);
        if (recordset.IsEOF())
            throw CDaoException(tr("The record can not be saved: it is no longer in the table."));
        record = CurrentRecord(recordset, FieldColumns(recordset));
        const SRecordTexts stored{record.m_strTheme, record.m_strComment};
        const SRecordEdit edit = CompareRecordTexts(shown, edited, stored);
        if (edit.HasConflict()) {
            conflict = stored;
            return;
        }
        if (!edit.HasChange())
            return;
        recordset.Edit();
        // A field the user did not touch keeps what another program stored.
        if (edit.bThemeChanged) {
            recordset.SetFieldValue(PhotoFieldName(EPhotoField::Theme), edited.m_strTheme);
            record.m_strTheme = edited.m_strTheme;
        }
        if (edit.bCommentChanged) {
            recordset.SetFieldValue(PhotoFieldName(EPhotoField::Comment), edited.m_strComment);
            record.m_strComment = edited.m_strComment;
        }
        recordset.Update();
        bWritten = true;
    });
    if (bWritten)
        emit m_notifier.RecordsChanged({record});
    return conflict;
}

void CDao_Table::DeleteRecords(const QList<qint64>& arKeys)
{
    if (arKeys.isEmpty())
        return;
    // All of them or, after an error, none: the lists must keep showing
    // exactly what the table holds.
    WriteAtOnce([&] { DeleteRows(arKeys); });
    emit m_notifier.RecordsDeleted(arKeys);
}

void CDao_Table::DeleteRows(const QList<qint64>& arKeys)
{
    QSqlQuery remove(m_pCDaoDatabase->Connection());
    if (!remove.prepare(QStringLiteral("DELETE FROM %1 WHERE %2 = ?")
                            .arg(JetQuoteName(m_TableInfo.m_strTableName),
                                 JetQuoteName(PhotoFieldName(EPhotoField::ID_Photo)))))
        ThrowSqlError(remove.lastError());
    for (qint64 nKey : arKeys) {
        remove.bindValue(0, nKey);
        if (!remove.exec())
            ThrowSqlError(remove.lastError());
    }
}

QList<qint64> CDao_Table::KeysOfPicture(const QString& strPath)
{
    const QFileInfo file(strPath);
    const QString strDirectory = RecordDirectory(file.path());
    const QString strName = file.fileName();
    const QString strNameField = PhotoFieldName(EPhotoField::Name);
    CDaoRecordset recordset(m_pCDaoDatabase.get());
    recordset.m_strFilter =
        QStringLiteral("[%1]='%2' AND [%3]='%4'")
            .arg(PhotoFieldName(EPhotoField::Directory), JetQuoteText(strDirectory), strNameField,
                 JetQuoteText(strName));
    recordset.Open(AFX_DAO_USE_DEFAULT_TYPE,
                   QStringLiteral("SELECT * FROM [%1]").arg(m_TableInfo.m_strTableName));
    // The engine compares text ignoring case; file names here do not.
    QList<qint64> arKeys;
    for (; !recordset.IsEOF(); recordset.MoveNext()) {
        if (recordset.GetFieldValue(strNameField).toString() == strName)
            arKeys.append(
                recordset.GetFieldValue(PhotoFieldName(EPhotoField::ID_Photo)).toLongLong());
    }
    return arKeys;
}

QStringList CDao_Table::VerifyDatabase()
{
    if (!IsDatabaseOpen())
        throw CDaoException(UnavailableMessage());
    return m_pCDaoDatabase->QuickCheck();
}
