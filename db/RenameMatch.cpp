#include "db/RenameMatch.h"

#include "platform/picture/FolderListing.h"

#include <QHash>

namespace {

QString LooseKey(const QString& strDirectory, qint64 nSize, const QDateTime& dtDate,
                 const QString& strName)
{
    return strDirectory + u'|' + QString::number(nSize) + u'|' + dtDate.toString(Qt::ISODate) +
           u'|' + GetExtension(strName).toLower();
}

} // namespace

QList<SRenameMatch> MatchRenames(const QList<SGoneFile>& arGone, const QList<SNewFile>& arNew)
{
    QMultiHash<QString, int> exactNew;
    QMultiHash<QString, int> looseNew;
    for (int n = 0; n < arNew.size(); ++n) {
        const SNewFile& file = arNew[n];
        if (!file.m_fingerprint.IsValid())
            continue;
        exactNew.insert(FingerprintKey(file.m_fingerprint), n);
        looseNew.insert(LooseKey(file.m_strDirectory, file.m_fingerprint.m_nSize,
                                 file.m_fingerprint.m_dtDate, file.m_strName),
                        n);
    }
    // Every gone file's candidates, and how many gone files want each new one.
    QList<QList<int>> arCandidates(arGone.size());
    QList<int> arWanted(arNew.size(), 0);
    for (int g = 0; g < arGone.size(); ++g) {
        const SGoneFile& gone = arGone[g];
        if (gone.m_fingerprint.IsValid())
            arCandidates[g] = exactNew.values(FingerprintKey(gone.m_fingerprint));
        else if (gone.m_dtRecordDate.isValid())
            arCandidates[g] = looseNew.values(LooseKey(gone.m_strDirectory, gone.m_nRecordSize,
                                                       gone.m_dtRecordDate, gone.m_strName));
        for (int n : std::as_const(arCandidates[g]))
            ++arWanted[n];
    }
    QList<SRenameMatch> arMatches;
    for (int g = 0; g < arGone.size(); ++g) {
        if (arCandidates[g].size() != 1 || arWanted[arCandidates[g][0]] != 1)
            continue;
        arMatches.append({g, arCandidates[g][0], arGone[g].m_fingerprint.IsValid()});
    }
    return arMatches;
}
