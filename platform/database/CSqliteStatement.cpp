#include "platform/database/CSqliteStatement.h"

#include "platform/database/CDaoException.h"

#include <QVariant>

#include <sqlite3.h>

CSqliteStatement::CSqliteStatement(sqlite3* pDb, const QString& strSql,
                                   const QVariantList& arValues)
    : m_pDb(pDb)
{
    const QByteArray sql = strSql.toUtf8();
    if (sqlite3_prepare_v2(pDb, sql.constData(), int(sql.size()), &m_pStatement, nullptr) !=
        SQLITE_OK)
        Throw();
    for (int i = 0; i < arValues.size(); ++i)
        Bind(i + 1, arValues[i]);
}

CSqliteStatement::~CSqliteStatement()
{
    sqlite3_finalize(m_pStatement);
}

bool CSqliteStatement::Step()
{
    const int nResult = sqlite3_step(m_pStatement);
    if (nResult == SQLITE_ROW)
        return true;
    if (nResult != SQLITE_DONE)
        Throw();
    return false;
}

CEngineStatement::EKind CSqliteStatement::Kind(int nColumn) const
{
    switch (sqlite3_column_type(m_pStatement, nColumn)) {
    case SQLITE_NULL:
        return EKind::Null;
    case SQLITE_INTEGER:
        return EKind::Integer;
    case SQLITE_FLOAT:
        return EKind::Real;
    default:
        return EKind::Text;
    }
}

qint64 CSqliteStatement::Integer(int nColumn) const
{
    return sqlite3_column_int64(m_pStatement, nColumn);
}

double CSqliteStatement::Real(int nColumn) const
{
    return sqlite3_column_double(m_pStatement, nColumn);
}

QByteArrayView CSqliteStatement::Text(int nColumn) const
{
    const auto pText = reinterpret_cast<const char*>(sqlite3_column_text(m_pStatement, nColumn));
    return QByteArrayView(pText, sqlite3_column_bytes(m_pStatement, nColumn));
}

void CSqliteStatement::Bind(int nParameter, const QVariant& value)
{
    int nResult;
    switch (value.isNull() ? QMetaType::UnknownType : value.metaType().id()) {
    case QMetaType::UnknownType:
        nResult = sqlite3_bind_null(m_pStatement, nParameter);
        break;
    case QMetaType::Int:
    case QMetaType::LongLong:
        nResult = sqlite3_bind_int64(m_pStatement, nParameter, value.toLongLong());
        break;
    case QMetaType::Double:
        nResult = sqlite3_bind_double(m_pStatement, nParameter, value.toDouble());
        break;
    default: {
        const QByteArray text = value.toString().toUtf8();
        nResult = sqlite3_bind_text64(m_pStatement, nParameter, text.constData(), text.size(),
                                      SQLITE_TRANSIENT, SQLITE_UTF8);
    }
    }
    if (nResult != SQLITE_OK)
        Throw();
}

void CSqliteStatement::Throw()
{
    // The statement goes with the error, since a constructor may be the thrower.
    QString strText = QString::fromUtf8(sqlite3_errmsg(m_pDb));
    if (!strText.endsWith(u'.'))
        strText += u'.';
    const int nCode = sqlite3_extended_errcode(m_pDb);
    sqlite3_finalize(m_pStatement);
    m_pStatement = nullptr;
    throw CDaoException(strText, nCode);
}
