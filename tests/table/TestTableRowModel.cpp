#include "db/CDao_TableInfo.h"
#include "table/CTableRowModel.h"

#include <QAbstractItemModelTester>
#include <QItemSelectionModel>
#include <QSignalSpy>
#include <QTest>

// The record table's rows under the model checker: texts made from the
// records' values, sorting that moves selections with their rows, and rows
// that follow saved and deleted records.
class TestTableRowModel : public QObject
{
    Q_OBJECT
private slots:
    void sortKeepsSelectionWithRows_data();
    void sortKeepsSelectionWithRows();
    void texts();
    void followsRecordsByKey();
    void removesScatteredRows();

private:
    static QList<SPhotoRecord> Records();
    static QStringList Column(const CTableRowModel& model, EPhotoField eField);
};

QList<SPhotoRecord> TestTableRowModel::Records()
{
    const QDateTime december(QDate(2006, 12, 7), QTime(23, 0), Qt::UTC);
    const QDateTime january(QDate(2007, 1, 5), QTime(1, 0), Qt::UTC);
    return {{9, december, "b.jpg", "jpg", 300, "/p", "Trips", "sea"},
            {10, january, "a.jpg", "jpg", 20, "/p", "", ""},
            {5000000000, QDateTime(), "c.gif", "gif", 1000, "/old", "Beach", ""}};
}

QStringList TestTableRowModel::Column(const CTableRowModel& model, EPhotoField eField)
{
    QStringList ar;
    for (int i = 0; i < model.rowCount(); ++i)
        ar.append(model.index(i, PhotoColumn(eField)).data().toString());
    return ar;
}

void TestTableRowModel::sortKeepsSelectionWithRows_data()
{
    QTest::addColumn<int>("column");
    QTest::addColumn<bool>("descending");
    QTest::addColumn<QStringList>("ids");
    QTest::newRow("key ascending, as numbers")
        << PhotoColumn(EPhotoField::ID_Photo) << false << QStringList{"9", "10", "5000000000"};
    QTest::newRow("key descending")
        << PhotoColumn(EPhotoField::ID_Photo) << true << QStringList{"5000000000", "10", "9"};
    QTest::newRow("date by time, none first")
        << PhotoColumn(EPhotoField::Date) << false << QStringList{"5000000000", "9", "10"};
    QTest::newRow("size descending, as numbers")
        << PhotoColumn(EPhotoField::Size) << true << QStringList{"5000000000", "9", "10"};
    QTest::newRow("name as text") << PhotoColumn(EPhotoField::Name) << false
                                  << QStringList{"10", "9", "5000000000"};
    QTest::newRow("shared texts, equal ones in order")
        << PhotoColumn(EPhotoField::Extention) << false << QStringList{"5000000000", "9", "10"};
    QTest::newRow("shared texts descending, the exact reverse")
        << PhotoColumn(EPhotoField::Extention) << true << QStringList{"10", "9", "5000000000"};
    QTest::newRow("theme, empty first")
        << PhotoColumn(EPhotoField::Theme) << false << QStringList{"10", "5000000000", "9"};
    QTest::newRow("comments, equal ones in order")
        << PhotoColumn(EPhotoField::Comment) << false << QStringList{"10", "5000000000", "9"};
}

void TestTableRowModel::sortKeepsSelectionWithRows()
{
    QFETCH(int, column);
    QFETCH(bool, descending);
    QFETCH(QStringList, ids);
    CTableRowModel model;
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
    model.SetRecords(Records());
    QItemSelectionModel selection(&model);
    selection.select(model.index(1, 0), QItemSelectionModel::Select | QItemSelectionModel::Rows);

    model.sort(column, descending ? Qt::DescendingOrder : Qt::AscendingOrder);

    QCOMPARE(Column(model, EPhotoField::ID_Photo), ids);
    const QModelIndexList arSelected = selection.selectedRows();
    QCOMPARE(arSelected.size(), 1);
    QCOMPARE(arSelected.first().data(CTableRowModel::KeyRole).toLongLong(), 10);
}

void TestTableRowModel::texts()
{
    CTableRowModel model;
    model.SetRecords(Records());
    QStringList arRow;
    for (int i = 0; i < model.columnCount(); ++i)
        arRow.append(model.index(0, i).data().toString());
    QCOMPARE(arRow, (QStringList{"9", "12/07/06", "b.jpg", "jpg", "300", "/p", "Trips", "sea"}));
    QCOMPARE(Column(model, EPhotoField::Date),
             (QStringList{"12/07/06", "01/05/07", "Invalid DateTime"}));
    QCOMPARE(model.index(2, PhotoColumn(EPhotoField::Extention))
                 .data(CTableRowModel::KeyRole)
                 .toLongLong(),
             5000000000);
    QCOMPARE(model.headerData(PhotoColumn(EPhotoField::Extention), Qt::Horizontal).toString(),
             QStringLiteral("Extention"));
    QCOMPARE(model.index(0, PhotoColumn(EPhotoField::Size))
                 .data(Qt::TextAlignmentRole)
                 .value<Qt::Alignment>(),
             Qt::AlignRight | Qt::AlignVCenter);
}

void TestTableRowModel::followsRecordsByKey()
{
    CTableRowModel model;
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
    model.SetRecords(Records());
    QSignalSpy changed(&model, &QAbstractItemModel::dataChanged);

    SPhotoRecord saved = Records()[1];
    saved.m_strTheme = QStringLiteral("Zoo");
    SPhotoRecord unlisted = saved;
    unlisted.m_nKey = 77;
    model.UpdateRecords({saved, unlisted});
    QCOMPARE(changed.size(), 1);
    QCOMPARE(Column(model, EPhotoField::Theme), (QStringList{"Trips", "Zoo", "Beach"}));

    // Keys 9, 10, 5000000000: what takes a deleted row's place.
    QCOMPARE(model.SuccessorRow(1, {10}), 2);
    QCOMPARE(model.SuccessorRow(0, {9, 10}), 2);
    QCOMPARE(model.SuccessorRow(2, {5000000000}), 1);
    QCOMPARE(model.SuccessorRow(1, {10, 5000000000}), 0);
    QCOMPARE(model.SuccessorRow(1, {9, 10, 5000000000}), -1);

    model.RemoveRecords({5000000000, 10, 77});
    QCOMPARE(Column(model, EPhotoField::ID_Photo), QStringList{"9"});
}

// Scattered rows go at once; the selection and the current row stay with
// the rows that are left, and a selected row that went leaves nothing behind.
void TestTableRowModel::removesScatteredRows()
{
    CTableRowModel model;
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
    QList<SPhotoRecord> arRecords;
    for (qint64 nKey = 1; nKey <= 7; ++nKey)
        arRecords.append(
            {nKey, QDateTime(), QStringLiteral("n%1").arg(nKey), "jpg", nKey, "/p", "", ""});
    model.SetRecords(arRecords);
    QItemSelectionModel selection(&model);
    for (int nRow : {1, 4, 5})
        selection.select(model.index(nRow, 0),
                         QItemSelectionModel::Select | QItemSelectionModel::Rows);
    selection.setCurrentIndex(model.index(6, 2), QItemSelectionModel::NoUpdate);

    model.RemoveRecords({2, 4, 6, 99});

    QCOMPARE(Column(model, EPhotoField::ID_Photo), (QStringList{"1", "3", "5", "7"}));
    QCOMPARE(Column(model, EPhotoField::Name), (QStringList{"n1", "n3", "n5", "n7"}));
    QList<qint64> arSelected;
    for (const QModelIndex& index : selection.selectedRows())
        arSelected.append(index.data(CTableRowModel::KeyRole).toLongLong());
    QCOMPARE(arSelected, QList<qint64>{5});
    QCOMPARE(selection.currentIndex(), model.index(3, 2));
    QCOMPARE(model.Record(3).m_strName, QStringLiteral("n7"));
    QVERIFY_THROWS_EXCEPTION(std::invalid_argument, model.Record(4));
}

QTEST_GUILESS_MAIN(TestTableRowModel)
#include "TestTableRowModel.moc"
