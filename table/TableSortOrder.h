#pragma once

#include <QList>
#include <QString>
#include <QStringView>
#include <QVariant>

// The order of the rows after a sort by one column's values, all of one type:
// numbers by value, dates by time (a missing date first), texts character by
// character, case-sensitive (upper case first). Entry i is the present index
// of the row that goes to position i. Ascending keeps rows with equal values
// in their present order; descending is exactly the reverse of ascending.
QList<int> TableSortOrder(const QVariantList& arValues, bool bDescending);

// The same order for values already of their type: numbers (dates as their
// time, a missing one as the smallest number), texts, and texts given as an
// index per row into arDistinct.
QList<int> TableSortOrder(const QList<qint64>& arNumbers, bool bDescending);
QList<int> TableSortOrder(const QList<QStringView>& arTexts, bool bDescending);
QList<int> TableSortOrder(const QList<QString>& arDistinct, const QList<quint32>& arIndexes,
                          bool bDescending);
