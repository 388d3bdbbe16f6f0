#pragma once

#include <QString>
#include <QTemporaryDir>

// A fresh working folder and a private settings store for one test, so that
// nothing touches the user's own settings or database. Restores both on exit.
class CTestWorkspace
{
public:
    CTestWorkspace();
    ~CTestWorkspace();

    QString Path() const { return m_dir.path(); }
    QString FilePath(const QString& strName) const { return m_dir.filePath(strName); }
    // Writes a file of the given bytes and returns its path.
    QString WriteFile(const QString& strName, const QByteArray& data) const;

private:
    QTemporaryDir m_dir;
    QString m_strPreviousDir;
};
