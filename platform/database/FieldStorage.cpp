#include "platform/database/FieldStorage.h"

#include "platform/database/CDaoException.h"
#include "platform/database/CDaoTableDef.h"
#include "platform/database/JetDate.h"

#include <QDateTime>

#include <limits>

namespace {

// The years a date field holds: the stored text has four digits for the year,
// and the engine's dates start at year 100.
constexpr int g_nFirstYear = 100;
constexpr int g_nLastYear = 9999;

qsizetype CodePointCount(const QString& str)
{
    qsizetype n = str.size();
    for (const QChar c : str)
        n -= c.isLowSurrogate() ? 1 : 0;
    return n;
}

// The position of the first half of a surrogate pair that stands alone, or -1.
// UTF-8 has no form for it, so SQLite would store some other character.
qsizetype LoneSurrogate(const QString& str)
{
    for (qsizetype i = 0; i < str.size(); ++i) {
        if (str[i].isHighSurrogate() && i + 1 < str.size() && str[i + 1].isLowSurrogate())
            ++i;
        else if (str[i].isSurrogate())
            return i;
    }
    return -1;
}

QVariant TextToStorage(const CDaoFieldInfo& field, const QVariant& value)
{
    const QString str = value.toString();
    const qsizetype nLone = LoneSurrogate(str);
    if (nLone >= 0)
        throw CDaoException(
            QStringLiteral("The text for field \"%1\" holds half a character (the UTF-16 "
                           "surrogate %2 at position %3 stands alone); it can not be stored.")
                .arg(field.m_strName, QStringLiteral("U+%1")
                                          .arg(str[nLone].unicode(), 4, 16, QLatin1Char('0'))
                                          .toUpper())
                .arg(nLone + 1));
    const qsizetype nLength = CodePointCount(str);
    if (field.m_lSize > 0 && nLength > field.m_lSize)
        throw CDaoException(QStringLiteral("The text for field \"%1\" has %2 characters; the field "
                                           "holds at most %3.")
                                .arg(field.m_strName)
                                .arg(nLength)
                                .arg(field.m_lSize));
    return str;
}

QVariant LongToStorage(const CDaoFieldInfo& field, const QVariant& value)
{
    bool bOk = false;
    const qlonglong n = value.toLongLong(&bOk);
    if (!bOk || n < std::numeric_limits<qint32>::min() || n > std::numeric_limits<qint32>::max())
        throw CDaoException(
            QStringLiteral("Field \"%1\" holds whole numbers of 32 bits; \"%2\" is not one.")
                .arg(field.m_strName, DaoExcerpt(value.toString())));
    return n;
}

QVariant DateToStorage(const CDaoFieldInfo& field, const QVariant& value)
{
    // A local time in a daylight-saving gap is invalid as an instant, yet its
    // wall clock is what the caller means to store.
    QDate date;
    QTime time(0, 0);
    if (value.metaType().id() == QMetaType::QDateTime) {
        date = value.toDateTime().date();
        time = value.toDateTime().time();
    } else if (value.metaType().id() == QMetaType::QDate) {
        date = value.toDate();
    }
    if (!date.isValid() || !time.isValid())
        throw CDaoException(QStringLiteral("Field \"%1\" holds dates; \"%2\" is not one.")
                                .arg(field.m_strName, DaoExcerpt(value.toString())));
    if (date.year() < g_nFirstYear || date.year() > g_nLastYear)
        throw CDaoException(
            QStringLiteral("Field \"%1\" holds dates of the years %2 to %3; %4 is outside.")
                .arg(field.m_strName)
                .arg(g_nFirstYear)
                .arg(g_nLastYear)
                .arg(date.toString(Qt::ISODate)));
    return JetDateToStorage(date, time);
}

} // namespace

QVariant FieldToStorage(const CDaoFieldInfo& field, const QVariant& value)
{
    if (value.isNull())
        return QVariant();
    switch (field.m_nType) {
    case dbText:
        return TextToStorage(field, value);
    case dbLong:
        return LongToStorage(field, value);
    case dbDate:
        return DateToStorage(field, value);
    default:
        return value;
    }
}
