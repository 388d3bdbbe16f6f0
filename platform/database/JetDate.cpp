#include "platform/database/JetDate.h"

#include "platform/database/CDaoException.h"

#include <QRegularExpression>

namespace {

void AppendPadded(QString& str, int nValue, int nWidth)
{
    str += QString::number(nValue).rightJustified(nWidth, QLatin1Char('0'));
}

} // namespace

QString JetDateToStorage(const QDate& date, const QTime& time)
{
    QString str;
    str.reserve(19);
    AppendPadded(str, date.year(), 4);
    str += QLatin1Char('-');
    AppendPadded(str, date.month(), 2);
    str += QLatin1Char('-');
    AppendPadded(str, date.day(), 2);
    str += QLatin1Char(' ');
    AppendPadded(str, time.hour(), 2);
    str += QLatin1Char(':');
    AppendPadded(str, time.minute(), 2);
    str += QLatin1Char(':');
    AppendPadded(str, time.second(), 2);
    return str;
}

QString JetDateToStorage(const QDateTime& dateTime)
{
    return JetDateToStorage(dateTime.date(), dateTime.time());
}

bool JetDateFromStorage(const QString& strStored, QDateTime* pDateTime)
{
    // Parsed by hand: this runs once per row when a table is listed.
    if (strStored.size() != 19)
        return false;
    const QChar* p = strStored.constData();
    auto number = [p](int nFrom, int nCount, int* pValue) {
        int nValue = 0;
        for (int i = nFrom; i < nFrom + nCount; ++i) {
            const char16_t c = p[i].unicode();
            if (c < u'0' || c > u'9')
                return false;
            nValue = nValue * 10 + (c - u'0');
        }
        *pValue = nValue;
        return true;
    };
    int nYear, nMonth, nDay, nHour, nMinute, nSecond;
    if (!number(0, 4, &nYear) || p[4] != u'-' || !number(5, 2, &nMonth) || p[7] != u'-' ||
        !number(8, 2, &nDay) || p[10] != u' ' || !number(11, 2, &nHour) || p[13] != u':' ||
        !number(14, 2, &nMinute) || p[16] != u':' || !number(17, 2, &nSecond))
        return false;
    const QDate date(nYear, nMonth, nDay);
    const QTime time(nHour, nMinute, nSecond);
    if (!date.isValid() || !time.isValid())
        return false;
    *pDateTime = QDateTime(date, time, Qt::UTC);
    return true;
}

bool JetParseDateLiteral(const QString& strLiteral, QDate* pDate, QTime* pTime, QString* pError)
{
    static const QRegularExpression re(
        QStringLiteral("^\\s*(\\d{1,2})([/-])(\\d{1,2})\\2(\\d{1,4})"
                       "(?:\\s+(\\d{1,2}):(\\d{2})(?::(\\d{2}))?(?:\\s*([AaPp][Mm]))?)?\\s*$"));
    const QRegularExpressionMatch match = re.match(strLiteral);
    if (!match.hasMatch()) {
        *pError = QStringLiteral("\"%1\" is not a date written month/day/year.")
                      .arg(DaoExcerpt(strLiteral));
        return false;
    }
    const QString strYear = match.captured(4);
    int nYear = strYear.toInt();
    if (strYear.size() == 3) {
        *pError = QStringLiteral("The year of \"%1\" needs two or four digits.")
                      .arg(DaoExcerpt(strLiteral));
        return false;
    }
    if (strYear.size() <= 2)
        nYear += nYear < 30 ? 2000 : 1900;
    const QDate date(nYear, match.captured(1).toInt(), match.captured(3).toInt());
    if (!date.isValid() || nYear < 100) {
        *pError = QStringLiteral("\"%1\" is not a valid date.").arg(DaoExcerpt(strLiteral));
        return false;
    }
    int nHour = match.captured(5).toInt();
    const QString strMeridiem = match.captured(8).toUpper();
    if (!strMeridiem.isEmpty()) {
        if (nHour < 1 || nHour > 12) {
            *pError =
                QStringLiteral("\"%1\" has an hour outside 1 to 12.").arg(DaoExcerpt(strLiteral));
            return false;
        }
        nHour = nHour % 12 + (strMeridiem == QLatin1String("PM") ? 12 : 0);
    }
    const QTime time(nHour, match.captured(6).toInt(), match.captured(7).toInt());
    if (!time.isValid()) {
        *pError = QStringLiteral("\"%1\" is not a valid time of day.").arg(DaoExcerpt(strLiteral));
        return false;
    }
    *pDate = date;
    *pTime = time;
    return true;
}
