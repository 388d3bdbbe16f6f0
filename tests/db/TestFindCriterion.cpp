#include "db/FindCriterion.h"

#include <QTest>

// Which Find texts are days, without a window.
class TestFindCriterion : public QObject
{
    Q_OBJECT
private slots:
    void findDay_data();
    void findDay();
    void criterion();
};

void TestFindCriterion::findDay_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QDate>("day"); // invalid: a text search
    const QDate dec7(2006, 12, 7);
    const QDate dec7ThisYear(2026, 12, 7);
    QTest::newRow("month/day/year") << "12/7/2006" << dec7;
    QTest::newRow("two-digit year") << "12/7/06" << dec7;
    QTest::newRow("dashes") << "12-7-2006" << dec7;
    QTest::newRow("ISO") << "2006-12-07" << dec7;
    QTest::newRow("month name first") << "Dec 7 2006" << dec7;
    QTest::newRow("full month name, comma") << "December 7, 2006" << dec7;
    QTest::newRow("day first") << "7 December 2006" << dec7;
    QTest::newRow("day-month name-year") << "7-Dec-2006" << dec7;
    QTest::newRow("day-month name-two-digit year") << "7-Dec-06" << dec7;
    QTest::newRow("month/day: this year") << "12/7" << dec7ThisYear;
    QTest::newRow("month-day: this year") << "12-7" << dec7ThisYear;
    QTest::newRow("month name day: this year") << "Dec 7" << dec7ThisYear;
    QTest::newRow("day month name: this year") << "7 Dec" << dec7ThisYear;
    QTest::newRow("with a time") << "12/7 10:30 PM" << dec7ThisYear;
    QTest::newRow("day-month name-year with a time") << "7-Dec-2006 10:30" << dec7;
    QTest::newRow("a word") << "beach" << QDate();
    QTest::newRow("a month name alone") << "Dec" << QDate();
    QTest::newRow("a number alone") << "7" << QDate();
    QTest::newRow("no such day") << "2/30" << QDate();
    QTest::newRow("no such month") << "13/7" << QDate();
    QTest::newRow("letters after") << "12/7x" << QDate();
    QTest::newRow("a bad time") << "12/7 25:00" << QDate();
    QTest::newRow("a name that is no month") << "Bob 7" << QDate();
}

void TestFindCriterion::findDay()
{
    QFETCH(QString, text);
    QFETCH(QDate, day);
    QCOMPARE(FindDay(text, QDate(2026, 12, 9)), day);
}

void TestFindCriterion::criterion()
{
    QCOMPARE(FindCriterion(QStringLiteral("12/7"), QDate(2026, 12, 9)),
             QStringLiteral("[Date] >= #12/07/2026 00:00:00# AND [Date] <= #12/07/2026 23:59:59#"));
    QCOMPARE(FindCriterion(QStringLiteral("O'Brien"), QDate(2026, 12, 9)),
             QStringLiteral("[Theme] LIKE '*O''Brien*' OR [Comment] LIKE '*O''Brien*' OR "
                            "[Name] LIKE '*O''Brien*' OR [Directory] LIKE '*O''Brien*'"));
}

QTEST_GUILESS_MAIN(TestFindCriterion)
#include "TestFindCriterion.moc"
