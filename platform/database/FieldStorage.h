#pragma once

#include <QVariant>

struct CDaoFieldInfo;

// A value as a field of its type stores it: text checked for its length and
// for characters UTF-8 can not hold, a whole number of 32 bits, a date as the
// engine's text. Anything else raises CDaoException naming the field.
QVariant FieldToStorage(const CDaoFieldInfo& field, const QVariant& value);
