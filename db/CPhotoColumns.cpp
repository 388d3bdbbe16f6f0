#include "db/CPhotoColumns.h"

#include <stdexcept>

quint32 CPhotoColumns::CTextPool::Intern(const QString& strText)
{
    const auto it = m_mapByText.constFind(strText);
    if (it != m_mapByText.cend())
        return it.value();
    const auto nIndex = quint32(m_arTexts.size());
    m_arTexts.append(strText);
    m_mapByText.insert(strText, nIndex);
    return nIndex;
}

quint32 CPhotoColumns::CTextPool::Intern(QByteArrayView utf8)
{
    // Records come folder by folder: most repeat the text before them.
    if (!m_arTexts.isEmpty() && utf8 == QByteArrayView(m_lastUtf8))
        return m_nLast;
    m_nLast = InternNew(utf8);
    m_lastUtf8 = utf8.toByteArray();
    return m_nLast;
}

quint32 CPhotoColumns::CTextPool::InternNew(QByteArrayView utf8)
{
    // A view of the bytes, not a copy: most texts are already here.
    const QByteArray key = QByteArray::fromRawData(utf8.data(), utf8.size());
    const auto it = m_mapByUtf8.constFind(key);
    if (it != m_mapByUtf8.cend())
        return it.value();
    // Through the text, so that bytes that read as the same text share it.
    const quint32 nIndex = Intern(QString::fromUtf8(utf8));
    m_mapByUtf8.insert(utf8.toByteArray(), nIndex);
    return nIndex;
}

int CPhotoColumns::SharedSlot(EPhotoField eField)
{
    switch (eField) {
    case EPhotoField::Name:
        return 0;
    case EPhotoField::Extention:
        return 1;
    case EPhotoField::Directory:
        return 2;
    case EPhotoField::Theme:
        return 3;
    default:
        return -1;
    }
}

bool CPhotoColumns::IsShared(EPhotoField eField)
{
    return SharedSlot(eField) >= 0;
}

const QList<QString>& CPhotoColumns::DistinctTexts(EPhotoField eField) const
{
    if (!IsShared(eField))
        throw std::invalid_argument("not a shared text field");
    return m_pools[SharedSlot(eField)].Texts();
}

const QList<quint32>& CPhotoColumns::TextIndexes(EPhotoField eField) const
{
    if (!IsShared(eField))
        throw std::invalid_argument("not a shared text field");
    return m_arTextIndexes[SharedSlot(eField)];
}

void CPhotoColumns::Reserve(int nRows)
{
    m_arKeys.reserve(nRows);
    m_arDates.reserve(nRows);
    m_arSizes.reserve(nRows);
    for (QList<quint32>& arIndexes : m_arTextIndexes)
        arIndexes.reserve(nRows);
    m_arComments.reserve(nRows);
}

void CPhotoColumns::Append(const SPhotoRecord& record)
{
    m_arKeys.append(record.m_nKey);
    m_arDates.append(DateValue(record.m_dtDate));
    m_arSizes.append(record.m_nSize);
    m_arTextIndexes[0].append(m_pools[0].Intern(record.m_strName));
    m_arTextIndexes[1].append(m_pools[1].Intern(record.m_strExtension));
    m_arTextIndexes[2].append(m_pools[2].Intern(record.m_strDirectory));
    m_arTextIndexes[3].append(m_pools[3].Intern(record.m_strTheme));
    m_arComments.append(record.m_strComment);
}

void CPhotoColumns::AppendStored(qint64 nKey, qint64 nDate, QByteArrayView name,
                                 QByteArrayView extension, qint64 nSize, QByteArrayView directory,
                                 QByteArrayView theme, QString strComment)
{
    m_arKeys.append(nKey);
    m_arDates.append(nDate);
    m_arSizes.append(nSize);
    m_arTextIndexes[0].append(m_pools[0].Intern(name));
    m_arTextIndexes[1].append(m_pools[1].Intern(extension));
    m_arTextIndexes[2].append(m_pools[2].Intern(directory));
    m_arTextIndexes[3].append(m_pools[3].Intern(theme));
    m_arComments.append(std::move(strComment));
}

SPhotoRecord CPhotoColumns::Record(int nRow) const
{
    const qint64 nKey = CheckedAt(m_arKeys, nRow);
    return {nKey,
            DateTime(m_arDates[nRow]),
            Text(EPhotoField::Name, nRow),
            Text(EPhotoField::Extention, nRow),
            m_arSizes[nRow],
            Text(EPhotoField::Directory, nRow),
            Text(EPhotoField::Theme, nRow),
            m_arComments[nRow]};
}

void CPhotoColumns::SetRecord(int nRow, const SPhotoRecord& record)
{
    CheckedAt(m_arKeys, nRow);
    m_arKeys[nRow] = record.m_nKey;
    m_arDates[nRow] = DateValue(record.m_dtDate);
    m_arSizes[nRow] = record.m_nSize;
    m_arTextIndexes[0][nRow] = m_pools[0].Intern(record.m_strName);
    m_arTextIndexes[1][nRow] = m_pools[1].Intern(record.m_strExtension);
    m_arTextIndexes[2][nRow] = m_pools[2].Intern(record.m_strDirectory);
    m_arTextIndexes[3][nRow] = m_pools[3].Intern(record.m_strTheme);
    m_arComments[nRow] = record.m_strComment;
}

const QString& CPhotoColumns::Text(EPhotoField eField, int nRow) const
{
    if (eField == EPhotoField::Comment)
        return m_arComments[nRow];
    const int nSlot = SharedSlot(eField);
    if (nSlot < 0)
        throw std::invalid_argument("not a text field");
    return m_pools[nSlot].Texts()[m_arTextIndexes[nSlot][nRow]];
}

namespace {

template <typename T> void Permute(QList<T>& ar, const QList<int>& arOrder)
{
    QList<T> arNew;
    arNew.reserve(ar.size());
    for (const int nFrom : arOrder)
        arNew.append(std::move(ar[nFrom]));
    ar = std::move(arNew);
}

template <typename T> void Thin(QList<T>& ar, const QList<bool>& arRemoved)
{
    qsizetype nTo = 0;
    for (qsizetype i = 0; i < ar.size(); ++i) {
        if (!arRemoved[i])
            ar[nTo++] = std::move(ar[i]);
    }
    ar.resize(nTo);
}

} // namespace

void CPhotoColumns::Reorder(const QList<int>& arOrder)
{
    if (arOrder.size() != m_arKeys.size())
        throw std::invalid_argument("an order of other rows");
    Permute(m_arKeys, arOrder);
    Permute(m_arDates, arOrder);
    Permute(m_arSizes, arOrder);
    for (QList<quint32>& arIndexes : m_arTextIndexes)
        Permute(arIndexes, arOrder);
    Permute(m_arComments, arOrder);
}

void CPhotoColumns::Remove(const QList<bool>& arRemoved)
{
    if (arRemoved.size() != m_arKeys.size())
        throw std::invalid_argument("a removal of other rows");
    Thin(m_arKeys, arRemoved);
    Thin(m_arDates, arRemoved);
    Thin(m_arSizes, arRemoved);
    for (QList<quint32>& arIndexes : m_arTextIndexes)
        Thin(arIndexes, arRemoved);
    Thin(m_arComments, arRemoved);
}

qint64 CPhotoColumns::DateValue(const QDateTime& dateTime)
{
    if (!dateTime.isValid())
        return kNoDate;
    return QDateTime(dateTime.date(), dateTime.time(), Qt::UTC).toMSecsSinceEpoch();
}

QDateTime CPhotoColumns::DateTime(qint64 nDate)
{
    if (nDate == kNoDate)
        return QDateTime();
    return QDateTime::fromMSecsSinceEpoch(nDate, Qt::UTC);
}
