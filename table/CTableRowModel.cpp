#include "table/CTableRowModel.h"

#include "db/CDao_TableInfo.h"
#include "platform/database/JetDateText.h"
#include "table/TableSortOrder.h"

#include <QHash>
#include <QSet>

namespace {

Qt::Alignment AlignmentOfFormat(int nFormat)
{
    switch (nFormat) {
    case 1:
        return Qt::AlignRight;
    case 2:
        return Qt::AlignHCenter;
    default:
        return Qt::AlignLeft;
    }
}

QString DisplayText(const SPhotoRecord& record, EPhotoField eField)
{
    switch (eField) {
    case EPhotoField::ID_Photo:
        return QString::number(record.m_nKey);
    case EPhotoField::Date:
        return record.m_dtDate.isValid() ? JetShortDateText(record.m_dtDate.date())
                                         : QStringLiteral("Invalid DateTime");
    case EPhotoField::Name:
        return record.m_strName;
    case EPhotoField::Extention:
        return record.m_strExtension;
    case EPhotoField::Size:
        return QString::number(record.m_nSize);
    case EPhotoField::Directory:
        return record.m_strDirectory;
    case EPhotoField::Theme:
        return record.m_strTheme;
    case EPhotoField::Comment:
        return record.m_strComment;
    }
    return QString();
}

QVariant SortValue(const SPhotoRecord& record, EPhotoField eField)
{
    // The texts shown would put 10 before 9 and January 2007 before December 2006.
    switch (eField) {
    case EPhotoField::ID_Photo:
        return record.m_nKey;
    case EPhotoField::Date:
        return record.m_dtDate;
    case EPhotoField::Size:
        return record.m_nSize;
    default:
        return DisplayText(record, eField);
    }
}

} // namespace

CTableRowModel::CTableRowModel(QObject* pParent)
    : QAbstractTableModel(pParent)
{
    const CDao_TableInfo info = PhotoTableInfo();
    for (int i = 0; i < g_nPhotoFields; ++i)
        m_arAlignments.append(AlignmentOfFormat(CheckedAt(info.m_arFormats, i)));
}

void CTableRowModel::SetRecords(QList<SPhotoRecord> arRecords)
{
    beginResetModel();
    m_arRows = std::move(arRecords);
    endResetModel();
}

const SPhotoRecord& CTableRowModel::Record(int nRow) const
{
    return CheckedAt(m_arRows, nRow);
}

void CTableRowModel::UpdateRecords(const QList<SPhotoRecord>& arRecords)
{
    // One pass over the rows however many records changed.
    QHash<qint64, const SPhotoRecord*> changed;
    for (const SPhotoRecord& record : arRecords)
        changed.insert(record.m_nKey, &record);
    for (int nRow = 0; nRow < m_arRows.size() && !changed.isEmpty(); ++nRow) {
        if (const SPhotoRecord* pRecord = changed.value(m_arRows[nRow].m_nKey)) {
            m_arRows[nRow] = *pRecord;
            emit dataChanged(index(nRow, 0), index(nRow, g_nPhotoFields - 1));
        }
    }
}

void CTableRowModel::RemoveRecords(const QList<qint64>& arKeys)
{
    const QSet<qint64> setKeys(arKeys.cbegin(), arKeys.cend());
    // From the end, a run of neighbouring rows at a time.
    for (int nEnd = int(m_arRows.size()) - 1; nEnd >= 0; --nEnd) {
        if (!setKeys.contains(m_arRows[nEnd].m_nKey))
            continue;
        int nStart = nEnd;
        while (nStart > 0 && setKeys.contains(m_arRows[nStart - 1].m_nKey))
            --nStart;
        removeRows(nStart, nEnd - nStart + 1);
        nEnd = nStart;
    }
}

int CTableRowModel::SuccessorRow(int nRow, const QList<qint64>& arKeys) const
{
    const QSet<qint64> setKeys(arKeys.cbegin(), arKeys.cend());
    const auto left = [&](int n) { return !setKeys.contains(m_arRows[n].m_nKey); };
    for (int n = nRow + 1; n < m_arRows.size(); ++n) {
        if (left(n))
            return n;
    }
    for (int n = qMin(nRow, int(m_arRows.size())) - 1; n >= 0; --n) {
        if (left(n))
            return n;
    }
    return -1;
}

bool CTableRowModel::removeRows(int nRow, int nCount, const QModelIndex& parent)
{
    if (parent.isValid() || nRow < 0 || nCount < 1 || nRow + nCount > m_arRows.size())
        return false;
    beginRemoveRows(QModelIndex(), nRow, nRow + nCount - 1);
    m_arRows.remove(nRow, nCount);
    endRemoveRows();
    return true;
}

void CTableRowModel::sort(int nColumn, Qt::SortOrder order)
{
    if (nColumn < 0 || nColumn >= g_nPhotoFields)
        return;
    QVariantList arValues;
    arValues.reserve(m_arRows.size());
    for (const SPhotoRecord& record : std::as_const(m_arRows))
        arValues.append(SortValue(record, EPhotoField(nColumn)));
    const QList<int> arOrder = TableSortOrder(arValues, order == Qt::DescendingOrder);

    emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    QList<SPhotoRecord> arSorted;
    arSorted.reserve(m_arRows.size());
    QList<int> arNewRow(m_arRows.size());
    for (int i = 0; i < arOrder.size(); ++i) {
        arSorted.append(std::move(m_arRows[arOrder[i]]));
        arNewRow[arOrder[i]] = i;
    }
    m_arRows = std::move(arSorted);
    const QModelIndexList arOld = persistentIndexList();
    QModelIndexList arNew;
    arNew.reserve(arOld.size());
    for (const QModelIndex& index : arOld)
        arNew.append(this->index(arNewRow[index.row()], index.column()));
    changePersistentIndexList(arOld, arNew);
    emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

int CTableRowModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_arRows.size());
}

int CTableRowModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : g_nPhotoFields;
}

QVariant CTableRowModel::data(const QModelIndex& index, int nRole) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
        return QVariant();
    const SPhotoRecord& record = m_arRows[index.row()];
    const auto eField = EPhotoField(index.column());
    switch (nRole) {
    case Qt::DisplayRole:
        return DisplayText(record, eField);
    case Qt::TextAlignmentRole:
        return QVariant::fromValue(m_arAlignments[index.column()] | Qt::AlignVCenter);
    case KeyRole:
        return record.m_nKey;
    case SortRole:
        return SortValue(record, eField);
    default:
        return QVariant();
    }
}

QVariant CTableRowModel::headerData(int nSection, Qt::Orientation orientation, int nRole) const
{
    if (orientation != Qt::Horizontal || nSection < 0 || nSection >= g_nPhotoFields)
        return QAbstractTableModel::headerData(nSection, orientation, nRole);
    if (nRole == Qt::DisplayRole)
        return PhotoFieldName(EPhotoField(nSection));
    if (nRole == Qt::TextAlignmentRole)
        return QVariant::fromValue(m_arAlignments[nSection] | Qt::AlignVCenter);
    return QVariant();
}
