#include "db/CImportedFiles.h"

#include "platform/database/CDaoDatabase.h"

#include <QSqlError>

namespace {
void EnsureTable(CDaoDatabase* pDatabase)
{
    // Names compare as the file system does: letter case counts.
    pDatabase->Execute(QStringLiteral(
        "CREATE TABLE IF NOT EXISTS IMPORTED_FILES (Directory VARCHAR(255) NOT NULL, "
        "Name VARCHAR(255) NOT NULL, PRIMARY KEY (Directory, Name))"));
}
} // namespace

CImportedFiles::CImportedFiles(CDaoDatabase* pDatabase, const QString& strDirectory)
    : m_strDirectory(strDirectory)
    , m_insert(pDatabase->Connection())
{
    EnsureTable(pDatabase);
    QSqlQuery query(pDatabase->Connection());
    if (!query.prepare(QStringLiteral("SELECT Name FROM IMPORTED_FILES WHERE Directory = ?")))
        ThrowSqlError(query.lastError());
    query.addBindValue(strDirectory);
    if (!query.exec())
        ThrowSqlError(query.lastError());
    while (query.next())
        m_setNames.insert(query.value(0).toString());
    if (!m_insert.prepare(
            QStringLiteral("INSERT INTO IMPORTED_FILES (Directory, Name) VALUES (?, ?) "
                           "ON CONFLICT DO NOTHING")))
        ThrowSqlError(m_insert.lastError());
}

void CImportedFiles::Remember(const QString& strName)
{
    if (m_setNames.contains(strName))
        return;
    m_insert.bindValue(0, m_strDirectory);
    m_insert.bindValue(1, strName);
    if (!m_insert.exec())
        ThrowSqlError(m_insert.lastError());
    m_setNames.insert(strName);
}

void CImportedFiles::RememberOne(CDaoDatabase* pDatabase, const QString& strDirectory,
                                 const QString& strName)
{
    EnsureTable(pDatabase);
    pDatabase->Execute(QStringLiteral("INSERT INTO IMPORTED_FILES (Directory, Name) VALUES (?, ?) "
                                      "ON CONFLICT DO NOTHING"),
                       {strDirectory, strName});
}

void CImportedFiles::ForgetOne(CDaoDatabase* pDatabase, const QString& strDirectory,
                               const QString& strName)
{
    ForgetAll(pDatabase, {{strDirectory, strName}});
}

void CImportedFiles::ForgetAll(CDaoDatabase* pDatabase,
                               const QList<QPair<QString, QString>>& arFiles)
{
    if (arFiles.isEmpty() ||
        pDatabase->GetObjectKind(QStringLiteral("IMPORTED_FILES")) != CDaoDatabase::TableObject)
        return;
    RunForFiles(pDatabase,
                QStringLiteral("DELETE FROM IMPORTED_FILES WHERE Directory = ? AND Name = ?"),
                arFiles);
}

void RunForFiles(CDaoDatabase* pDatabase, const QString& strSql,
                 const QList<QPair<QString, QString>>& arFiles)
{
    QSqlQuery query(pDatabase->Connection());
    if (!query.prepare(strSql))
        ThrowSqlError(query.lastError());
    for (const auto& file : arFiles) {
        query.bindValue(0, file.first);
        query.bindValue(1, file.second);
        if (!query.exec())
            ThrowSqlError(query.lastError());
    }
}
