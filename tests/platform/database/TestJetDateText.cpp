#include "platform/database/JetDateText.h"

#include <QTest>

// The dates a user types into Find, and the short date the table shows.
class TestJetDateText : public QObject
{
    Q_OBJECT
private slots:
    void parse_data();
    void parse();
    void shortDate_data();
    void shortDate();
};

void TestJetDateText::parse_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected"); // empty: refused

    QTest::newRow("m/d/yyyy") << "12/7/2006"
                              << "2006-12-07 00:00:00";
    QTest::newRow("month first") << "7/12/2006"
                                 << "2006-07-12 00:00:00";
    QTest::newRow("m/d/yy") << "12/7/06"
                            << "2006-12-07 00:00:00";
    QTest::newRow("yy from 30 is 19yy") << "1/2/30"
                                        << "1930-01-02 00:00:00";
    QTest::newRow("yy 29 is 2029") << "1/2/29"
                                   << "2029-01-02 00:00:00";
    QTest::newRow("dashes") << "12-7-2006"
                            << "2006-12-07 00:00:00";
    QTest::newRow("iso") << "2006-12-07"
                         << "2006-12-07 00:00:00";
    QTest::newRow("abbreviated month") << "Dec 7 2006"
                                       << "2006-12-07 00:00:00";
    QTest::newRow("month name, comma") << "December 7, 2006"
                                       << "2006-12-07 00:00:00";
    QTest::newRow("day before month name") << "7 December 2006"
                                           << "2006-12-07 00:00:00";
    QTest::newRow("with minutes") << "12/7/2006 10:30"
                                  << "2006-12-07 10:30:00";
    QTest::newRow("with seconds") << "12/7/2006 10:30:15"
                                  << "2006-12-07 10:30:15";
    QTest::newRow("pm") << "December 7, 2006 10:30 PM"
                        << "2006-12-07 22:30:00";
    QTest::newRow("12 am is midnight") << "12/7/2006 12:05 am"
                                       << "2006-12-07 00:05:00";
    QTest::newRow("12 pm is noon") << "12/7/2006 12:05 PM"
                                   << "2006-12-07 12:05:00";
    QTest::newRow("time alone") << "10:30"
                                << "1899-12-30 10:30:00";
    QTest::newRow("time alone pm") << "10:30 PM"
                                   << "1899-12-30 22:30:00";
    QTest::newRow("blanks around") << "  12/7/2006  "
                                   << "2006-12-07 00:00:00";
    QTest::newRow("before 1970") << "3/4/1950"
                                 << "1950-03-04 00:00:00";
    QTest::newRow("after 3000") << "3/4/3100"
                                << "3100-03-04 00:00:00";
    QTest::newRow("leap day") << "2/29/2004"
                              << "2004-02-29 00:00:00";

    QTest::newRow("word") << "beach"
                          << "";
    QTest::newRow("empty") << ""
                           << "";
    QTest::newRow("blanks") << "   "
                            << "";
    QTest::newRow("month 13") << "13/45/2006"
                              << "";
    QTest::newRow("no 30 February") << "2/30/2006"
                                    << "";
    QTest::newRow("no leap day") << "2/29/2006"
                                 << "";
    QTest::newRow("mixed separators") << "12/7-2006"
                                      << "";
    QTest::newRow("three-digit year") << "12/7/206"
                                      << "";
    QTest::newRow("unknown month") << "Decembre 7 2006"
                                   << "";
    QTest::newRow("hour 25") << "12/7/2006 25:00"
                             << "";
    QTest::newRow("hour 13 pm") << "12/7/2006 13:00 PM"
                                << "";
    QTest::newRow("date then words") << "12/7/2006 beach"
                                     << "";
    QTest::newRow("words then time") << "beach 10:30"
                                     << "";
    QTest::newRow("number alone") << "2006"
                                  << "";
    QTest::newRow("O'Brien") << "O'Brien"
                             << "";
}

void TestJetDateText::parse()
{
    QFETCH(QString, text);
    QFETCH(QString, expected);
    QDateTime dateTime;
    const bool bAccepted = JetParseUsDateTime(text, &dateTime);
    QCOMPARE(bAccepted, !expected.isEmpty());
    if (bAccepted)
        QCOMPARE(dateTime.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")), expected);
}

void TestJetDateText::shortDate_data()
{
    QTest::addColumn<QDate>("date");
    QTest::addColumn<QString>("expected");
    QTest::newRow("padded") << QDate(2006, 12, 7) << "12/07/06";
    QTest::newRow("january") << QDate(2007, 1, 5) << "01/05/07";
    QTest::newRow("year 2000") << QDate(2000, 3, 14) << "03/14/00";
    QTest::newRow("before 1970") << QDate(1899, 12, 30) << "12/30/99";
}

void TestJetDateText::shortDate()
{
    QFETCH(QDate, date);
    QFETCH(QString, expected);
    QCOMPARE(JetShortDateText(date), expected);
}

QTEST_GUILESS_MAIN(TestJetDateText)
#include "TestJetDateText.moc"
