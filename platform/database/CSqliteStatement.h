#pragma once

#include <QString>
#include <QVariantList>

struct sqlite3;
struct sqlite3_stmt;

// A prepared SQLite statement with its values bound. The recordset reads its
// rows through it, straight from the handle: Qt's per-value conversion would
// cost more than the query itself. Errors raise CDaoException.
class CSqliteStatement
{
public:
    CSqliteStatement(sqlite3* pDb, const QString& strSql, const QVariantList& arValues = {});
    ~CSqliteStatement();
    CSqliteStatement(const CSqliteStatement&) = delete;
    CSqliteStatement& operator=(const CSqliteStatement&) = delete;

    // True while there is a row to read.
    bool Step();
    sqlite3_stmt* Get() const { return m_pStatement; }

private:
    void Bind(int nParameter, const QVariant& value);
    [[noreturn]] void Throw();

    sqlite3* m_pDb;
    sqlite3_stmt* m_pStatement = nullptr;
};
