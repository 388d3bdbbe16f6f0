#include "platform/framework/CRecentFileList.h"

#include <QSettings>

namespace {
const QString strSection = QStringLiteral("Recent File List");
}

CRecentFileList::CRecentFileList(int nSize)
    : m_nSize(nSize)
{
}

void CRecentFileList::Add(const QString& strPath)
{
    if (strPath.isEmpty())
        return;
    m_arNames.removeAll(strPath);
    m_arNames.prepend(strPath);
    while (m_arNames.size() > m_nSize)
        m_arNames.removeLast();
}

void CRecentFileList::Remove(int nIndex)
{
    if (nIndex >= 0 && nIndex < m_arNames.size())
        m_arNames.removeAt(nIndex);
}

void CRecentFileList::ReadList(QSettings& settings)
{
    m_arNames.clear();
    settings.beginGroup(strSection);
    for (int i = 1; i <= m_nSize; ++i) {
        const QString strPath = settings.value(QStringLiteral("File%1").arg(i)).toString();
        if (!strPath.isEmpty() && !m_arNames.contains(strPath))
            m_arNames.append(strPath);
    }
    settings.endGroup();
}

void CRecentFileList::WriteList(QSettings& settings) const
{
    settings.beginGroup(strSection);
    for (int i = 1; i <= m_nSize; ++i) {
        const QString strKey = QStringLiteral("File%1").arg(i);
        if (i <= m_arNames.size())
            settings.setValue(strKey, m_arNames.at(i - 1));
        else
            settings.remove(strKey);
    }
    settings.endGroup();
}

QString CRecentFileList::GetMenuText(int nIndex, int nMaxLength) const
{
    QString strPath = m_arNames.value(nIndex);
    if (strPath.size() > nMaxLength) {
        // Keep the file name whole and as much of the folder's start as fits.
        const QString strName = strPath.section(QLatin1Char('/'), -1);
        const qsizetype nKeep = qMax<qsizetype>(0, nMaxLength - strName.size() - 4);
        strPath = strPath.left(nKeep) + QStringLiteral(".../") + strName;
    }
    strPath.replace(QLatin1Char('&'), QStringLiteral("&&"));
    return QStringLiteral("&%1 %2").arg(nIndex + 1).arg(strPath);
}
