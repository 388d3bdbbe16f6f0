#pragma once

#include "platform/database/CEngineStatement.h"

#include <QByteArray>
#include <QList>
#include <QSqlQuery>
#include <QVariantList>

// A statement on a PostgreSQL server, read forward through Qt's driver.
// Dates arrive as the wall-clock text the SQLite file stores, so the rows
// read the same from either engine.
class CPgStatement : public CEngineStatement
{
public:
    CPgStatement(const QSqlDatabase& db, const QString& strSql, const QVariantList& arValues);

    bool Step() override;
    EKind Kind(int nColumn) const override;
    qint64 Integer(int nColumn) const override;
    double Real(int nColumn) const override;
    QByteArrayView Text(int nColumn) const override;

private:
    QSqlQuery m_query;
    QList<QVariant> m_arValues;
    QList<QByteArray> m_arTexts;
};
