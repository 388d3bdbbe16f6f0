#include "table/CDriftRowModel.h"

#include "db/CDao_TableInfo.h"

CDriftRowModel::CDriftRowModel(QObject* pParent)
    : QAbstractTableModel(pParent)
{
}

void CDriftRowModel::SetRows(QList<SDriftRow> arRows)
{
    beginResetModel();
    m_arRows = std::move(arRows);
    endResetModel();
}

const SDriftRow& CDriftRowModel::Row(int nRow) const
{
    return CheckedAt(m_arRows, nRow);
}

void CDriftRowModel::DropKeys(const QSet<qint64>& setKeys)
{
    for (int nRow = int(m_arRows.size()) - 1; nRow >= 0; --nRow) {
        QList<qint64>& arKeys = m_arRows[nRow].m_arKeys;
        const qsizetype nBefore = arKeys.size();
        arKeys.removeIf([&](qint64 nKey) { return setKeys.contains(nKey); });
        if (arKeys.isEmpty()) {
            beginRemoveRows(QModelIndex(), nRow, nRow);
            m_arRows.removeAt(nRow);
            endRemoveRows();
        } else if (arKeys.size() != nBefore) {
            emit dataChanged(index(nRow, Records), index(nRow, Records));
        }
    }
}

int CDriftRowModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_arRows.size());
}

int CDriftRowModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant CDriftRowModel::data(const QModelIndex& index, int nRole) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
        return QVariant();
    if (nRole == Qt::TextAlignmentRole) {
        const bool bNumber = index.column() >= Records;
        return QVariant::fromValue((bNumber ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter);
    }
    if (nRole != Qt::DisplayRole)
        return QVariant();
    const SDriftRow& row = m_arRows[index.row()];
    const bool bFolder = row.m_eKind == EDrift::FolderMissing;
    switch (index.column()) {
    case Problem:
        return DriftText(row.m_eKind);
    case Folder:
        return row.m_strDirectory;
    case Name:
        return row.m_eKind == EDrift::Renamed ? RenamedText(row) : row.m_strName;
    case Records:
        return QString::number(row.m_arKeys.size());
    case StoredSize:
        return bFolder ? QString() : QString::number(row.m_nStoredSize);
    case DiskSize:
        return row.m_eKind == EDrift::SizeDiffers ? QString::number(row.m_nDiskSize) : QString();
    default:
        return QVariant();
    }
}

QVariant CDriftRowModel::headerData(int nSection, Qt::Orientation orientation, int nRole) const
{
    static const char* const s_arTitles[] = {QT_TR_NOOP("Problem"),     QT_TR_NOOP("Folder"),
                                             QT_TR_NOOP("Name"),        QT_TR_NOOP("Records"),
                                             QT_TR_NOOP("Stored Size"), QT_TR_NOOP("Size on Disk")};
    if (orientation != Qt::Horizontal || nRole != Qt::DisplayRole || nSection < 0 ||
        nSection >= ColumnCount)
        return QAbstractTableModel::headerData(nSection, orientation, nRole);
    return tr(s_arTitles[nSection]);
}
