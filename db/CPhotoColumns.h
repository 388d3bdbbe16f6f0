#pragma once

#include "db/CDao_TableInfo.h"
#include "db/SPhotoRecord.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QHash>
#include <QList>
#include <QString>

#include <array>
#include <limits>

// Photo records kept field by field, as a table of a million rows needs
// them: key, date and size as numbers; Name, Extention, Directory and Theme
// as one copy of each distinct text (a folder's records share one); comments
// as they are. A whole record is made only when asked for.
class CPhotoColumns
{
public:
    // The date of a record without one: before every other date.
    static constexpr qint64 kNoDate = std::numeric_limits<qint64>::min();

    int Size() const { return int(m_arKeys.size()); }
    void Reserve(int nRows);

    void Append(const SPhotoRecord& record);
    // A record as stored: texts in UTF-8, the date as the milliseconds of its
    // wall clock since 1970 (kNoDate for none).
    void AppendStored(qint64 nKey, qint64 nDate, QByteArrayView name, QByteArrayView extension,
                      qint64 nSize, QByteArrayView directory, QByteArrayView theme,
                      QString strComment);

    // Rows outside the rows raise std::invalid_argument.
    SPhotoRecord Record(int nRow) const;
    void SetRecord(int nRow, const SPhotoRecord& record);

    qint64 Key(int nRow) const { return m_arKeys[nRow]; }
    qint64 Date(int nRow) const { return m_arDates[nRow]; }
    qint64 FileSize(int nRow) const { return m_arSizes[nRow]; }
    // The text of a text field (Name, Extention, Directory, Theme, Comment).
    const QString& Text(EPhotoField eField, int nRow) const;

    const QList<qint64>& Keys() const { return m_arKeys; }
    const QList<qint64>& Dates() const { return m_arDates; }
    const QList<qint64>& FileSizes() const { return m_arSizes; }
    const QList<QString>& Comments() const { return m_arComments; }
    // A shared text field's distinct texts, and for each row the index of its own.
    static bool IsShared(EPhotoField eField);
    const QList<QString>& DistinctTexts(EPhotoField eField) const;
    const QList<quint32>& TextIndexes(EPhotoField eField) const;

    // Row i becomes the row that was at arOrder[i]; arOrder lists every row once.
    void Reorder(const QList<int>& arOrder);
    // Drops the rows whose entry is true, keeping the others in order.
    void Remove(const QList<bool>& arRemoved);

    // The milliseconds a date is kept as.
    static qint64 DateValue(const QDateTime& dateTime);
    static QDateTime DateTime(qint64 nDate);

private:
    class CTextPool
    {
    public:
        quint32 Intern(const QString& strText);
        quint32 Intern(QByteArrayView utf8);
        const QList<QString>& Texts() const { return m_arTexts; }

    private:
        quint32 InternNew(QByteArrayView utf8);

        QList<QString> m_arTexts;
        QByteArray m_lastUtf8;
        quint32 m_nLast = 0;
        QHash<QString, quint32> m_mapByText;
        // Stored texts are looked up by their bytes, so reading a table makes
        // a string only for a text not seen before.
        QHash<QByteArray, quint32> m_mapByUtf8;
    };
    static int SharedSlot(EPhotoField eField);

    QList<qint64> m_arKeys;
    QList<qint64> m_arDates;
    QList<qint64> m_arSizes;
    std::array<QList<quint32>, 4> m_arTextIndexes;
    std::array<CTextPool, 4> m_pools;
    QList<QString> m_arComments;
};
