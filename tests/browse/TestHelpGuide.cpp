#include <QFile>
#include <QObject>
#include <QRegularExpression>
#include <QTest>

// The user guide names every kind of picture file Orvala opens and has a
// section for each part of a picture window that other pages link to.
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

    void hasSections_data()
    {
        QTest::addColumn<QString>("anchor");
        for (const char* szAnchor : {"picturekeys", "fitzoom", "slideshow", "properties",
                                     "tablewindows", "check", "server", "trash"})
            QTest::newRow(szAnchor) << QString::fromLatin1(szAnchor);
    }

    void hasSections()
    {
        QFETCH(QString, anchor);
        QFile guide(QStringLiteral(":/help/index.html"));
        QVERIFY(guide.open(QIODevice::ReadOnly));
        const QString strText = QString::fromUtf8(guide.readAll());
        QVERIFY(strText.contains(QStringLiteral("<a name=\"%1\">").arg(anchor)));
    }

    void linksLeadToSections()
    {
        QFile guide(QStringLiteral(":/help/index.html"));
        QVERIFY(guide.open(QIODevice::ReadOnly));
        const QString strText = QString::fromUtf8(guide.readAll());
        const QRegularExpression link(QStringLiteral("<a href=\"#([a-z]+)\">"));
        int nLinks = 0;
        for (const QRegularExpressionMatch& m : link.globalMatch(strText)) {
            ++nLinks;
            QVERIFY2(strText.contains(QStringLiteral("<a name=\"%1\">").arg(m.captured(1))),
                     qPrintable(m.captured(1)));
        }
        QVERIFY(nLinks > 0);
    }
};

QTEST_GUILESS_MAIN(TestHelpGuide)
#include "TestHelpGuide.moc"
