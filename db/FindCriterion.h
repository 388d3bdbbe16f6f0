#pragma once

#include <QDate>
#include <QString>

// The day a Find text names when it reads as a date a US user types, with or
// without a time: 12/7/2006, 12/7/06, 12-7-2006, 2006-12-07, Dec 7 2006,
// December 7, 2006, 7 December 2006, 7-Dec-2006, 7-Dec-06; and without a year
// (today's): 12/7, 12-7, Dec 7, 7 Dec. Invalid when the text names no day.
QDate FindDay(const QString& strSearch, const QDate& today);

// The filter for a Find text: the whole day FindDay names, otherwise the text
// anywhere in Theme, Comment, Name or Directory.
QString FindCriterion(const QString& strSearch, const QDate& today);
