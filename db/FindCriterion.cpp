#include "db/FindCriterion.h"

#include "db/CDao_TableInfo.h"
#include "platform/database/JetDateText.h"
#include "platform/database/JetSql.h"

#include <QRegularExpression>
#include <QStringList>

namespace {

// The forms the engine's date text does not take: a day-month-year with the
// month's name between dashes, and dates without a year.
QDate ExtraFormDay(const QString& strDate, const QDate& today)
{
    static const QRegularExpression reDayNameYear(
        QStringLiteral("^(\\d{1,2})-([A-Za-z]+)\\.?-(\\d{2}|\\d{4})$"));
    static const QRegularExpression reMonthDay(QStringLiteral("^(\\d{1,2})([/-])(\\d{1,2})$"));
    static const QRegularExpression reNameDay(QStringLiteral("^([A-Za-z]+)\\.?\\s+(\\d{1,2})$"));
    static const QRegularExpression reDayName(QStringLiteral("^(\\d{1,2})\\s+([A-Za-z]+)\\.?$"));
    QRegularExpressionMatch match;
    if ((match = reDayNameYear.match(strDate)).hasMatch()) {
        // The engine's reading of two-digit years: below 30 is 20xx.
        QDateTime dateTime;
        const QString strUs =
            QStringLiteral("%1 %2 %3").arg(match.captured(2), match.captured(1), match.captured(3));
        return JetParseUsDateTime(strUs, &dateTime) ? dateTime.date() : QDate();
    }
    int nMonth = 0, nDay = 0;
    if ((match = reMonthDay.match(strDate)).hasMatch()) {
        nMonth = match.captured(1).toInt();
        nDay = match.captured(3).toInt();
    } else if ((match = reNameDay.match(strDate)).hasMatch()) {
        nMonth = JetMonthFromName(match.captured(1));
        nDay = match.captured(2).toInt();
    } else if ((match = reDayName.match(strDate)).hasMatch()) {
        nDay = match.captured(1).toInt();
        nMonth = JetMonthFromName(match.captured(2));
    }
    return QDate(today.year(), nMonth, nDay);
}

} // namespace

QDate FindDay(const QString& strSearch, const QDate& today)
{
    QDateTime dateTime;
    if (JetParseUsDateTime(strSearch, &dateTime))
        return dateTime.date();
    QString strDate, strTime;
    JetSplitDateTime(strSearch, &strDate, &strTime);
    QTime time;
    if (strDate.isEmpty() || (!strTime.isEmpty() && !JetParseTime(strTime, &time)))
        return QDate();
    return ExtraFormDay(strDate, today);
}

QString FindCriterion(const QString& strSearch, const QDate& today)
{
    const QDate date = FindDay(strSearch, today);
    if (date.isValid()) {
        // Four-digit years keep every day searchable, before 1970 and after 3000 too.
        const QString strDay = QStringLiteral("%1/%2/%3")
                                   .arg(date.month(), 2, 10, QLatin1Char('0'))
                                   .arg(date.day(), 2, 10, QLatin1Char('0'))
                                   .arg(date.year(), 4, 10, QLatin1Char('0'));
        return QStringLiteral("[%1] >= #%2 00:00:00# AND [%1] <= #%2 23:59:59#")
            .arg(PhotoFieldName(EPhotoField::Date), strDay);
    }
    const QString strPattern = JetQuoteText(JetEscapeLike(strSearch));
    QStringList arCriteria;
    for (EPhotoField eField :
         {EPhotoField::Theme, EPhotoField::Comment, EPhotoField::Name, EPhotoField::Directory})
        arCriteria.append(
            QStringLiteral("[%1] LIKE '*%2*'").arg(PhotoFieldName(eField), strPattern));
    return arCriteria.join(QStringLiteral(" OR "));
}
