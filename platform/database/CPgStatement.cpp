#include "platform/database/CPgStatement.h"

#include "platform/database/CDaoDatabase.h"
#include "platform/database/JetDate.h"

#include <QDateTime>
#include <QSqlError>
#include <QSqlRecord>

CPgStatement::CPgStatement(const QSqlDatabase& db, const QString& strSql,
                           const QVariantList& arValues)
    : m_query(db)
{
    m_query.setForwardOnly(true);
    RunPrepared(m_query, strSql, arValues);
}

bool CPgStatement::Step()
{
    if (!m_query.next()) {
        if (m_query.lastError().isValid())
            ThrowSqlError(m_query.lastError());
        return false;
    }
    const int nColumns = m_query.record().count();
    m_arValues.resize(nColumns);
    m_arTexts.resize(nColumns);
    for (int i = 0; i < nColumns; ++i) {
        QVariant value = m_query.value(i);
        if (value.typeId() == QMetaType::QDateTime && !value.isNull()) {
            // The wall clock as stored, whatever zone the driver gave it.
            const QDateTime dateTime = value.toDateTime();
            value = JetDateToStorage(dateTime.date(), dateTime.time());
        }
        m_arValues[i] = value;
        m_arTexts[i] = Kind(i) == EKind::Text ? value.toString().toUtf8() : QByteArray();
    }
    return true;
}

CEngineStatement::EKind CPgStatement::Kind(int nColumn) const
{
    const QVariant& value = m_arValues.at(nColumn);
    if (value.isNull())
        return EKind::Null;
    switch (value.typeId()) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Bool:
        return EKind::Integer;
    case QMetaType::Double:
        return EKind::Real;
    default:
        return EKind::Text;
    }
}

qint64 CPgStatement::Integer(int nColumn) const
{
    return m_arValues.at(nColumn).toLongLong();
}

double CPgStatement::Real(int nColumn) const
{
    return m_arValues.at(nColumn).toDouble();
}

QByteArrayView CPgStatement::Text(int nColumn) const
{
    return m_arTexts.at(nColumn);
}
