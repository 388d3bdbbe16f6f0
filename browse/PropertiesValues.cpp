#include "browse/PropertiesValues.h"

#include <QByteArray>
#include <algorithm>
#include <charconv>
#include <climits>
#include <cmath>

namespace {

// The blanks of the C locale; a user's locale must not change what is read.
bool IsCBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

const char* SkipBlanks(const char* p, const char* pEnd)
{
    while (p != pEnd && IsCBlank(*p))
        ++p;
    return p;
}

int ClampToInt(double d)
{
    if (std::isnan(d))
        return 0;
    // Both bounds are exact doubles, so the comparisons are too.
    if (d >= 2147483648.0)
        return INT_MAX;
    if (d <= -2147483649.0)
        return INT_MIN;
    return static_cast<int>(d);
}

} // namespace

int AtoiText(const QString& strText)
{
    const QByteArray text = strText.toUtf8();
    const char* p = SkipBlanks(text.cbegin(), text.cend());
    const char* pEnd = text.cend();
    bool bNegative = false;
    if (p != pEnd && (*p == '+' || *p == '-'))
        bNegative = *p++ == '-';
    long long nValue = 0;
    for (; p != pEnd && *p >= '0' && *p <= '9'; ++p) {
        nValue = nValue * 10 + (*p - '0');
        if (nValue > 1LL + INT_MAX)
            break; // beyond either end already
    }
    if (bNegative)
        nValue = -nValue;
    return int(std::clamp<long long>(nValue, INT_MIN, INT_MAX));
}

int PauseMilliseconds(const QString& strSeconds)
{
    const QByteArray text = strSeconds.toUtf8();
    const char* p = SkipBlanks(text.cbegin(), text.cend());
    const char* pEnd = text.cend();
    bool bNegative = false;
    if (p != pEnd && (*p == '+' || *p == '-'))
        bNegative = *p++ == '-';
    // from_chars would take a second minus sign; atof does not.
    if (p == pEnd || *p == '+' || *p == '-')
        return 0;
    double dSeconds = 0.0;
    const auto [pStop, error] = std::from_chars(p, pEnd, dSeconds);
    if (error == std::errc::invalid_argument)
        return 0;
    if (error == std::errc::result_out_of_range) {
        // from_chars leaves the value alone; QString reads the same digits in
        // the C locale as an infinity or as 0.
        dSeconds = QString::fromLatin1(p, pStop - p).toDouble();
    }
    if (bNegative)
        dSeconds = -dSeconds;
    return ClampToInt(std::trunc(dSeconds * 1000.0));
}

QString PauseText(int nMilliseconds)
{
    return QString::asprintf("%.1f", nMilliseconds * 0.001);
}

SViewSettings ViewSettingsFromTexts(bool bKeep, bool bLoop, const QString& strPhotosInRow,
                                    const QString& strBorderWidth, const QString& strPause)
{
    SViewSettings settings;
    settings.bKeepProportions = bKeep;
    settings.bLoop = bLoop;
    // A row needs a photo to divide the width by; a negative border or pause
    // would overlap the thumbnails or arm a timer that cannot run. Past the
    // upper ends no screen shows a difference, and the sums of cells and
    // borders would no longer fit an int.
    settings.nPhotosInRow = std::clamp(AtoiText(strPhotosInRow), 1, kMaxPhotosInRow);
    settings.nBorderWidth = std::clamp(AtoiText(strBorderWidth), 0, kMaxBorderWidth);
    settings.nSlidePause = std::max(0, PauseMilliseconds(strPause));
    return settings;
}
