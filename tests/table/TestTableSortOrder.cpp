#include "table/TableSortOrder.h"

#include <QTest>

// The order a click on a column heading gives the rows.
class TestTableSortOrder : public QObject
{
    Q_OBJECT
private slots:
    void order_data();
    void order();
    void leadingNumber_data();
    void leadingNumber();
};

void TestTableSortOrder::order_data()
{
    QTest::addColumn<QStringList>("keys");
    QTest::addColumn<bool>("numeric");
    QTest::addColumn<bool>("descending");
    QTest::addColumn<QList<int>>("expected");

    const QStringList arTies = {"b", "a", "b", "a", "c"};
    QTest::newRow("equal keys stay in order ascending")
        << arTies << false << false << QList<int>{1, 3, 0, 2, 4};
    QTest::newRow("descending is the exact reverse")
        << arTies << false << true << QList<int>{4, 2, 0, 3, 1};
    QTest::newRow("text: upper case before lower case")
        << QStringList{"beach", "Beach", "apple", "Zoo"} << false << false
        << QList<int>{1, 3, 2, 0};
    QTest::newRow("text: 10 before 9")
        << QStringList{"9", "10"} << false << false << QList<int>{1, 0};
    QTest::newRow("number: 9 before 10")
        << QStringList{"10", "9", "100"} << true << false << QList<int>{1, 0, 2};
    QTest::newRow("number: no number counts as 0")
        << QStringList{"5", "abc", "-1", ""} << true << false << QList<int>{2, 1, 3, 0};
    QTest::newRow("number: equal values keep order, reversed descending")
        << QStringList{"7", "7.0", "x", "07"} << true << true << QList<int>{3, 1, 0, 2};
    QTest::newRow("stored dates sort by time")
        << QStringList{"2007-01-05 00:00:00", "2006-12-07 10:00:00", "", "2006-12-07 09:00:00"}
        << false << false << QList<int>{2, 3, 1, 0};
    QTest::newRow("no rows") << QStringList{} << true << true << QList<int>{};
}

void TestTableSortOrder::order()
{
    QFETCH(QStringList, keys);
    QFETCH(bool, numeric);
    QFETCH(bool, descending);
    QFETCH(QList<int>, expected);
    QCOMPARE(
        TableSortOrder(keys, numeric ? ETableSortKey::Number : ETableSortKey::Text, descending),
        expected);
}

void TestTableSortOrder::leadingNumber_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("expected");
    QTest::newRow("integer") << "1234" << 1234.0;
    QTest::newRow("blanks and sign") << "  -12" << -12.0;
    QTest::newRow("fraction") << "2.5 MB" << 2.5;
    QTest::newRow("leading point") << ".5" << 0.5;
    QTest::newRow("exponent") << "1e3x" << 1000.0;
    QTest::newRow("broken exponent") << "3e+" << 3.0;
    QTest::newRow("no digits") << "KB" << 0.0;
    QTest::newRow("sign alone") << "-" << 0.0;
    QTest::newRow("comma ends it") << "1,5" << 1.0;
}

void TestTableSortOrder::leadingNumber()
{
    QFETCH(QString, text);
    QFETCH(double, expected);
    QCOMPARE(LeadingNumber(text), expected);
}

QTEST_GUILESS_MAIN(TestTableSortOrder)
#include "TestTableSortOrder.moc"
