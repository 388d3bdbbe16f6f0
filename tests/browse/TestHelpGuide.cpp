#include <QFile>
#include <QObject>
#include <QTest>

// The user guide names every kind of picture file Orvala opens.
class TestHelpGuide : public QObject
{
    Q_OBJECT
private slots:
    void listsFormats_data()
    {
        QTest::addColumn<QString>("format");
        for (const char* szFormat : {"JPG", "BMP", "GIF", "ICO", "CUR", "WMF", "EMF"})
            QTest::newRow(szFormat) << QString::fromLatin1(szFormat);
    }

    void listsFormats()
    {
        QFETCH(QString, format);
        QFile guide(QStringLiteral(":/help/index.html"));
        QVERIFY(guide.open(QIODevice::ReadOnly));
        const QString strText = QString::fromUtf8(guide.readAll());
        const int nAt = int(strText.indexOf(QStringLiteral("Orvala shows these picture files:")));
        QVERIFY(nAt >= 0);
        const QString strSentence = strText.mid(nAt, strText.indexOf(QLatin1Char('.'), nAt) - nAt);
        QVERIFY2(strSentence.contains(format), qPrintable(strSentence));
    }
};

QTEST_GUILESS_MAIN(TestHelpGuide)
#include "TestHelpGuide.moc"
