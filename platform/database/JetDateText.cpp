#include "platform/database/JetDateText.h"

#include <QRegularExpression>
#include <QStringList>

int JetMonthFromName(const QString& strName)
{
    static const QStringList arMonths = {
        QStringLiteral("january"), QStringLiteral("february"), QStringLiteral("march"),
        QStringLiteral("april"),   QStringLiteral("may"),      QStringLiteral("june"),
        QStringLiteral("july"),    QStringLiteral("august"),   QStringLiteral("september"),
        QStringLiteral("october"), QStringLiteral("november"), QStringLiteral("december")};
    const QString strLower = strName.toLower();
    for (int i = 0; i < arMonths.size(); ++i) {
        const QString& strMonth = arMonths[i];
        if (strLower == strMonth || strLower == strMonth.left(3) ||
            (i == 8 && strLower == QLatin1String("sept")))
            return i + 1;
    }
    return 0;
}

namespace {

int FullYear(const QString& strYear)
{
    const int nYear = strYear.toInt();
    if (strYear.size() <= 2)
        return nYear + (nYear < 30 ? 2000 : 1900);
    return nYear;
}

bool ParseDate(const QString& strDate, QDate* pDate)
{
    static const QRegularExpression reNumeric(
        QStringLiteral("^(\\d{1,2})([/-])(\\d{1,2})\\2(\\d{2}|\\d{4})$"));
    static const QRegularExpression reIso(QStringLiteral("^(\\d{4})-(\\d{1,2})-(\\d{1,2})$"));
    static const QRegularExpression reMonthFirst(
        QStringLiteral("^([A-Za-z]+)\\.?\\s+(\\d{1,2}),?\\s+(\\d{2}|\\d{4})$"));
    static const QRegularExpression reDayFirst(
        QStringLiteral("^(\\d{1,2})\\s+([A-Za-z]+)\\.?,?\\s+(\\d{2}|\\d{4})$"));

    int nYear = 0, nMonth = 0, nDay = 0;
    QRegularExpressionMatch match;
    if ((match = reNumeric.match(strDate)).hasMatch()) {
        nMonth = match.captured(1).toInt();
        nDay = match.captured(3).toInt();
        nYear = FullYear(match.captured(4));
    } else if ((match = reIso.match(strDate)).hasMatch()) {
        nYear = match.captured(1).toInt();
        nMonth = match.captured(2).toInt();
        nDay = match.captured(3).toInt();
    } else if ((match = reMonthFirst.match(strDate)).hasMatch()) {
        nMonth = JetMonthFromName(match.captured(1));
        nDay = match.captured(2).toInt();
        nYear = FullYear(match.captured(3));
    } else if ((match = reDayFirst.match(strDate)).hasMatch()) {
        nDay = match.captured(1).toInt();
        nMonth = JetMonthFromName(match.captured(2));
        nYear = FullYear(match.captured(3));
    } else {
        return false;
    }
    // The date literals of the dialect need a year of at least three digits.
    if (nYear < 100)
        return false;
    *pDate = QDate(nYear, nMonth, nDay);
    return pDate->isValid();
}

} // namespace

bool JetParseTime(const QString& strTime, QTime* pTime)
{
    static const QRegularExpression reTime(
        QStringLiteral("^(\\d{1,2}):(\\d{2})(?::(\\d{2}))?(?:\\s*([AaPp][Mm]))?$"));
    const QRegularExpressionMatch match = reTime.match(strTime);
    if (!match.hasMatch())
        return false;
    int nHour = match.captured(1).toInt();
    const QString strMeridiem = match.captured(4).toUpper();
    if (!strMeridiem.isEmpty()) {
        if (nHour < 1 || nHour > 12)
            return false;
        nHour = nHour % 12 + (strMeridiem == QLatin1String("PM") ? 12 : 0);
    }
    *pTime = QTime(nHour, match.captured(2).toInt(), match.captured(3).toInt());
    return pTime->isValid();
}

void JetSplitDateTime(const QString& strText, QString* pstrDate, QString* pstrTime)
{
    const QString strTrimmed = strText.simplified();
    *pstrDate = strTrimmed;
    pstrTime->clear();
    const qsizetype nColon = strTrimmed.indexOf(QLatin1Char(':'));
    if (nColon >= 0) {
        const qsizetype nBlank = strTrimmed.lastIndexOf(QLatin1Char(' '), nColon);
        *pstrDate = nBlank < 0 ? QString() : strTrimmed.left(nBlank);
        *pstrTime = strTrimmed.mid(nBlank + 1);
    }
}

bool JetParseUsDateTime(const QString& strText, QDateTime* pDateTime)
{
    // Whatever comes before a time must be a date or nothing.
    QString strDate, strTime;
    JetSplitDateTime(strText, &strDate, &strTime);
    if (strDate.isEmpty() && strTime.isEmpty())
        return false;
    QDate date = JetDayZero();
    QTime time(0, 0);
    if (!strDate.isEmpty() && !ParseDate(strDate, &date))
        return false;
    if (!strTime.isEmpty() && !JetParseTime(strTime, &time))
        return false;
    *pDateTime = QDateTime(date, time, Qt::UTC);
    return true;
}

QString JetShortDateText(const QDate& date)
{
    auto two = [](int n) { return QString::number(n % 100).rightJustified(2, QLatin1Char('0')); };
    return two(date.month()) + QLatin1Char('/') + two(date.day()) + QLatin1Char('/') +
           two(date.year());
}
