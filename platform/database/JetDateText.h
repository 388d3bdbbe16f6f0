#pragma once

#include <QDate>
#include <QDateTime>
#include <QString>

// Dates as people type and read them, in the English (United States) manner:
// month before day.

// The day of a time typed without a date (the engine's day zero).
inline QDate JetDayZero()
{
    return QDate(1899, 12, 30);
}

// Accepts a date, a time of day, or a date followed by a time:
//   12/7/2006  12/7/06  12-7-2006  2006-12-07  Dec 7 2006  December 7, 2006
//   7 December 2006, each optionally followed by 10:30, 10:30:15 or 10:30 PM;
//   or such a time alone, which falls on JetDayZero().
// A two-digit year below 30 is 20xx, otherwise 19xx. On success sets
// *pDateTime (spec Qt::UTC: a wall clock, no zone) and returns true.
bool JetParseUsDateTime(const QString& strText, QDateTime* pDateTime);

// 1..12 for an English month name or its abbreviation ("Sept" too), 0 otherwise.
int JetMonthFromName(const QString& strName);
// A time of day: 10:30, 10:30:15 or 10:30 PM.
bool JetParseTime(const QString& strTime, QTime* pTime);
// Splits a typed text into its date and its time: the time, when there is
// one, is the text from the last blank before a colon on.
void JetSplitDateTime(const QString& strText, QString* pstrDate, QString* pstrTime);

// The short date as the table shows it: MM/DD/YY ("12/07/06").
QString JetShortDateText(const QDate& date);
