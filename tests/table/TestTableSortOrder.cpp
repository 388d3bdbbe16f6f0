#include "table/TableSortOrder.h"

#include <QDateTime>
#include <QTest>

// The order a click on a column heading gives the rows.
class TestTableSortOrder : public QObject
{
    Q_OBJECT
private slots:
    void order_data();
    void order();
    void sharedTexts();
};

namespace {
QVariant Wall(int nYear, int nMonth, int nDay, int nHour = 0, int nMinute = 0, int nSecond = 0)
{
    return QDateTime(QDate(nYear, nMonth, nDay), QTime(nHour, nMinute, nSecond), Qt::UTC);
}
} // namespace

void TestTableSortOrder::order_data()
{
    QTest::addColumn<QVariantList>("values");
    QTest::addColumn<bool>("descending");
    QTest::addColumn<QList<int>>("expected");

    const QVariantList arTies = {"b", "a", "b", "a", "c"};
    QTest::newRow("equal values stay in order ascending")
        << arTies << false << QList<int>{1, 3, 0, 2, 4};
    QTest::newRow("descending is the exact reverse") << arTies << true << QList<int>{4, 2, 0, 3, 1};
    QTest::newRow("text: upper case before lower case")
        << QVariantList{"beach", "Beach", "apple", "Zoo"} << false << QList<int>{1, 3, 2, 0};
    QTest::newRow("text: 10 before 9") << QVariantList{"9", "10"} << false << QList<int>{1, 0};
    QTest::newRow("numbers: 9 before 10")
        << QVariantList{qint64(10), qint64(9), qint64(100)} << false << QList<int>{1, 0, 2};
    QTest::newRow("numbers beyond a double's precision")
        << QVariantList{qint64(9007199254740993), qint64(9007199254740992)} << false
        << QList<int>{1, 0};
    QTest::newRow("numbers: equal values reversed descending")
        << QVariantList{qint64(7), qint64(7), qint64(-1), qint64(7)} << true
        << QList<int>{3, 1, 0, 2};
    QTest::newRow("dates by time, before 1970 too, none first")
        << QVariantList{Wall(2007, 1, 5), Wall(1969, 12, 31, 23, 59, 59), QDateTime(),
                        Wall(1950, 3, 4), Wall(2006, 12, 7, 10)}
        << false << QList<int>{2, 3, 1, 4, 0};
    QTest::newRow("no rows") << QVariantList{} << true << QList<int>{};
}

void TestTableSortOrder::order()
{
    QFETCH(QVariantList, values);
    QFETCH(bool, descending);
    QFETCH(QList<int>, expected);
    QCOMPARE(TableSortOrder(values, descending), expected);
}

// Rows naming their text by its index among the distinct texts sort as the
// texts would; two entries holding the same text are equal.
void TestTableSortOrder::sharedTexts()
{
    const QList<QString> arDistinct = {"b", "a", "B", "b", ""};
    const QList<quint32> arRows = {0, 1, 3, 2, 0, 4, 3};
    QCOMPARE(TableSortOrder(arDistinct, arRows, false), (QList<int>{5, 3, 1, 0, 2, 4, 6}));
    QCOMPARE(TableSortOrder(arDistinct, arRows, true), (QList<int>{6, 4, 2, 0, 1, 3, 5}));
}

QTEST_GUILESS_MAIN(TestTableSortOrder)
#include "TestTableSortOrder.moc"
