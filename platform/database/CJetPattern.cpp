#include "platform/database/CJetPattern.h"

#include "platform/database/CDaoException.h"

#include <QChar>
#include <QList>

namespace {

inline char32_t Fold(char32_t c)
{
    if (c < 0x80)
        return (c >= 'A' && c <= 'Z') ? c + ('a' - 'A') : c;
    return QChar::toCaseFolded(c);
}

// Decodes one code point and advances; malformed bytes count as Latin-1.
inline char32_t NextCodePoint(const unsigned char*& p, const unsigned char* pEnd)
{
    const unsigned char c0 = *p++;
    if (c0 < 0x80)
        return c0;
    int nMore = 0;
    char32_t c = 0;
    if ((c0 & 0xE0) == 0xC0) {
        nMore = 1;
        c = c0 & 0x1F;
    } else if ((c0 & 0xF0) == 0xE0) {
        nMore = 2;
        c = c0 & 0x0F;
    } else if ((c0 & 0xF8) == 0xF0) {
        nMore = 3;
        c = c0 & 0x07;
    } else {
        return c0;
    }
    if (pEnd - p < nMore)
        return c0;
    for (int i = 0; i < nMore; ++i) {
        if ((p[i] & 0xC0) != 0x80)
            return c0;
        c = (c << 6) | (p[i] & 0x3F);
    }
    p += nMore;
    return c;
}

} // namespace

void JetFoldUtf8(const char* pText, int nBytes, std::u32string& strOut)
{
    strOut.clear();
    auto p = reinterpret_cast<const unsigned char*>(pText);
    const unsigned char* pEnd = p + nBytes;
    while (p < pEnd)
        strOut.push_back(Fold(NextCodePoint(p, pEnd)));
}

int JetCompareFolded(const char* pA, int nA, const char* pB, int nB)
{
    auto p = reinterpret_cast<const unsigned char*>(pA);
    auto q = reinterpret_cast<const unsigned char*>(pB);
    const unsigned char* pEnd = p + nA;
    const unsigned char* qEnd = q + nB;
    while (p < pEnd && q < qEnd) {
        const char32_t a = Fold(NextCodePoint(p, pEnd));
        const char32_t b = Fold(NextCodePoint(q, qEnd));
        if (a != b)
            return a < b ? -1 : 1;
    }
    if (p < pEnd)
        return 1;
    return q < qEnd ? -1 : 0;
}

bool CJetPattern::Compile(const QString& strPattern, QString* pError)
{
    m_arTokens.clear();
    m_arRanges.clear();
    const QList<uint> arCodes = strPattern.toUcs4();
    const qsizetype n = arCodes.size();
    for (qsizetype i = 0; i < n; ++i) {
        const char32_t c = arCodes[i];
        CToken token{Char, false, 0, 0, 0};
        if (c == '*') {
            // Consecutive stars match what one star matches.
            if (!m_arTokens.empty() && m_arTokens.back().nKind == AnyRun)
                continue;
            token.nKind = AnyRun;
        } else if (c == '?') {
            token.nKind = AnyOne;
        } else if (c == '#') {
            token.nKind = Digit;
        } else if (c == '[') {
            qsizetype j = i + 1;
            token.nKind = List;
            if (j < n && arCodes[j] == '!') {
                token.bNegated = true;
                ++j;
            }
            token.nFirstRange = int(m_arRanges.size());
            const qsizetype nStart = j;
            while (j < n && (arCodes[j] != ']' || j == nStart)) {
                char32_t cLow = Fold(arCodes[j]);
                char32_t cHigh = cLow;
                if (j + 2 < n && arCodes[j + 1] == '-' && arCodes[j + 2] != ']') {
                    cHigh = Fold(arCodes[j + 2]);
                    j += 2;
                }
                if (cHigh < cLow) {
                    *pError = QStringLiteral("The character range in \"%1\" runs backwards.")
                                  .arg(DaoExcerpt(strPattern));
                    return false;
                }
                m_arRanges.emplace_back(cLow, cHigh);
                ++j;
            }
            if (j >= n) {
                *pError = QStringLiteral("The pattern \"%1\" has a '[' without its ']'.")
                              .arg(DaoExcerpt(strPattern));
                return false;
            }
            token.nRanges = int(m_arRanges.size()) - token.nFirstRange;
            i = j;
        } else {
            token.c = Fold(c);
        }
        m_arTokens.push_back(token);
    }
    return true;
}

namespace {
// A character the regular expression reads as itself; inside a list too.
QString RegexLiteral(char32_t c)
{
    const QString str = QString::fromUcs4(&c, 1);
    return c < 128 && !QChar(c).isLetterOrNumber() ? u'\\' + str : str;
}
} // namespace

QString CJetPattern::ToRegex() const
{
    QString strRegex = QStringLiteral("^");
    for (const CToken& token : m_arTokens) {
        switch (token.nKind) {
        case Char:
            strRegex += RegexLiteral(token.c);
            break;
        case AnyRun:
            strRegex += QStringLiteral(".*");
            break;
        case AnyOne:
            strRegex += u'.';
            break;
        case Digit:
            strRegex += QStringLiteral("[0-9]");
            break;
        case List:
            strRegex += token.bNegated ? QStringLiteral("[^") : QStringLiteral("[");
            for (int i = token.nFirstRange; i < token.nFirstRange + token.nRanges; ++i) {
                strRegex += RegexLiteral(m_arRanges[i].first);
                if (m_arRanges[i].second != m_arRanges[i].first)
                    strRegex += u'-' + RegexLiteral(m_arRanges[i].second);
            }
            strRegex += u']';
            break;
        }
    }
    return strRegex + u'$';
}

bool CJetPattern::MatchOne(const CToken& token, char32_t c) const
{
    switch (token.nKind) {
    case Char:
        return token.c == c;
    case AnyOne:
        return true;
    case Digit:
        return c >= '0' && c <= '9';
    case List: {
        bool bIn = false;
        for (int i = token.nFirstRange; i < token.nFirstRange + token.nRanges && !bIn; ++i)
            bIn = c >= m_arRanges[i].first && c <= m_arRanges[i].second;
        return bIn != token.bNegated;
    }
    case AnyRun:
        break;
    }
    return false;
}

bool CJetPattern::MatchFolded(const std::u32string& strText) const
{
    // Greedy match that backs up to the latest '*' on a mismatch: linear for
    // the usual "*text*" patterns, and never exponential.
    const size_t nTokens = m_arTokens.size();
    size_t t = 0, s = 0;
    size_t nStarToken = size_t(-1), nStarText = 0;
    while (s < strText.size()) {
        if (t < nTokens && m_arTokens[t].nKind == AnyRun) {
            nStarToken = t++;
            nStarText = s;
        } else if (t < nTokens && MatchOne(m_arTokens[t], strText[s])) {
            ++t;
            ++s;
        } else if (nStarToken != size_t(-1)) {
            t = nStarToken + 1;
            s = ++nStarText;
        } else {
            return false;
        }
    }
    while (t < nTokens && m_arTokens[t].nKind == AnyRun)
        ++t;
    return t == nTokens;
}

bool CJetPattern::Matches(const QString& strText) const
{
    const QByteArray utf8 = strText.toUtf8();
    return MatchesUtf8(utf8.constData(), int(utf8.size()));
}

bool CJetPattern::MatchesUtf8(const char* pText, int nBytes) const
{
    thread_local std::u32string strFolded;
    JetFoldUtf8(pText, nBytes, strFolded);
    return MatchFolded(strFolded);
}
