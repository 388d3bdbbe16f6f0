#pragma once

#include <QList>
#include <QVariant>

// The order of the rows after a sort by one column's values, all of one type:
// numbers by value, dates by time (a missing date first), texts character by
// character, case-sensitive (upper case first). Entry i is the present index
// of the row that goes to position i. Ascending keeps rows with equal values
// in their present order; descending is exactly the reverse of ascending.
QList<int> TableSortOrder(const QVariantList& arValues, bool bDescending);
