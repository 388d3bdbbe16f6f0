#pragma once

#include <QStringList>

class QSettings;

// The most recently opened files, most recent first, kept in the settings
// group "Recent File List" as "File1".."FileN".
class CRecentFileList
{
public:
    explicit CRecentFileList(int nSize = 15);

    int GetSize() const { return m_nSize; }
    int GetCount() const { return int(m_arNames.size()); }
    QString operator[](int nIndex) const { return m_arNames.value(nIndex); }

    // Puts the path first; an entry already in the list moves up rather than doubling.
    void Add(const QString& strPath);
    void Remove(int nIndex);

    void ReadList(QSettings& settings);
    void WriteList(QSettings& settings) const;

    // The menu caption of an entry: "&1 path", with long paths shortened in the
    // middle and ampersands kept literal.
    QString GetMenuText(int nIndex, int nMaxLength = 60) const;

private:
    int m_nSize;
    QStringList m_arNames;
};
