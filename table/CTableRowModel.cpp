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

} // namespace

CTableRowModel::CTableRowModel(QObject* pParent)
    : QAbstractTableModel(pParent)
{
    const CDao_TableInfo info = PhotoTableInfo();
    for (int i = 0; i < g_nPhotoFields; ++i)
        m_arAlignments.append(AlignmentOfFormat(CheckedAt(info.m_arFormats, i)));
}

QString CTableRowModel::DisplayText(int nRow, EPhotoField eField) const
{
    switch (eField) {
    case EPhotoField::ID_Photo:
        return QString::number(m_rows.Key(nRow));
    case EPhotoField::Date: {
        const qint64 nDate = m_rows.Date(nRow);
        return nDate != CPhotoColumns::kNoDate
                   ? JetShortDateText(CPhotoColumns::DateTime(nDate).date())
                   : tr("Invalid DateTime");
    }
    case EPhotoField::Size:
        return QString::number(m_rows.FileSize(nRow));
    default:
        return m_rows.Text(eField, nRow);
    }
}

QVariant CTableRowModel::SortValue(int nRow, EPhotoField eField) const
{
    // The texts shown would put 10 before 9 and January 2007 before December 2006.
    switch (eField) {
    case EPhotoField::ID_Photo:
        return m_rows.Key(nRow);
    case EPhotoField::Date:
        return CPhotoColumns::DateTime(m_rows.Date(nRow));
    case EPhotoField::Size:
        return m_rows.FileSize(nRow);
    default:
        return DisplayText(nRow, eField);
    }
}

void CTableRowModel::SetRecords(const QList<SPhotoRecord>& arRecords)
{
    CPhotoColumns records;
    records.Reserve(int(arRecords.size()));
    for (const SPhotoRecord& record : arRecords)
        records.Append(record);
    SetRecords(std::move(records));
}

void CTableRowModel::SetRecords(CPhotoColumns records)
{
    beginResetModel();
    m_rows = std::move(records);
    endResetModel();
}

SPhotoRecord CTableRowModel::Record(int nRow) const
{
    return m_rows.Record(nRow);
}

void CTableRowModel::UpdateRecords(const QList<SPhotoRecord>& arRecords)
{
    // One pass over the rows however many records changed.
    QHash<qint64, const SPhotoRecord*> changed;
    for (const SPhotoRecord& record : arRecords)
        changed.insert(record.m_nKey, &record);
    const QList<qint64>& arKeys = m_rows.Keys();
    for (int nRow = 0; nRow < arKeys.size(); ++nRow) {
        if (const SPhotoRecord* pRecord = changed.value(arKeys[nRow])) {
            m_rows.SetRecord(nRow, *pRecord);
            emit dataChanged(index(nRow, 0), index(nRow, g_nPhotoFields - 1));
        }
    }
}

void CTableRowModel::RemoveRecords(const QList<qint64>& arKeys)
{
    const QSet<qint64> setKeys(arKeys.cbegin(), arKeys.cend());
    const QList<qint64>& arRowKeys = m_rows.Keys();
    QList<bool> arRemoved(arRowKeys.size(), false);
    bool bAny = false;
    for (qsizetype i = 0; i < arRowKeys.size(); ++i) {
        arRemoved[i] = setKeys.contains(arRowKeys[i]);
        bAny = bAny || arRemoved[i];
    }
    if (bAny)
        RemoveMarkedRows(arRemoved);
}

void CTableRowModel::RemoveMarkedRows(const QList<bool>& arRemoved)
{
    // Row by row, each removal would move every row after it, and the views
    // would follow each one: thousands of scattered rows would take minutes.
    // Rows only leave or close up, each whole, as in a sort; the hint lets a
    // selection keep one index per row instead of one per cell.
    emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    QList<int> arNewRow(arRemoved.size(), -1);
    int nNext = 0;
    for (qsizetype i = 0; i < arRemoved.size(); ++i) {
        if (!arRemoved[i])
            arNewRow[i] = nNext++;
    }
    m_rows.Remove(arRemoved);
    const QModelIndexList arOld = persistentIndexList();
    QModelIndexList arNew;
    arNew.reserve(arOld.size());
    for (const QModelIndex& index : arOld) {
        const int nRow = arNewRow[index.row()];
        arNew.append(nRow < 0 ? QModelIndex() : this->index(nRow, index.column()));
    }
    changePersistentIndexList(arOld, arNew);
    emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

int CTableRowModel::SuccessorRow(int nRow, const QList<qint64>& arKeys) const
{
    const QSet<qint64> setKeys(arKeys.cbegin(), arKeys.cend());
    const QList<qint64>& arRowKeys = m_rows.Keys();
    const auto left = [&](int n) { return !setKeys.contains(arRowKeys[n]); };
    for (int n = nRow + 1; n < arRowKeys.size(); ++n) {
        if (left(n))
            return n;
    }
    for (int n = qMin(nRow, int(arRowKeys.size())) - 1; n >= 0; --n) {
        if (left(n))
            return n;
    }
    return -1;
}

bool CTableRowModel::removeRows(int nRow, int nCount, const QModelIndex& parent)
{
    if (parent.isValid() || nRow < 0 || nCount < 1 || nRow + nCount > m_rows.Size())
        return false;
    QList<bool> arRemoved(m_rows.Size(), false);
    std::fill(arRemoved.begin() + nRow, arRemoved.begin() + nRow + nCount, true);
    beginRemoveRows(QModelIndex(), nRow, nRow + nCount - 1);
    m_rows.Remove(arRemoved);
    endRemoveRows();
    return true;
}

void CTableRowModel::sort(int nColumn, Qt::SortOrder order)
{
    if (nColumn < 0 || nColumn >= g_nPhotoFields)
        return;
    const bool bDescending = order == Qt::DescendingOrder;
    const auto eField = EPhotoField(nColumn);
    QList<int> arOrder;
    switch (eField) {
    case EPhotoField::ID_Photo:
        arOrder = TableSortOrder(m_rows.Keys(), bDescending);
        break;
    case EPhotoField::Date:
        arOrder = TableSortOrder(m_rows.Dates(), bDescending);
        break;
    case EPhotoField::Size:
        arOrder = TableSortOrder(m_rows.FileSizes(), bDescending);
        break;
    case EPhotoField::Comment: {
        const QList<QStringView> arTexts(m_rows.Comments().cbegin(), m_rows.Comments().cend());
        arOrder = TableSortOrder(arTexts, bDescending);
        break;
    }
    default:
        arOrder =
            TableSortOrder(m_rows.DistinctTexts(eField), m_rows.TextIndexes(eField), bDescending);
        break;
    }

    emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    QList<int> arNewRow(arOrder.size());
    for (int i = 0; i < arOrder.size(); ++i)
        arNewRow[arOrder[i]] = i;
    m_rows.Reorder(arOrder);
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
    return parent.isValid() ? 0 : m_rows.Size();
}

int CTableRowModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : g_nPhotoFields;
}

QVariant CTableRowModel::data(const QModelIndex& index, int nRole) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
        return QVariant();
    const int nRow = index.row();
    const auto eField = EPhotoField(index.column());
    switch (nRole) {
    case Qt::DisplayRole:
        return DisplayText(nRow, eField);
    case Qt::TextAlignmentRole:
        return QVariant::fromValue(m_arAlignments[index.column()] | Qt::AlignVCenter);
    case KeyRole:
        return m_rows.Key(nRow);
    case SortRole:
        return SortValue(nRow, eField);
    default:
        return QVariant();
    }
}

QVariant CTableRowModel::headerData(int nSection, Qt::Orientation orientation, int nRole) const
{
    if (orientation != Qt::Horizontal || nSection < 0 || nSection >= g_nPhotoFields)
        return QAbstractTableModel::headerData(nSection, orientation, nRole);
    if (nRole == Qt::DisplayRole)
        return PhotoFieldTitle(EPhotoField(nSection));
    if (nRole == Qt::TextAlignmentRole)
        return QVariant::fromValue(m_arAlignments[nSection] | Qt::AlignVCenter);
    return QVariant();
}
