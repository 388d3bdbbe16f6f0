#pragma once

#include <QString>

// The five settings of a picture view as the Properties dialog hands them over.
struct SViewSettings
{
    bool bKeepProportions = false;
    bool bLoop = false;
    int nPhotosInRow = 1;
    int nBorderWidth = 0;
    int nSlidePause = 0; // milliseconds
};

// C atoi on a typed text: blanks, a sign and the longest run of digits; 0 when
// there are none. Beyond the range of int it stops at the nearest end.
int AtoiText(const QString& strText);

// The typed seconds as whole milliseconds, truncated toward zero: C atof on a
// decimal number (no hexadecimal), with "." as the decimal point whatever the
// user's locale. Beyond the range of int it stops at the nearest end; "nan"
// gives 0.
int PauseMilliseconds(const QString& strSeconds);

// Milliseconds shown as seconds with one decimal: 1000 gives "1.0".
QString PauseText(int nMilliseconds);

constexpr int kMaxPhotosInRow = 1000;
constexpr int kMaxBorderWidth = 1000;

// The settings from the dialog's texts, which are never refused. Values the
// view cannot work with are brought to the nearest usable one.
SViewSettings ViewSettingsFromTexts(bool bKeep, bool bLoop, const QString& strPhotosInRow,
                                    const QString& strBorderWidth, const QString& strPause);
