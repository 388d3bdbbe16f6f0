// The queries of the database check and of the repairs it offers.
#include "db/CDao_Table.h"

#include "db/CFingerprintStore.h"
#include "db/DatabaseLog.h"
#include "platform/database/CDaoDatabase.h"
#include "platform/database/CDaoException.h"
#include "platform/database/CDaoRecordset.h"
#include "platform/database/CEngineStatement.h"
#include "platform/database/JetSql.h"

#include <QStringList>

namespace {

// A field's name as a statement quotes it: a server tells letter case apart.
QString Quoted(EPhotoField eField)
{
    return JetQuoteName(PhotoFieldName(eField));
}

QString ColumnText(const CEngineStatement& statement, int nColumn)
{
    const QByteArrayView text = statement.Text(nColumn);
    return QString::fromUtf8(text.data(), text.size());
}

} // namespace

QList<SFileRecord> CDao_Table::ReadFileRecords(const QString& strFolder)
{
    try {
        if (!IsDatabaseOpen())
            throw CDaoException(UnavailableMessage());
        const QString strDirectory = Quoted(EPhotoField::Directory);
        QString strSql =
            QStringLiteral("SELECT %1, %2, %3, %4, %5 FROM %6")
                .arg(Quoted(EPhotoField::ID_Photo), strDirectory, Quoted(EPhotoField::Name),
                     Quoted(EPhotoField::Size), Quoted(EPhotoField::Date),
                     JetQuoteName(m_TableInfo.m_strTableName));
        QVariantList arValues;
        if (!strFolder.isNull()) {
            // Compared byte for byte: folder names differ in letter case here (a
            // server compares so already; SQLite may have been told otherwise).
            const QString strExact =
                m_pCDaoDatabase->IsServer() ? QString() : QStringLiteral(" COLLATE BINARY");
            strSql += QStringLiteral(" WHERE %1 = ?%2 OR substr(%1, 1, length(?)) = ?%2")
                          .arg(strDirectory, strExact);
            arValues = {strFolder, strFolder + u'/', strFolder + u'/'};
        }
        strSql += QStringLiteral(" ORDER BY %1").arg(strDirectory);
        const std::unique_ptr<CEngineStatement> pStatement =
            m_pCDaoDatabase->Query(strSql, arValues);
        QList<SFileRecord> arRecords;
        QString strLastDirectory;
        while (pStatement->Step()) {
            SFileRecord record;
            record.m_nKey = pStatement->Integer(0);
            record.m_strDirectory = ColumnText(*pStatement, 1);
            // One copy of each folder's text, however many records it holds.
            if (record.m_strDirectory == strLastDirectory)
                record.m_strDirectory = strLastDirectory;
            else
                strLastDirectory = record.m_strDirectory;
            record.m_strName = ColumnText(*pStatement, 2);
            record.m_nSize = pStatement->Kind(3) == CEngineStatement::EKind::Integer
                                 ? pStatement->Integer(3)
                                 : LeadingWholeNumber(ColumnText(*pStatement, 3));
            if (pStatement->Kind(4) == CEngineStatement::EKind::Text)
                record.m_dtDate = CFingerprintStore::DateFromText(ColumnText(*pStatement, 4));
            arRecords.append(record);
        }
        return arRecords;
    } catch (const CDaoException&) {
        RethrowReadFailure();
    }
}

void CDao_Table::RelocateRecords(const QList<QPair<qint64, QString>>& arDirectories)
{
    SetField(EPhotoField::Directory, arDirectories);
}

void CDao_Table::UpdateSizes(const QList<QPair<qint64, qint64>>& arSizes)
{
    // Stored as text, as the import stores it.
    QList<QPair<qint64, QString>> arValues;
    for (const auto& size : arSizes)
        arValues.append({size.first, QString::number(size.second)});
    SetField(EPhotoField::Size, arValues);
}

void CDao_Table::SetField(EPhotoField eField, const QList<QPair<qint64, QString>>& arValues)
{
    if (arValues.isEmpty())
        return;
    const QString strSql = QStringLiteral("UPDATE %1 SET %2 = ? WHERE %3 = ?")
                               .arg(JetQuoteName(m_TableInfo.m_strTableName), Quoted(eField),
                                    Quoted(EPhotoField::ID_Photo));
    QList<qint64> arKeys;
    WriteAtOnce([&] {
        for (const auto& value : arValues) {
            m_pCDaoDatabase->Execute(strSql, {value.second, value.first});
            arKeys.append(value.first);
        }
    });
    emit m_notifier.RecordsChanged(ReadRecordsOf(arKeys));
}

void CDao_Table::WriteAtOnce(const std::function<void()>& write)
{
    RequireWritable();
    auto rollBack = [this] {
        try {
            m_pCDaoDatabase->Rollback();
        } catch (const std::exception& e) {
            qCWarning(lcDatabase) << "rollback failed too:" << e.what();
        }
    };
    EFailedAt eAt = EFailedAt::Writing;
    try {
        m_pCDaoDatabase->BeginTrans();
        write();
        eAt = EFailedAt::Committing;
        m_pCDaoDatabase->CommitTrans();
    } catch (const CDaoException& e) {
        rollBack();
        const QString strLost = LostConnectionMessage(e.GetErrorDescription(), eAt);
        if (!strLost.isEmpty())
            throw CDaoException(strLost);
        RethrowWriteFailure();
    } catch (...) {
        rollBack();
        throw;
    }
}

QList<SPhotoRecord> CDao_Table::ReadRecordsOf(const QList<qint64>& arKeys)
{
    // Five hundred keys a query: one query per record would cost seconds
    // for a large folder.
    constexpr qsizetype nChunk = 500;
    const QString strEquals = PhotoFieldName(EPhotoField::ID_Photo) + QStringLiteral(" = %1");
    QList<SPhotoRecord> arRecords;
    arRecords.reserve(arKeys.size());
    for (qsizetype nStart = 0; nStart < arKeys.size(); nStart += nChunk) {
        QStringList arEquals;
        for (qint64 nKey : arKeys.mid(nStart, nChunk))
            arEquals.append(strEquals.arg(nKey));
        arRecords.append(ReadRecordsWhere(arEquals.join(QStringLiteral(" OR "))));
    }
    return arRecords;
}
