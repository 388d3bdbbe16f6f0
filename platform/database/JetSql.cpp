#include "platform/database/JetSql.h"

#include "platform/database/CDaoException.h"
#include "platform/database/CJetPattern.h"
#include "platform/database/JetDate.h"

namespace {

enum class Tok { End, Name, Keyword, Text, Date, Number, Symbol };

struct CToken
{
    Tok nKind = Tok::End;
    QString strText; // name, keyword (upper case), text value, date text, number, symbol
    qsizetype nPos = 0;
};

const QStringList& Keywords()
{
    static const QStringList ar = {
        QStringLiteral("SELECT"), QStringLiteral("FROM"), QStringLiteral("GROUP"),
        QStringLiteral("ORDER"),  QStringLiteral("BY"),   QStringLiteral("ASC"),
        QStringLiteral("DESC"),   QStringLiteral("AND"),  QStringLiteral("OR"),
        QStringLiteral("LIKE"),   QStringLiteral("NOT"),  QStringLiteral("WHERE")};
    return ar;
}

// Splits the text into tokens and walks them; every error names the whole
// text and what was expected where.
class CParser
{
public:
    CParser(const QString& strSource, const char* pszWhat)
        : m_strSource(strSource)
        , m_pszWhat(pszWhat)
    {
        Tokenize();
    }

    const CToken& Peek() const { return m_arTokens[m_nNext]; }
    CToken Take() { return m_arTokens[m_nNext < m_arTokens.size() - 1 ? m_nNext++ : m_nNext]; }

    bool TakeKeyword(const char* pszKeyword)
    {
        if (Peek().nKind == Tok::Keyword && Peek().strText == QLatin1String(pszKeyword)) {
            Take();
            return true;
        }
        return false;
    }
    bool TakeSymbol(const char* pszSymbol)
    {
        if (Peek().nKind == Tok::Symbol && Peek().strText == QLatin1String(pszSymbol)) {
            Take();
            return true;
        }
        return false;
    }
    void ExpectKeyword(const char* pszKeyword)
    {
        if (!TakeKeyword(pszKeyword))
            Fail(QStringLiteral("%1 expected").arg(QLatin1String(pszKeyword)));
    }
    QString ExpectName()
    {
        if (Peek().nKind != Tok::Name)
            Fail(QStringLiteral("a field or table name expected"));
        return Take().strText;
    }

    [[noreturn]] void Fail(const QString& strWhy) const
    {
        const CToken& token = Peek();
        const QString strWhere =
            token.nKind == Tok::End
                ? QStringLiteral("at its end")
                : QStringLiteral("at \"%1\"").arg(DaoExcerpt(m_strSource.mid(token.nPos)));
        throw CDaoException(
            QStringLiteral("Syntax error in %1 \"%2\": %3 %4.")
                .arg(QLatin1String(m_pszWhat), DaoExcerpt(m_strSource), strWhy, strWhere));
    }

private:
    [[noreturn]] void FailAt(qsizetype nPos, const QString& strWhy) const
    {
        throw CDaoException(QStringLiteral("Syntax error in %1 \"%2\": %3 at \"%4\".")
                                .arg(QLatin1String(m_pszWhat), DaoExcerpt(m_strSource), strWhy,
                                     DaoExcerpt(m_strSource.mid(nPos))));
    }

    void Tokenize()
    {
        const QString& s = m_strSource;
        qsizetype i = 0;
        while (true) {
            while (i < s.size() && s[i].isSpace())
                ++i;
            CToken token;
            token.nPos = i;
            if (i < s.size())
                i = ReadToken(i, token);
            m_arTokens.append(token);
            if (token.nKind == Tok::End)
                return;
        }
    }

    // Reads the token that starts at i; returns where the next one may start.
    qsizetype ReadToken(qsizetype i, CToken& token) const
    {
        const QString& s = m_strSource;
        const QChar c = s[i];
        const bool bPair = i + 1 < s.size();
        if (c == u'[')
            return ReadEnclosed(i, Tok::Name, token);
        if (c.isLetter() || c == u'_')
            return ReadWord(i, token);
        if (c == u'\'')
            return ReadText(i, token);
        if (c == u'#')
            return ReadEnclosed(i, Tok::Date, token);
        if (c.isDigit() || ((c == u'-' || c == u'+') && bPair && s[i + 1].isDigit()))
            return ReadNumber(i, token);
        token.nKind = Tok::Symbol;
        if ((c == u'>' || c == u'<') && bPair && s[i + 1] == u'=') {
            token.strText = s.mid(i, 2);
            return i + 2;
        }
        if (c == u'=' || c == u',' || c == u'*' || c == u';') {
            token.strText = c;
            return i + 1;
        }
        FailAt(i, QStringLiteral("an unexpected character"));
    }

    // A [name] or a #date#: the text up to the closing character.
    qsizetype ReadEnclosed(qsizetype i, Tok nKind, CToken& token) const
    {
        const bool bName = nKind == Tok::Name;
        const qsizetype nEnd = m_strSource.indexOf(bName ? u']' : u'#', i + 1);
        if (nEnd < 0)
            FailAt(i, bName ? QStringLiteral("a '[' without its ']'")
                            : QStringLiteral("a date without its closing '#'"));
        if (bName && nEnd == i + 1)
            FailAt(i, QStringLiteral("an empty name"));
        token.nKind = nKind;
        token.strText = m_strSource.mid(i + 1, nEnd - i - 1);
        return nEnd + 1;
    }

    qsizetype ReadWord(qsizetype i, CToken& token) const
    {
        const QString& s = m_strSource;
        qsizetype j = i;
        while (j < s.size() && (s[j].isLetterOrNumber() || s[j] == u'_'))
            ++j;
        token.strText = s.mid(i, j - i);
        const QString strUpper = token.strText.toUpper();
        token.nKind = Keywords().contains(strUpper) ? Tok::Keyword : Tok::Name;
        if (token.nKind == Tok::Keyword)
            token.strText = strUpper;
        return j;
    }

    // A quoted text, where two quotes stand for one.
    qsizetype ReadText(qsizetype i, CToken& token) const
    {
        const QString& s = m_strSource;
        token.nKind = Tok::Text;
        qsizetype j = i + 1;
        while (true) {
            if (j >= s.size())
                FailAt(i, QStringLiteral("a text without its closing quote"));
            if (s[j] == u'\'') {
                if (j + 1 < s.size() && s[j + 1] == u'\'') {
                    token.strText += u'\'';
                    j += 2;
                    continue;
                }
                return j + 1;
            }
            token.strText += s[j++];
        }
    }

    qsizetype ReadNumber(qsizetype i, CToken& token) const
    {
        const QString& s = m_strSource;
        const qsizetype n = s.size();
        qsizetype j = i + 1;
        while (j < n && s[j].isDigit())
            ++j;
        if (j + 1 < n && s[j] == u'.' && s[j + 1].isDigit()) {
            j += 2;
            while (j < n && s[j].isDigit())
                ++j;
        }
        if (j < n && (s[j].isLetter() || s[j] == u'_'))
            FailAt(i, QStringLiteral("a malformed number"));
        token.nKind = Tok::Number;
        token.strText = s.mid(i, j - i);
        return j;
    }

    const QString& m_strSource;
    const char* m_pszWhat;
    QList<CToken> m_arTokens;
    qsizetype m_nNext = 0;
};

QStringList ParseNameList(CParser& parser)
{
    QStringList ar{parser.ExpectName()};
    while (parser.TakeSymbol(","))
        ar.append(parser.ExpectName());
    return ar;
}

void TranslateLike(CParser& parser, CJetCriterion& criterion, const QString& strField,
                   EJetDialect eDialect)
{
    if (parser.Peek().nKind != Tok::Text)
        parser.Fail(QStringLiteral("a quoted pattern expected after LIKE"));
    const QString strPattern = parser.Take().strText;
    CJetPattern pattern;
    QString strError;
    if (!pattern.Compile(strPattern, &strError))
        throw CDaoException(strError);
    if (eDialect == EJetDialect::Postgres) {
        criterion.strSql += QStringLiteral("%1 ~* ?").arg(strField);
        criterion.arValues.append(pattern.ToRegex());
        return;
    }
    criterion.strSql +=
        QStringLiteral("%1(?, %2)").arg(QLatin1String(g_szJetLikeFunction), strField);
    criterion.arValues.append(strPattern);
}

// "field = " a number or a 'text'.
void TranslateEquals(CParser& parser, CJetCriterion& criterion, const QString& strField,
                     EJetDialect eDialect)
{
    const CToken value = parser.Peek();
    if (value.nKind == Tok::Number) {
        parser.Take();
        criterion.strSql += QStringLiteral("%1 = ?").arg(strField);
        if (value.strText.contains(u'.'))
            criterion.arValues.append(value.strText.toDouble());
        else {
            bool bOk = false;
            const qlonglong nValue = value.strText.toLongLong(&bOk);
            if (!bOk)
                parser.Fail(QStringLiteral("a number too large"));
            criterion.arValues.append(nValue);
        }
    } else if (value.nKind == Tok::Text) {
        parser.Take();
        criterion.strSql += eDialect == EJetDialect::Postgres
                                ? QStringLiteral("lower(%1) = lower(?)").arg(strField)
                                : QStringLiteral("%1 = ? COLLATE %2")
                                      .arg(strField, QLatin1String(g_szJetTextCollation));
        criterion.arValues.append(value.strText);
    } else {
        parser.Fail(QStringLiteral("a number, a 'text' or a #date# expected"));
    }
}

void TranslateComparison(CParser& parser, CJetCriterion& criterion, const SJetTarget& target)
{
    const QString strName = parser.ExpectName();
    criterion.arNames.append(strName);
    const QString strField = JetQuoteName(target.mapNames.value(strName.toLower(), strName));
    if (parser.TakeKeyword("LIKE")) {
        TranslateLike(parser, criterion, strField, target.eDialect);
        return;
    }

    QString strOperator;
    if (parser.TakeSymbol("="))
        strOperator = QStringLiteral("=");
    else if (parser.TakeSymbol(">="))
        strOperator = QStringLiteral(">=");
    else if (parser.TakeSymbol("<="))
        strOperator = QStringLiteral("<=");
    else
        parser.Fail(QStringLiteral("=, >=, <= or LIKE expected"));

    const CToken value = parser.Peek();
    if (value.nKind == Tok::Date) {
        parser.Take();
        QDate date;
        QTime time;
        QString strError;
        if (!JetParseDateLiteral(value.strText, &date, &time, &strError))
            throw CDaoException(strError);
        criterion.strSql += QStringLiteral("%1 %2 ?").arg(strField, strOperator);
        criterion.arValues.append(JetDateToStorage(date, time));
        return;
    }
    if (strOperator != QLatin1String("="))
        parser.Fail(QStringLiteral("a #date# expected after %1").arg(strOperator));
    TranslateEquals(parser, criterion, strField, target.eDialect);
}

void TranslateAnd(CParser& parser, CJetCriterion& criterion, const SJetTarget& target)
{
    criterion.strSql += u'(';
    TranslateComparison(parser, criterion, target);
    while (parser.TakeKeyword("AND")) {
        criterion.strSql += QStringLiteral(" AND ");
        TranslateComparison(parser, criterion, target);
    }
    criterion.strSql += u')';
}

} // namespace

CJetSelect JetParseSelect(const QString& strStatement)
{
    CParser parser(strStatement, "statement");
    CJetSelect select;
    parser.ExpectKeyword("SELECT");
    if (!parser.TakeSymbol("*"))
        select.arColumns = ParseNameList(parser);
    parser.ExpectKeyword("FROM");
    select.strTable = parser.ExpectName();
    if (parser.TakeKeyword("GROUP")) {
        parser.ExpectKeyword("BY");
        select.arGroupBy = ParseNameList(parser);
    }
    if (parser.TakeKeyword("ORDER")) {
        parser.ExpectKeyword("BY");
        do {
            CJetOrder order;
            order.strName = parser.ExpectName();
            if (parser.TakeKeyword("DESC"))
                order.bDescending = true;
            else
                parser.TakeKeyword("ASC");
            select.arOrderBy.append(order);
        } while (parser.TakeSymbol(","));
    }
    parser.TakeSymbol(";");
    if (parser.Peek().nKind != Tok::End)
        parser.Fail(QStringLiteral("the end of the statement expected"));
    return select;
}

CJetCriterion JetTranslateCriterion(const QString& strCriterion, const SJetTarget& target)
{
    CParser parser(strCriterion, "criteria expression");
    CJetCriterion criterion;
    TranslateAnd(parser, criterion, target);
    while (parser.TakeKeyword("OR")) {
        criterion.strSql += QStringLiteral(" OR ");
        TranslateAnd(parser, criterion, target);
    }
    if (parser.Peek().nKind != Tok::End)
        parser.Fail(QStringLiteral("AND, OR or the end expected"));
    return criterion;
}

QString JetSelectSql(const CJetSelect& select, const CJetCriterion* pFilter,
                     const QSet<QString>& setTextColumns, const QString& strRecordKey,
                     EJetDialect eDialect, const QSet<QString>& setDateColumns)
{
    const bool bPostgres = eDialect == EJetDialect::Postgres;
    auto isText = [&setTextColumns](const QString& strName) {
        return setTextColumns.contains(strName.toLower());
    };
    // Folded text in code point order, as the SQLite collation compares.
    auto sortKey = [&](const QString& strName) {
        const QString str = JetQuoteName(strName);
        if (!isText(strName))
            return str;
        if (bPostgres)
            return QStringLiteral("lower(%1) COLLATE \"C\"").arg(str);
        return str + QStringLiteral(" COLLATE ") + QLatin1String(g_szJetTextCollation);
    };
    QString strSql = QStringLiteral("SELECT ");
    if (select.arColumns.isEmpty() && select.arGroupBy.isEmpty()) {
        strSql += JetQuoteName(strRecordKey);
    } else if (select.arColumns.isEmpty()) {
        strSql += u'*';
    } else {
        QStringList arColumns;
        for (const QString& strName : select.arColumns) {
            // A server groups only what the query names whole: one spelling
            // of each group's text stands for it, as SQLite picks one.
            const bool bGroupedText = bPostgres && isText(strName) &&
                                      select.arGroupBy.contains(strName, Qt::CaseInsensitive);
            // As text, a date costs the driver no conversion through the
            // local time zone, row after row.
            const bool bDateText = bPostgres && setDateColumns.contains(strName.toLower());
            arColumns.append(
                bGroupedText ? QStringLiteral("min(%1) AS %1").arg(JetQuoteName(strName))
                : bDateText  ? QStringLiteral("CAST(%1 AS text) AS %1").arg(JetQuoteName(strName))
                             : JetQuoteName(strName));
        }
        strSql += arColumns.join(QStringLiteral(", "));
    }
    strSql += QStringLiteral(" FROM ") + JetQuoteName(select.strTable);
    if (pFilter)
        strSql += QStringLiteral(" WHERE ") + pFilter->strSql;
    if (!select.arGroupBy.isEmpty()) {
        QStringList ar;
        for (const QString& strName : select.arGroupBy)
            ar.append(sortKey(strName));
        strSql += QStringLiteral(" GROUP BY ") + ar.join(QStringLiteral(", "));
    }
    if (!select.arOrderBy.isEmpty()) {
        QStringList ar;
        for (const CJetOrder& order : select.arOrderBy)
            ar.append(sortKey(order.strName) +
                      (order.bDescending ? QStringLiteral(" DESC") : QString()));
        strSql += QStringLiteral(" ORDER BY ") + ar.join(QStringLiteral(", "));
    }
    return strSql;
}

QString JetQuoteName(const QString& strName)
{
    QString str = strName;
    str.replace(u'"', QStringLiteral("\"\""));
    return u'"' + str + u'"';
}

QString JetQuoteText(const QString& strText)
{
    QString str = strText;
    str.replace(u'\'', QStringLiteral("''"));
    return str;
}

QString JetEscapeLike(const QString& strText)
{
    QString str;
    str.reserve(strText.size());
    for (const QChar c : strText) {
        if (c == u'*' || c == u'?' || c == u'#' || c == u'[')
            str += u'[' + QString(c) + u']';
        else
            str += c;
    }
    return str;
}
