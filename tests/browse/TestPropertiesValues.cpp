#include "browse/PropertiesValues.h"

#include <QLocale>
#include <QTest>
#include <climits>

// How the Properties dialog reads its typed texts.
class TestPropertiesValues : public QObject
{
    Q_OBJECT
private slots:
    void atoiText_data();
    void atoiText();
    void pauseMilliseconds_data();
    void pauseMilliseconds();
    void pauseText();
    void userLocaleIgnored();
    void viewSettings_data();
    void viewSettings();
};

void TestPropertiesValues::atoiText_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("value");
    QTest::newRow("trailing letters") << "12x" << 12;
    QTest::newRow("fraction cut") << "1.9" << 1;
    QTest::newRow("leading blanks") << " \t\n7" << 7;
    QTest::newRow("minus") << "-3" << -3;
    QTest::newRow("letters") << "abc" << 0;
    QTest::newRow("blank after sign") << "- 3" << 0;
    QTest::newRow("two signs") << "--3" << 0;
    QTest::newRow("non-ASCII digit") << QString::fromUtf8("\u0663") << 0;
    QTest::newRow("just past int max") << "2147483648" << INT_MAX;
    QTest::newRow("far past int max") << "99999999999999999999999" << INT_MAX;
    QTest::newRow("far below int min") << "-99999999999999999999999" << INT_MIN;
}

void TestPropertiesValues::atoiText()
{
    QFETCH(QString, text);
    QFETCH(int, value);
    QCOMPARE(AtoiText(text), value);
}

void TestPropertiesValues::pauseMilliseconds_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("milliseconds");
    QTest::newRow("two and a half") << "2.5" << 2500;
    QTest::newRow("below a millisecond cut") << "0.0015" << 1;
    QTest::newRow("leading point") << ".5" << 500;
    QTest::newRow("exponent") << "1e3" << 1000000;
    QTest::newRow("exponent without digits") << "1e+" << 1000;
    QTest::newRow("trailing unit") << "2.5sec" << 2500;
    QTest::newRow("comma stops") << "1,5" << 1000;
    QTest::newRow("leading blanks and plus") << " \t+2" << 2000;
    QTest::newRow("minus cut toward zero") << "-0.0015" << -1;
    QTest::newRow("letters") << "abc" << 0;
    QTest::newRow("empty") << "" << 0;
    QTest::newRow("two signs") << "--1" << 0;
    QTest::newRow("hexadecimal reads its zero") << "0x10" << 0;
    QTest::newRow("largest") << "2147483.647" << INT_MAX;
    QTest::newRow("past int") << "3e6" << INT_MAX;
    QTest::newRow("past double") << "1e400" << INT_MAX;
    QTest::newRow("under double") << "1e-400" << 0;
    QTest::newRow("infinity") << "inf" << INT_MAX;
    QTest::newRow("not a number") << "nan" << 0;
}

void TestPropertiesValues::pauseMilliseconds()
{
    QFETCH(QString, text);
    QFETCH(int, milliseconds);
    QCOMPARE(PauseMilliseconds(text), milliseconds);
}

void TestPropertiesValues::pauseText()
{
    QCOMPARE(PauseText(1000), QStringLiteral("1.0"));
    QCOMPARE(PauseText(2500), QStringLiteral("2.5"));
    QCOMPARE(PauseText(40), QStringLiteral("0.0"));
    QCOMPARE(PauseText(60000), QStringLiteral("60.0"));
}

// A German user still types and reads seconds with a point.
void TestPropertiesValues::userLocaleIgnored()
{
    const QLocale previous;
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    const int nPoint = PauseMilliseconds(QStringLiteral("2.5"));
    const int nComma = PauseMilliseconds(QStringLiteral("2,5"));
    const QString strText = PauseText(2500);
    QLocale::setDefault(previous);
    QCOMPARE(nPoint, 2500);
    QCOMPARE(nComma, 2000);
    QCOMPARE(strText, QStringLiteral("2.5"));
}

void TestPropertiesValues::viewSettings_data()
{
    QTest::addColumn<bool>("keep");
    QTest::addColumn<bool>("loop");
    QTest::addColumn<QStringList>("texts"); // photos in row, border width, pause
    QTest::addColumn<QList<int>>("values");
    QTest::newRow("defaults") << false << false << QStringList{"10", "2", "1.0"}
                              << QList<int>{10, 2, 1000};
    QTest::newRow("keep") << true << false << QStringList{"12x", " 3", "2.5"}
                          << QList<int>{12, 3, 2500};
    QTest::newRow("loop, zeros") << false << true << QStringList{"0", "0", "0"}
                                 << QList<int>{1, 0, 0};
    QTest::newRow("negatives") << true << true << QStringList{"-4", "-1", "-2"}
                               << QList<int>{1, 0, 0};
    QTest::newRow("letters") << false << false << QStringList{"abc", "abc", "abc"}
                             << QList<int>{1, 0, 0};
    QTest::newRow("largest") << false << false << QStringList{"1000", "1000", "3600"}
                             << QList<int>{1000, 1000, 3600000};
    // Beyond any screen, and beyond what the cell sums can hold.
    QTest::newRow("huge") << false << false << QStringList{"1001", "2000000000", "1"}
                          << QList<int>{1000, 1000, 1000};
}

void TestPropertiesValues::viewSettings()
{
    QFETCH(bool, keep);
    QFETCH(bool, loop);
    QFETCH(QStringList, texts);
    QFETCH(QList<int>, values);
    const SViewSettings s = ViewSettingsFromTexts(keep, loop, texts[0], texts[1], texts[2]);
    QCOMPARE(s.bKeepProportions, keep);
    QCOMPARE(s.bLoop, loop);
    QCOMPARE(QList<int>({s.nPhotosInRow, s.nBorderWidth, s.nSlidePause}), values);
}

QTEST_GUILESS_MAIN(TestPropertiesValues)
#include "TestPropertiesValues.moc"
