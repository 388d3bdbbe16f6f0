#pragma once

#include <QByteArray>
#include <QString>

#include <exception>

// What the database engine throws when an operation fails. Callers catch it
// by reference; the description is a sentence meant for the user, and what()
// gives the same sentence as UTF-8, so a catch of std::exception can show it.
class CDaoException : public std::exception
{
public:
    explicit CDaoException(QString strDescription, int nErrorCode = 0);

    const QString& GetErrorDescription() const { return m_strDescription; }
    // The engine's own error code when the failure came from SQLite, else 0.
    int GetErrorCode() const { return m_nErrorCode; }

    const char* what() const noexcept override { return m_utf8Description.constData(); }

private:
    QString m_strDescription;
    QByteArray m_utf8Description;
    int m_nErrorCode;
};

// A user's text (a criterion, a statement, a name, a value) as a message
// quotes it: whole up to 200 characters, else its first 200 followed by "…",
// so that a pasted page of text does not become a page-long message.
QString DaoExcerpt(const QString& strText);
