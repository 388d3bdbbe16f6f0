#include "TestWorkspace.h"

#include <QDir>
#include <QFile>
#include <QSettings>

CTestWorkspace::CTestWorkspace()
    : m_strPreviousDir(QDir::currentPath())
{
    QDir(m_dir.path()).mkpath(QStringLiteral("config"));
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope,
                       m_dir.filePath(QStringLiteral("config")));
    QDir::setCurrent(m_dir.path());
}

CTestWorkspace::~CTestWorkspace()
{
    QDir::setCurrent(m_strPreviousDir);
}

QString CTestWorkspace::WriteFile(const QString& strName, const QByteArray& data) const
{
    const QString strPath = m_dir.filePath(strName);
    QDir().mkpath(QFileInfo(strPath).path());
    QFile file(strPath);
    if (file.open(QIODevice::WriteOnly))
        file.write(data);
    return strPath;
}
