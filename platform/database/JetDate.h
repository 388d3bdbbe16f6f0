#pragma once

#include <QDateTime>
#include <QString>

// Date fields hold the wall-clock time without a zone, as text of one fixed
// width ("2006-12-07 23:59:59"), so that text order is time order to the second.
//
// No zone is ever applied: a QDateTime is stored as the date and time it
// shows in its own time spec, and a stored date reads back as a QDateTime
// with spec Qt::UTC, which here means "this wall clock, no zone". Local time
// would lose the hour a daylight-saving change skips and blur the hour it
// repeats. Callers compare and show date() and time(); converting the value
// to another zone gives a time nobody recorded.
QString JetDateToStorage(const QDate& date, const QTime& time);
// The date and time as dateTime shows them, also when they fall in a gap of
// its zone (where QDateTime calls itself invalid but keeps both).
QString JetDateToStorage(const QDateTime& dateTime);

// Reads a stored date back as a wall clock (spec Qt::UTC); false when the
// text is no date.
bool JetDateFromStorage(const QString& strStored, QDateTime* pDateTime);

// Parses the text between the '#' of a date literal: month first
// ("12/07/06 00:00:00", "7-12-2006", "12/7/2006 1:05 PM"). A one- or two-digit
// year below 30 is 20xx, otherwise 19xx. Returns false with a reason when the
// text is not such a date.
bool JetParseDateLiteral(const QString& strLiteral, QDate* pDate, QTime* pTime, QString* pError);
