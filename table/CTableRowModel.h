#pragma once

#include "db/CPhotoColumns.h"
#include "db/SPhotoRecord.h"

#include <QAbstractTableModel>
#include <QList>

// The rows of a record table, one photo record each, in the columns of the
// PHOTOS fields. The records are kept as values, field by field; the texts
// shown are made from them when a row is drawn.
class CTableRowModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    // The row's record key (qint64), in every column.
    static constexpr int KeyRole = Qt::UserRole;
    // What a sort compares: keys and sizes as numbers, dates by time.
    static constexpr int SortRole = Qt::UserRole + 1;

    explicit CTableRowModel(QObject* pParent = nullptr);

    // Replaces every row at once.
    void SetRecords(const QList<SPhotoRecord>& arRecords);
    void SetRecords(CPhotoColumns records);
    // A row outside the rows raises std::invalid_argument.
    SPhotoRecord Record(int nRow) const;
    // Shows the changed records in the rows that list them, if any.
    void UpdateRecords(const QList<SPhotoRecord>& arRecords);
    // Removes the rows that list those records.
    void RemoveRecords(const QList<qint64>& arKeys);
    // The row that takes nRow's place when those records go, as lists do:
    // the next one left, else the one before; -1 when none is left.
    int SuccessorRow(int nRow, const QList<qint64>& arKeys) const;

    // Reorders the rows; selections and other persistent indexes move with
    // their rows.
    void sort(int nColumn, Qt::SortOrder order = Qt::AscendingOrder) override;

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int nRole = Qt::DisplayRole) const override;
    QVariant headerData(int nSection, Qt::Orientation orientation,
                        int nRole = Qt::DisplayRole) const override;
    bool removeRows(int nRow, int nCount, const QModelIndex& parent = QModelIndex()) override;

private:
    QString DisplayText(int nRow, EPhotoField eField) const;
    QVariant SortValue(int nRow, EPhotoField eField) const;
    // Rows go, the others close up, and persistent indexes follow their rows
    // (to nothing for a row that went): one change however scattered the rows.
    void RemoveMarkedRows(const QList<bool>& arRemoved);

    CPhotoColumns m_rows;
    QList<Qt::Alignment> m_arAlignments;
};
