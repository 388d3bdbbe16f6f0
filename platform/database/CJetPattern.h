#pragma once

#include <QString>

#include <string>
#include <vector>

// A LIKE pattern in the engine's dialect: '*' any run of characters, '?' one
// character, '#' one digit, "[...]" one character of a list ("[a-c]", "[!0-9]",
// "[*]" for a literal star). Matching ignores letter case for every script.
class CJetPattern
{
public:
    // False with a reason when the pattern is malformed (an unclosed '[').
    bool Compile(const QString& strPattern, QString* pError);

    bool Matches(const QString& strText) const;
    // The same pattern as a PostgreSQL regular expression, to be matched
    // ignoring letter case (~*): anchored at both ends.
    QString ToRegex() const;
    bool MatchesUtf8(const char* pText, int nBytes) const;

private:
    enum TokenKind : unsigned char { Char, AnyRun, AnyOne, Digit, List };
    struct CToken
    {
        TokenKind nKind;
        bool bNegated;
        char32_t c;
        int nFirstRange;
        int nRanges;
    };

    bool MatchFolded(const std::u32string& strText) const;
    bool MatchOne(const CToken& token, char32_t c) const;

    std::vector<CToken> m_arTokens;
    std::vector<std::pair<char32_t, char32_t>> m_arRanges;
};

// Case-folds UTF-8 text into code points (simple Unicode folding; bytes that
// are not UTF-8 count as Latin-1).
void JetFoldUtf8(const char* pText, int nBytes, std::u32string& strOut);

// Compares two UTF-8 texts ignoring letter case: the order of text fields in
// sorting, grouping and '=' comparisons.
int JetCompareFolded(const char* pA, int nA, const char* pB, int nB);
