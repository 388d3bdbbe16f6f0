#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <stdexcept>

// The extension field's name. The misspelling belongs to the schema, so every
// use takes it from here rather than risk the usual spelling.
inline constexpr char g_szExtentionField[] = "Extention";

// The description of the photo table: drives both the table's creation and
// the record table's columns. The five arrays are parallel, entry i of each
// describing field i. The owner fills it (see CDao_Table's constructor).
struct CDao_TableInfo
{
    int m_nFields = 0;
    int m_nKeyField = 0;
    int m_nTitleField = 0;
    int m_nOrderField1 = 0;
    int m_nOrderField2 = 0;
    QString m_strDatabaseFile;
    QString m_strTableName;
    QList<qint32> m_arTypes;
    QList<qint32> m_arSizes;
    QList<qint32> m_arFormats;
    QList<qint32> m_arAttributes;
    QStringList m_arNames;
};

// Indexed reads of the description's arrays: an index outside an array is a
// programming error and raises std::invalid_argument, never a stray read.
template <typename T> const T& CheckedAt(const QList<T>& ar, qsizetype nIndex)
{
    if (nIndex < 0 || nIndex >= ar.size())
        throw std::invalid_argument("array index out of range");
    return ar[nIndex];
}
