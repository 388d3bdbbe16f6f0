#pragma once

#include "db/DriftReport.h"

#include <QAbstractTableModel>
#include <QSet>

// The lines of a database check's report, one disagreement each.
class CDriftRowModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    enum EColumn { Problem, Folder, Name, Records, StoredSize, DiskSize, ColumnCount };

    explicit CDriftRowModel(QObject* pParent = nullptr);

    void SetRows(QList<SDriftRow> arRows);
    // A row outside the rows raises std::invalid_argument.
    const SDriftRow& Row(int nRow) const;
    // Forgets the records with those keys, and the lines left without one:
    // they were removed or repaired.
    void DropKeys(const QSet<qint64>& setKeys);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int nRole = Qt::DisplayRole) const override;
    QVariant headerData(int nSection, Qt::Orientation orientation,
                        int nRole = Qt::DisplayRole) const override;

private:
    QList<SDriftRow> m_arRows;
};
