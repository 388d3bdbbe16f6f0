#pragma once

#include "table/TableSortOrder.h"

#include <QAbstractTableModel>
#include <QList>
#include <QStringList>

// The rows of a record table: texts only, one per column, plus for each row
// a hidden key that sorts its date column by time rather than by its text.
class CTableRowModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    struct CColumn
    {
        QString strHeading;
        int nWidth = 0;
        Qt::Alignment alignment = Qt::AlignLeft;
        ETableSortKey sortKey = ETableSortKey::Text;
        // Sorts by the rows' hidden key instead of the shown text.
        bool bSortByHiddenKey = false;
    };
    struct CRow
    {
        QStringList arTexts;
        QString strHiddenKey;
    };

    explicit CTableRowModel(QObject* pParent = nullptr);

    void SetColumns(const QList<CColumn>& arColumns);
    const QList<CColumn>& Columns() const { return m_arColumns; }
    // Replaces every row at once.
    void SetRows(QList<CRow> arRows);
    QString Text(int nRow, int nColumn) const;
    QStringList RowTexts(int nRow) const;

    // Reorders the rows; selections and other persistent indexes move with
    // their rows.
    void SortRows(int nColumn, bool bDescending);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int nRole = Qt::DisplayRole) const override;
    QVariant headerData(int nSection, Qt::Orientation orientation,
                        int nRole = Qt::DisplayRole) const override;
    bool removeRows(int nRow, int nCount, const QModelIndex& parent = QModelIndex()) override;

private:
    QList<CColumn> m_arColumns;
    QList<CRow> m_arRows;
};
