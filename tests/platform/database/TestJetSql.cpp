#include "TestJetSql.h"

#include "platform/database/CDaoException.h"
#include "platform/database/CJetPattern.h"
#include "platform/database/JetDate.h"
#include "platform/database/JetSql.h"

#include <QTest>

void TestJetSql::parseStatement_data()
{
    QTest::addColumn<QString>("statement");
    QTest::addColumn<QString>("table");
    QTest::addColumn<QString>("columns");
    QTest::addColumn<QString>("groupBy");
    QTest::addColumn<QString>("orderBy"); // '-' marks descending

    QTest::newRow("all") << "SELECT * FROM PHOTOS"
                         << "PHOTOS"
                         << ""
                         << ""
                         << "";
    QTest::newRow("listing") << "SELECT * FROM PHOTOS ORDER BY ID_Photo, Date;"
                             << "PHOTOS"
                             << ""
                             << ""
                             << "ID_Photo,Date";
    QTest::newRow("distinct") << "SELECT Theme FROM PHOTOS GROUP BY Theme ORDER BY Theme"
                              << "PHOTOS"
                              << "Theme"
                              << "Theme"
                              << "Theme";
    QTest::newRow("brackets, lower case, directions")
        << "select [Theme], Name from [PHOTOS] group by [Theme] order by [Theme] desc, Name asc"
        << "PHOTOS"
        << "Theme,Name"
        << "Theme"
        << "-Theme,Name";
    QTest::newRow("names with blanks") << "SELECT [My Field] FROM [My Table] ;  "
                                       << "My Table"
                                       << "My Field"
                                       << ""
                                       << "";
}

void TestJetSql::parseStatement()
{
    QFETCH(QString, statement);
    QFETCH(QString, table);
    QFETCH(QString, columns);
    QFETCH(QString, groupBy);
    QFETCH(QString, orderBy);

    const CJetSelect select = JetParseSelect(statement);
    QCOMPARE(select.strTable, table);
    QCOMPARE(select.arColumns.join(u','), columns);
    QCOMPARE(select.arGroupBy.join(u','), groupBy);
    QStringList arOrder;
    for (const CJetOrder& order : select.arOrderBy)
        arOrder.append((order.bDescending ? QStringLiteral("-") : QString()) + order.strName);
    QCOMPARE(arOrder.join(u','), orderBy);
}

void TestJetSql::malformed_data()
{
    QTest::addColumn<bool>("isStatement");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("token"); // what the message must name

    QTest::newRow("empty statement") << true << ""
                                     << "SELECT";
    QTest::newRow("no columns") << true << "SELECT FROM PHOTOS"
                                << "FROM PHOTOS";
    QTest::newRow("no FROM") << true << "SELECT * PHOTOS"
                             << "PHOTOS";
    QTest::newRow("WHERE is not spoken") << true << "SELECT * FROM PHOTOS WHERE ID_Photo=1"
                                         << "WHERE";
    QTest::newRow("second statement") << true << "SELECT * FROM PHOTOS; DROP TABLE PHOTOS"
                                      << "DROP";
    QTest::newRow("other verb") << true << "DELETE * FROM PHOTOS"
                                << "DELETE";
    QTest::newRow("unclosed bracket") << true << "SELECT * FROM [PHOTOS"
                                      << "[PHOTOS";
    QTest::newRow("ORDER without BY") << true << "SELECT * FROM PHOTOS ORDER ID_Photo"
                                      << "ID_Photo";

    QTest::newRow("empty criterion") << false << ""
                                     << "name";
    QTest::newRow("value missing") << false << "ID_Photo="
                                   << "ID_Photo=";
    QTest::newRow("operator missing") << false << "ID_Photo"
                                      << "ID_Photo";
    QTest::newRow("name missing") << false << "=5"
                                  << "=5";
    QTest::newRow("unclosed text") << false << "[Name]='abc"
                                   << "'abc";
    QTest::newRow("unescaped quote") << false << "[Name]='O'Brien'"
                                     << "Brien'";
    QTest::newRow("unclosed list in pattern") << false << "[Name] LIKE '*[abc*'"
                                              << "*[abc*";
    QTest::newRow("range backwards") << false << "[Name] LIKE '[z-a]*'"
                                     << "[z-a]*";
    QTest::newRow("pattern not quoted") << false << "[Name] LIKE Theme"
                                        << "Theme";
    QTest::newRow("day 45") << false << "[Date] >= #12/45/2006#"
                            << "12/45/2006";
    QTest::newRow("three-digit year") << false << "[Date] >= #12/07/206#"
                                      << "12/07/206";
    QTest::newRow("year first") << false << "[Date] >= #2006-12-07#"
                                << "2006-12-07";
    QTest::newRow("unclosed date") << false << "[Date] >= #12/07/2006"
                                   << "#12/07/2006";
    QTest::newRow(">= with text") << false << "[Date] >= '12/07/2006'"
                                  << "'12/07/2006'";
    QTest::newRow("> is not spoken") << false << "[Date] > #12/07/2006#"
                                     << "> #12/07/2006#";
    QTest::newRow("<> is not spoken") << false << "ID_Photo<>1"
                                      << "<>1";
    QTest::newRow("dangling AND") << false << "ID_Photo=1 AND"
                                  << "AND";
    QTest::newRow("double OR") << false << "ID_Photo=1 OR OR ID_Photo=2"
                               << "OR ID_Photo=2";
    QTest::newRow("statement after") << false << "ID_Photo=1; DELETE FROM PHOTOS"
                                     << "; DELETE";
    QTest::newRow("letters in number") << false << "ID_Photo=12abc"
                                       << "12abc";
    QTest::newRow("NOT is not spoken") << false << "NOT ID_Photo=1"
                                       << "NOT";
    QTest::newRow("IN is not spoken") << false << "ID_Photo IN (1, 2)"
                                      << "IN (1, 2)";
    QTest::newRow("parentheses") << false << "(ID_Photo=1)"
                                 << "(ID_Photo=1)";

    // A message quotes at most 200 characters of a text, yet names the fault.
    QStringList arFields;
    for (int i = 0; i < 60; ++i)
        arFields.append(QStringLiteral("Field%1").arg(i));
    QTest::newRow("long statement, fault at its end")
        << true << QStringLiteral("SELECT %1 FROM PHOTOS WHERE x").arg(arFields.join(u','))
        << "WHERE x";
    QTest::newRow("long criterion, fault at its start")
        << false << QStringLiteral("ID_Photo<>1 OR [Theme]='%1'").arg(QString(300, u't')) << "<>1";
    QTest::newRow("long pattern") << false
                                  << QStringLiteral("[Theme] LIKE '*[%1'").arg(QString(300, u'p'))
                                  << "*[ppp";
    QTest::newRow("long date")
        << false << QStringLiteral("[Date] >= #12/07/2006 %1#").arg(QString(300, u'd'))
        << "12/07/2006 ddd";
    QTest::newRow("long text, cut between a surrogate pair")
        << false
        << QStringLiteral("ID_Photo<>1 OR [Theme]='x%1'")
               .arg(QString::fromUcs4(U"\U0001F30A").repeated(200))
        << "<>1";
}

void TestJetSql::malformed()
{
    QFETCH(bool, isStatement);
    QFETCH(QString, text);
    QFETCH(QString, token);
    try {
        if (isStatement)
            JetParseSelect(text);
        else
            JetTranslateCriterion(text);
        QFAIL("no exception");
    } catch (const CDaoException& e) {
        const QString strMessage = e.GetErrorDescription();
        QVERIFY2(strMessage.contains(token), qPrintable(strMessage));
        if (text.size() > 200) {
            QVERIFY2(!strMessage.contains(text.left(201)), qPrintable(strMessage));
            QVERIFY2(strMessage.contains(QChar(0x2026)), qPrintable(strMessage));
        }
        // A character is never cut in two.
        for (qsizetype i = 0; i < strMessage.size(); ++i) {
            if (strMessage[i].isHighSurrogate())
                QVERIFY(i + 1 < strMessage.size() && strMessage[++i].isLowSurrogate());
            else
                QVERIFY(!strMessage[i].isSurrogate());
        }
    }
}

void TestJetSql::dateLiteral_data()
{
    QTest::addColumn<QString>("literal");
    QTest::addColumn<QString>("stored"); // empty: refused

    QTest::newRow("start of day") << "12/07/06 00:00:00"
                                  << "2006-12-07 00:00:00";
    QTest::newRow("end of day") << "12/07/06 23:59:59"
                                << "2006-12-07 23:59:59";
    QTest::newRow("four-digit year, no time") << "12/7/2006"
                                              << "2006-12-07 00:00:00";
    QTest::newRow("month first") << "7/12/2006"
                                 << "2006-07-12 00:00:00";
    QTest::newRow("29 is 2029") << "1/1/29"
                                << "2029-01-01 00:00:00";
    QTest::newRow("30 is 1930") << "1/1/30"
                                << "1930-01-01 00:00:00";
    QTest::newRow("99 is 1999") << "12/31/99 23:59:59"
                                << "1999-12-31 23:59:59";
    QTest::newRow("00 is 2000") << "01/01/00"
                                << "2000-01-01 00:00:00";
    QTest::newRow("before 1970") << "12/31/1969 23:59:59"
                                 << "1969-12-31 23:59:59";
    QTest::newRow("leap day, PM") << "2/29/2000 1:05 PM"
                                  << "2000-02-29 13:05:00";
    QTest::newRow("midnight AM") << "2/29/2000 12:00 am"
                                 << "2000-02-29 00:00:00";
    QTest::newRow("dashes") << "12-07-2006"
                            << "2006-12-07 00:00:00";
    QTest::newRow("no leap day") << "2/29/2001"
                                 << "";
    QTest::newRow("month 13") << "13/01/2006"
                              << "";
    QTest::newRow("hour 24") << "12/07/2006 24:00:00"
                             << "";
    QTest::newRow("13 PM") << "12/07/2006 13:00 PM"
                           << "";
    QTest::newRow("no year") << "12/07"
                             << "";
    QTest::newRow("mixed separators") << "12/07-2006"
                                      << "";
    QTest::newRow("trailing words") << "12/07/2006 noon"
                                    << "";
}

void TestJetSql::dateLiteral()
{
    QFETCH(QString, literal);
    QFETCH(QString, stored);
    QDate date;
    QTime time;
    QString strError;
    const bool bOk = JetParseDateLiteral(literal, &date, &time, &strError);
    QCOMPARE(bOk, !stored.isEmpty());
    if (bOk)
        QCOMPARE(JetDateToStorage(date, time), stored);
    else
        QVERIFY(!strError.isEmpty());
}

void TestJetSql::likePattern_data()
{
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("matches");

    QTest::newRow("case: Beach") << "*beach*"
                                 << "Beach party" << true;
    QTest::newRow("case: BEACH") << "*beach*"
                                 << "BEACH" << true;
    QTest::newRow("split word") << "*beach*"
                                << "the beac h" << false;
    QTest::newRow("accents, lower to upper") << "*été*"
                                             << "ÉTÉ 2006" << true;
    QTest::newRow("accents, upper to lower") << "*ÉTÉ*"
                                             << "un été" << true;
    QTest::newRow("accent is not its base letter") << "*ete*"
                                                   << "été" << false;
    QTest::newRow("cyrillic") << "*москва*"
                              << "МОСКВА 1999" << true;
    QTest::newRow("? is one character") << "a?c"
                                        << "abc" << true;
    QTest::newRow("? is not zero characters") << "a?c"
                                              << "ac" << false;
    QTest::newRow("? is one non-ASCII character") << "?t?"
                                                  << "été" << true;
    QTest::newRow("# digits") << "IMG_###.jpg"
                              << "img_042.JPG" << true;
    QTest::newRow("# not a letter") << "IMG_###.jpg"
                                    << "IMG_04a.jpg" << false;
    QTest::newRow("# only ASCII digits") << "#"
                                         << "٣" << false;
    QTest::newRow("range") << "[a-c]*"
                           << "Banana" << true;
    QTest::newRow("negated range") << "[!a-c]*"
                                   << "banana" << false;
    QTest::newRow("negated range, other letter") << "[!a-c]*"
                                                 << "x" << true;
    QTest::newRow("list of letters") << "gr[ae]y"
                                     << "GREY" << true;
    QTest::newRow("bracketed star is a star") << "*[*]*"
                                              << "a*b" << true;
    QTest::newRow("bracketed star needs a star") << "*[*]*"
                                                 << "ab" << false;
    QTest::newRow("bracketed question mark") << "[?]"
                                             << "x" << false;
    QTest::newRow("star matches empty") << "*"
                                        << "" << true;
    QTest::newRow("empty pattern") << ""
                                   << "a" << false;
    QTest::newRow("anchored at both ends") << "beach"
                                           << "beaches" << false;
    QTest::newRow("backtracking") << "*a*b"
                                  << "xaybzab" << true;
    QTest::newRow("backtracking fails") << "*a*b"
                                        << "ab ab c" << false;
}

void TestJetSql::likePattern()
{
    QFETCH(QString, pattern);
    QFETCH(QString, text);
    QFETCH(bool, matches);
    CJetPattern compiled;
    QString strError;
    QVERIFY2(compiled.Compile(pattern, &strError), qPrintable(strError));
    QCOMPARE(compiled.Matches(text), matches);
}

void TestJetSql::escapedTextMatchesItself_data()
{
    QTest::addColumn<QString>("text");
    QTest::newRow("quote") << "O'Brien";
    QTest::newRow("quotes only") << "''";
    QTest::newRow("wildcards") << "50% *off* [draft] #1?";
    QTest::newRow("accents") << "L'été";
}

void TestJetSql::escapedTextMatchesItself()
{
    // A user's text put into a criterion, as the find command does, must
    // come out as the same value and match only itself.
    QFETCH(QString, text);
    const CJetCriterion equal =
        JetTranslateCriterion(QStringLiteral("[Name]='%1'").arg(JetQuoteText(text)));
    QCOMPARE(equal.arValues, QVariantList{text});

    const CJetCriterion like = JetTranslateCriterion(
        QStringLiteral("[Theme] LIKE '*%1*'").arg(JetQuoteText(JetEscapeLike(text))));
    CJetPattern pattern;
    QString strError;
    QVERIFY(pattern.Compile(like.arValues.value(0).toString(), &strError));
    QVERIFY(pattern.Matches(QStringLiteral("<") + text + QStringLiteral(">")));
    QVERIFY(!pattern.Matches(QString(text).replace(text.size() - 1, 1, QStringLiteral("x"))));
}

void TestJetSql::serverDialect()
{
    SJetTarget server;
    server.eDialect = EJetDialect::Postgres;
    server.mapNames = {{"theme", "Theme"}, {"name", "Name"}};
    // The server tells quoted names apart by letter case: the table's spelling.
    const CJetCriterion like =
        JetTranslateCriterion("[theme] LIKE 'a*[!0-9]?#.' OR name='O''Brien'", server);
    QCOMPARE(like.strSql, QStringLiteral("(\"Theme\" ~* ?) OR (lower(\"Name\") = lower(?))"));
    QCOMPARE(like.arValues, (QVariantList{"^a.*[^0-9].[0-9]\\.$", "O'Brien"}));

    CJetSelect distinct = JetParseSelect("SELECT Theme FROM PHOTOS GROUP BY Theme ORDER BY Theme");
    QCOMPARE(
        JetSelectSql(distinct, nullptr, {"theme"}, "ID_Photo", EJetDialect::Postgres),
        QStringLiteral("SELECT min(\"Theme\") AS \"Theme\" FROM \"PHOTOS\" GROUP BY "
                       "lower(\"Theme\") COLLATE \"C\" ORDER BY lower(\"Theme\") COLLATE \"C\""));
    // Dates come as the file's text; the file reads its own as they are.
    const CJetSelect dated = JetParseSelect("SELECT ID_Photo, Date FROM PHOTOS");
    QCOMPARE(JetSelectSql(dated, nullptr, {}, "ID_Photo", EJetDialect::Postgres, {"date"}),
             QStringLiteral("SELECT \"ID_Photo\", CAST(\"Date\" AS text) AS \"Date\" FROM "
                            "\"PHOTOS\""));
    QCOMPARE(JetSelectSql(dated, nullptr, {}, "ID_Photo", EJetDialect::Sqlite, {"date"}),
             QStringLiteral("SELECT \"ID_Photo\", \"Date\" FROM \"PHOTOS\""));
}

QTEST_GUILESS_MAIN(TestJetSql)
