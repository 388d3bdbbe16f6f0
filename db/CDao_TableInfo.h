#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <stdexcept>

// The extension field's name. The misspelling belongs to the schema, so every
// use takes it from here rather than risk the usual spelling.
inline constexpr char g_szExtentionField[] = "Extention";

// The fields of table PHOTOS, in the order the program creates them; this
// order is also the record table's column order.
enum class EPhotoField { ID_Photo, Date, Name, Extention, Size, Directory, Theme, Comment };
inline constexpr int g_nPhotoFields = int(EPhotoField::Comment) + 1;

// The field's name in the table.
QString PhotoFieldName(EPhotoField eField);
// The field as the user reads it: its column's heading, in the user's language.
QString PhotoFieldTitle(EPhotoField eField);

// A folder as its records' Directory holds it: '/' separators, no trailing
// one, and the root folder empty, so that Directory, '/' and Name form the path.
QString RecordDirectory(const QString& strFolder);

// The leading whole number of a text, 0 when it starts with none: the size a
// Size field's text stands for.
qint64 LeadingWholeNumber(const QString& strText);

// The field's position: its column in the record table and its entry in the
// description's arrays.
constexpr int PhotoColumn(EPhotoField eField)
{
    return int(eField);
}

// The description of the photo table: drives both the table's creation and
// the record table's columns. The five arrays are parallel, entry i of each
// describing field i; PhotoTableInfo() fills them.
struct CDao_TableInfo
{
    int m_nFields = 0;
    QString m_strDatabaseFile;
    QString m_strTableName;
    QList<qint32> m_arTypes;
    QList<qint32> m_arSizes;
    QList<qint32> m_arFormats; // 0 left, 1 right, 2 centred
    QList<qint32> m_arAttributes;
    QStringList m_arNames;
};

// "Photos.mdb" with its table "PHOTOS", as the program makes them.
CDao_TableInfo PhotoTableInfo();

// Indexed reads of the description's arrays: an index outside an array is a
// programming error and raises std::invalid_argument, never a stray read.
template <typename T> const T& CheckedAt(const QList<T>& ar, qsizetype nIndex)
{
    if (nIndex < 0 || nIndex >= ar.size())
        throw std::invalid_argument("array index out of range");
    return ar[nIndex];
}

template <typename T> const T& CheckedAt(const QList<T>& ar, EPhotoField eField)
{
    return CheckedAt(ar, qsizetype(PhotoColumn(eField)));
}
