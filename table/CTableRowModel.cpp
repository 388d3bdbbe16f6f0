#include "table/CTableRowModel.h"

CTableRowModel::CTableRowModel(QObject* pParent)
    : QAbstractTableModel(pParent)
{
}

void CTableRowModel::SetColumns(const QList<CColumn>& arColumns)
{
    beginResetModel();
    m_arColumns = arColumns;
    endResetModel();
}

void CTableRowModel::SetRows(QList<CRow> arRows)
{
    beginResetModel();
    m_arRows = std::move(arRows);
    endResetModel();
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

QString CTableRowModel::Text(int nRow, int nColumn) const
{
    if (nRow < 0 || nRow >= m_arRows.size())
        return QString();
    return m_arRows[nRow].arTexts.value(nColumn);
}

QStringList CTableRowModel::RowTexts(int nRow) const
{
    if (nRow < 0 || nRow >= m_arRows.size())
        return QStringList();
    return m_arRows[nRow].arTexts;
}

void CTableRowModel::SortRows(int nColumn, bool bDescending)
{
    if (nColumn < 0 || nColumn >= m_arColumns.size())
        return;
    const CColumn& column = m_arColumns[nColumn];
    QStringList arKeys;
    arKeys.reserve(m_arRows.size());
    for (const CRow& row : std::as_const(m_arRows))
        arKeys.append(column.bSortByHiddenKey ? row.strHiddenKey : row.arTexts.value(nColumn));
    const QList<int> arOrder = TableSortOrder(arKeys, column.sortKey, bDescending);

    emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    QList<CRow> arSorted;
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
    return parent.isValid() ? 0 : int(m_arColumns.size());
}

QVariant CTableRowModel::data(const QModelIndex& index, int nRole) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
        return QVariant();
    if (nRole == Qt::DisplayRole)
        return m_arRows[index.row()].arTexts.value(index.column());
    if (nRole == Qt::TextAlignmentRole)
        return QVariant::fromValue(m_arColumns[index.column()].alignment | Qt::AlignVCenter);
    return QVariant();
}

QVariant CTableRowModel::headerData(int nSection, Qt::Orientation orientation, int nRole) const
{
    if (orientation != Qt::Horizontal || nSection < 0 || nSection >= m_arColumns.size())
        return QAbstractTableModel::headerData(nSection, orientation, nRole);
    if (nRole == Qt::DisplayRole)
        return m_arColumns[nSection].strHeading;
    if (nRole == Qt::TextAlignmentRole)
        return QVariant::fromValue(m_arColumns[nSection].alignment | Qt::AlignVCenter);
    return QVariant();
}
