#pragma once

#include <QList>
#include <QPair>
#include <QSet>
#include <QSqlQuery>
#include <QString>

class CDaoDatabase;

// The pictures of a folder that imports have seen, kept in the photo
// database beside PHOTOS (table IMPORTED_FILES, made by the first import).
// A picture seen once is not imported again, so a record the user deleted
// stays deleted while its file stays in the folder.
class CImportedFiles
{
public:
    // Reads the folder's names; runs in the caller's transaction. Engine
    // errors raise CDaoException.
    CImportedFiles(CDaoDatabase* pDatabase, const QString& strDirectory);

    bool Contains(const QString& strName) const { return m_setNames.contains(strName); }
    void Remember(const QString& strName);

    // For one name: a picture forgotten is imported again when it is next
    // seen. In the caller's transaction; Forget makes no table.
    static void RememberOne(CDaoDatabase* pDatabase, const QString& strDirectory,
                            const QString& strName);
    static void ForgetOne(CDaoDatabase* pDatabase, const QString& strDirectory,
                          const QString& strName);
    // The same for many (Directory, Name) pairs, through one prepared statement.
    static void ForgetAll(CDaoDatabase* pDatabase, const QList<QPair<QString, QString>>& arFiles);

private:
    QString m_strDirectory;
    QSet<QString> m_setNames;
    QSqlQuery m_insert;
};

// Runs strSql, a statement with a folder and a name to bind, once for each
// file, in the caller's transaction. Engine errors raise CDaoException.
void RunForFiles(CDaoDatabase* pDatabase, const QString& strSql,
                 const QList<QPair<QString, QString>>& arFiles);
