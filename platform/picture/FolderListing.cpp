#include "platform/picture/FolderListing.h"

#include "platform/picture/PictureFormats.h"

#include <QCollator>
#include <QDir>
#include <QLocale>
#include <algorithm>
#include <vector>

QString GetExtension(const QString& strPath)
{
    const qsizetype nDot = strPath.lastIndexOf(QLatin1Char('.'));
    if (nDot < 0)
        return QString();
    return strPath.mid(nDot + 1);
}

QStringList EnumerateFolder(const QString& strFolder, const QString& strExtension)
{
    QDir dir(strFolder);
    const QString strPattern =
        strExtension.isEmpty() ? QStringLiteral("*") : QStringLiteral("*.") + strExtension;
    const QStringList arNames =
        dir.entryList({strPattern}, QDir::Files | QDir::Hidden, QDir::Unsorted);

    // Qt compares plain code points under the C locale, which sorts IMG_10
    // before img_2; file managers do not.
    QLocale locale = QLocale::system();
    if (locale.language() == QLocale::C)
        locale = QLocale(QLocale::English, QLocale::UnitedStates);
    QCollator collator(locale);
    collator.setNumericMode(true);
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    // Keys once per name: comparing through the collator directly is too slow
    // for camera folders of thousands of files.
    std::vector<std::pair<QCollatorSortKey, qsizetype>> arKeys;
    arKeys.reserve(size_t(arNames.size()));
    for (qsizetype i = 0; i < arNames.size(); ++i)
        arKeys.emplace_back(collator.sortKey(arNames[i]), i);
    std::stable_sort(arKeys.begin(), arKeys.end(),
                     [](const auto& a, const auto& b) { return a.first.compare(b.first) < 0; });

    QStringList arSorted;
    arSorted.reserve(arNames.size());
    for (const auto& key : arKeys)
        arSorted.append(arNames[key.second]);
    return arSorted;
}

int ListPictureFiles(const QString& strFolder, QStringList& arList, const QString& strExtension,
                     bool bAllFormats)
{
    // A window without a file has no folder; QDir would read "" as the
    // working folder.
    if (strFolder.isEmpty())
        return 0;
    QString strPrefix = strFolder;
    if (!strPrefix.endsWith(QLatin1Char('/')))
        strPrefix += QLatin1Char('/');
    int nCount = 0;
    for (const QString& strName : EnumerateFolder(strFolder, strExtension)) {
        const QString strPath = strPrefix + strName;
        if (!IsListedExtension(GetExtension(strPath), bAllFormats))
            continue;
        arList.append(strPath);
        ++nCount;
    }
    return nCount;
}
