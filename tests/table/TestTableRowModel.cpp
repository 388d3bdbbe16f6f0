#include "table/CTableRowModel.h"

#include <QAbstractItemModelTester>
#include <QItemSelectionModel>
#include <QTest>

// The record table's rows under the model checker: sorting moves selections
// with their rows, removing a row shifts the rest.
class TestTableRowModel : public QObject
{
    Q_OBJECT
private slots:
    void sortKeepsSelectionWithRows_data();
    void sortKeepsSelectionWithRows();
    void removeRow();
    void headingsAndAlignment();

private:
    static void Fill(CTableRowModel& model);
};

void TestTableRowModel::Fill(CTableRowModel& model)
{
    CTableRowModel::CColumn id{QStringLiteral("ID_Photo"), 4, Qt::AlignLeft, ETableSortKey::Number,
                               false};
    CTableRowModel::CColumn date{QStringLiteral("Date"), 60, Qt::AlignHCenter, ETableSortKey::Text,
                                 true};
    CTableRowModel::CColumn size{QStringLiteral("Size"), 60, Qt::AlignRight, ETableSortKey::Number,
                                 false};
    model.SetColumns({id, date, size});
    model.SetRows({{{"9", "12/07/06", "300"}, "2006-12-07 00:00:00"},
                   {{"10", "01/05/07", "20"}, "2007-01-05 00:00:00"},
                   {{"11", "Invalid DateTime", "1000"}, ""}});
}

void TestTableRowModel::sortKeepsSelectionWithRows_data()
{
    QTest::addColumn<int>("column");
    QTest::addColumn<bool>("descending");
    QTest::addColumn<QStringList>("ids");
    QTest::newRow("id ascending, as numbers") << 0 << false << QStringList{"9", "10", "11"};
    QTest::newRow("id descending") << 0 << true << QStringList{"11", "10", "9"};
    QTest::newRow("date by time, not by text") << 1 << false << QStringList{"11", "9", "10"};
    QTest::newRow("size descending") << 2 << true << QStringList{"11", "9", "10"};
}

void TestTableRowModel::sortKeepsSelectionWithRows()
{
    QFETCH(int, column);
    QFETCH(bool, descending);
    QFETCH(QStringList, ids);
    CTableRowModel model;
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
    Fill(model);
    QItemSelectionModel selection(&model);
    selection.select(model.index(1, 0), QItemSelectionModel::Select | QItemSelectionModel::Rows);

    model.SortRows(column, descending);

    QStringList arIds;
    for (int i = 0; i < model.rowCount(); ++i)
        arIds.append(model.Text(i, 0));
    QCOMPARE(arIds, ids);
    const QModelIndexList arSelected = selection.selectedRows();
    QCOMPARE(arSelected.size(), 1);
    QCOMPARE(model.Text(arSelected.first().row(), 0), QStringLiteral("10"));
}

void TestTableRowModel::removeRow()
{
    CTableRowModel model;
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
    Fill(model);
    QVERIFY(model.removeRow(0));
    QCOMPARE(model.rowCount(), 2);
    QCOMPARE(model.RowTexts(0), (QStringList{"10", "01/05/07", "20"}));
    QVERIFY(!model.removeRow(5));
    QCOMPARE(model.rowCount(), 2);
}

void TestTableRowModel::headingsAndAlignment()
{
    CTableRowModel model;
    Fill(model);
    QCOMPARE(model.headerData(1, Qt::Horizontal).toString(), QStringLiteral("Date"));
    QCOMPARE(model.data(model.index(0, 2), Qt::TextAlignmentRole).value<Qt::Alignment>(),
             Qt::AlignRight | Qt::AlignVCenter);
}

QTEST_GUILESS_MAIN(TestTableRowModel)
#include "TestTableRowModel.moc"
