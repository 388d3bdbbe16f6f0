#pragma once

#include <QHash>
#include <QList>
#include <QSet>
#include <QString>
#include <QStringList>
#include <QVariantList>

// The engine's SQL dialect, as far as the program speaks it, turned into
// SQLite. Everything outside that grammar raises CDaoException; literal values
// never enter the SQLite text, they come back as values to bind.
//
// Statements: SELECT * | name {, name} FROM name [GROUP BY names]
//             [ORDER BY name [ASC|DESC] {, ...}] [;]
// Criteria:   comparison {AND|OR comparison}, AND binding tighter; a comparison
//             is  name = number | name = 'text' | name = #date#
//             | name >= #date# | name <= #date# | name LIKE 'pattern'
// Names are bare (Theme) or bracketed ([Theme]); texts double a quote ('O''Brien').

struct CJetOrder
{
    QString strName;
    bool bDescending = false;
};

struct CJetSelect
{
    QString strTable;
    QStringList arColumns; // empty for '*'
    QStringList arGroupBy;
    QList<CJetOrder> arOrderBy;
};

// The SQL the translation writes: SQLite's, with our function and collation,
// or PostgreSQL's, with regular expressions and lower().
enum class EJetDialect { Sqlite, Postgres };

// What a criterion is translated for: the dialect, and the table's own
// spelling of its field names by their lower-case form (PostgreSQL tells
// quoted names apart by letter case; SQLite does not).
struct SJetTarget
{
    EJetDialect eDialect = EJetDialect::Sqlite;
    QHash<QString, QString> mapNames;
};

struct CJetCriterion
{
    QString strSql;        // SQLite expression with '?' for each value
    QVariantList arValues; // in placeholder order
    QStringList arNames;   // every field the criterion names, for checking
};

CJetSelect JetParseSelect(const QString& strStatement);
CJetCriterion JetTranslateCriterion(const QString& strCriterion,
                                    const SJetTarget& target = SJetTarget());

// The SQLite query for a parsed statement. A statement over whole rows selects
// only their keys (the column strRecordKey), in the statement's order: the rows
// are read by key later. Columns in setTextColumns (lower case) sort and group
// ignoring letter case. A server gives the named columns in setDateColumns
// as the wall-clock text the file stores.
QString JetSelectSql(const CJetSelect& select, const CJetCriterion* pFilter,
                     const QSet<QString>& setTextColumns, const QString& strRecordKey,
                     EJetDialect eDialect = EJetDialect::Sqlite,
                     const QSet<QString>& setDateColumns = {});

// An SQLite identifier for a field or table name.
QString JetQuoteName(const QString& strName);

// Helpers for whoever writes a criterion around a user's text: the text with
// its quotes doubled, to go between quotes, and a text whose pattern characters
// match only themselves (to go into a LIKE pattern, then through JetQuoteText).
QString JetQuoteText(const QString& strText);
QString JetEscapeLike(const QString& strText);

// Names of the SQLite function and collation behind LIKE and text order.
inline constexpr char g_szJetLikeFunction[] = "jet_like";
inline constexpr char g_szJetTextCollation[] = "jet_text";
