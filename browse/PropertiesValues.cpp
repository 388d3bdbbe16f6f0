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

// Where the digits of a C numeric text begin: past the C locale's blanks
// and at most one sign.
const char* NumberStart(const QByteArray& text, bool& bNegative)
{
    const char* p = text.cbegin();
    while (p != text.cend() && IsCBlank(*p))
        ++p;
    bNegative = false;
    if (p != text.cend() && (*p == '+' || *p == '-'))
        bNegative = *p++ == '-';
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
    bool bNegative = false;
    const char* p = NumberStart(text, bNegative);
    // An unsigned type takes no further sign, as atoi takes just one.
    unsigned long long nValue = 0;
    const std::errc error = std::from_chars(p, text.cend(), nValue).ec;
    if (error == std::errc::invalid_argument)
        return 0;
    if (error == std::errc::result_out_of_range || nValue > unsigned(INT_MAX))
        return bNegative ? INT_MIN : INT_MAX;
    return bNegative ? -int(nValue) : int(nValue);
}

int PauseMilliseconds(const QString& strSeconds)
{
    const QByteArray text = strSeconds.toUtf8();
    bool bNegative = false;
    const char* p = NumberStart(text, bNegative);
    const char* pEnd = text.cend();
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
