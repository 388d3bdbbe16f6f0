#pragma once

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

private:
    QString m_strDirectory;
    QSet<QString> m_setNames;
    QSqlQuery m_insert;
};
