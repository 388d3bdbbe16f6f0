#pragma once

#include <QString>

// The text after the last dot of the whole path, letter case unchanged;
// empty when there is no dot or the path ends with one.
QString GetExtension(const QString& strPath);
