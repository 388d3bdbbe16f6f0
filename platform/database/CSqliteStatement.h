#pragma once

#include "platform/database/CEngineStatement.h"

#include <QString>
#include <QVariantList>

struct sqlite3;
struct sqlite3_stmt;

// A prepared SQLite statement with its values bound. The recordset reads its
// rows through it, straight from the handle: Qt's per-value conversion would
// cost more than the query itself. Errors raise CDaoException.
class CSqliteStatement : public CEngineStatement
{
public:
    CSqliteStatement(sqlite3* pDb, const QString& strSql, const QVariantList& arValues = {});
    ~CSqliteStatement() override;
    CSqliteStatement(const CSqliteStatement&) = delete;
    CSqliteStatement& operator=(const CSqliteStatement&) = delete;

    bool Step() override;
    EKind Kind(int nColumn) const override;
    qint64 Integer(int nColumn) const override;
    double Real(int nColumn) const override;
    QByteArrayView Text(int nColumn) const override;

private:
    void Bind(int nParameter, const QVariant& value);
    [[noreturn]] void Throw();

    sqlite3* m_pDb;
    sqlite3_stmt* m_pStatement = nullptr;
};
