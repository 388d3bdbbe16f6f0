#pragma once

#include <QString>

// What the database engine throws when an operation fails. Callers catch it
// by reference; the description is a sentence meant for the user.
class CDaoException
{
public:
    explicit CDaoException(QString strDescription, int nErrorCode = 0);

    const QString& GetErrorDescription() const { return m_strDescription; }
    // The engine's own error code when the failure came from SQLite, else 0.
    int GetErrorCode() const { return m_nErrorCode; }

private:
    QString m_strDescription;
    int m_nErrorCode;
};
