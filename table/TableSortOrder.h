#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// How a column's texts compare when the record table is sorted.
enum class ETableSortKey {
    Text,  // character by character, case-sensitive (upper case first)
    Number // the value of the text's leading decimal number, 0 when there is none
};

// The value of the leading decimal number of a text (blanks, sign, digits,
// fraction, exponent), 0 when it starts with none.
double LeadingNumber(const QString& strText);

// The order of the rows after a sort: entry i is the present index of the row
// that goes to position i. Ascending keeps rows with equal keys in their
// present order; descending is exactly the reverse of the ascending order.
QList<int> TableSortOrder(const QStringList& arKeys, ETableSortKey key, bool bDescending);
