#include "platform/picture/SymbolCharset.h"

#include <QTest>

class TestSymbolCharset : public QObject
{
    Q_OBJECT
private slots:
    void toUnicode_data();
    void toUnicode();
    void isSymbolFont_data();
    void isSymbolFont();
};

void TestSymbolCharset::toUnicode_data()
{
    QTest::addColumn<QString>("symbol");
    QTest::addColumn<QString>("unicode");

    QTest::newRow("Greek") << QStringLiteral("DSWadmps") << QStringLiteral("ΔΣΩαδμπσ");
    QTest::newRow("operators") << QStringLiteral("\u00B4\u00B3\u00A3\u00B9\u00B6\u00E5\u00F2\"$")
                               << QStringLiteral("×≥≤≠∂∑∫∀∃");
    QTest::newRow("digits and brackets stay")
        << QStringLiteral("(1+2)=3") << QStringLiteral("(1+2)=3");
    QTest::newRow("private-use page of wide strings")
        << QStringLiteral("\uF044\uF0B4\uF020") << QStringLiteral("Δ× ");
    QTest::newRow("codes without a glyph stay")
        << QStringLiteral("\u0085\u00F0\u00FF\uF0F0") << QStringLiteral("\u0085\u00F0\u00FF\uF0F0");
    QTest::newRow("beyond the font stays")
        << QStringLiteral("Жβ\uF100") << QStringLiteral("Жβ\uF100");
}

void TestSymbolCharset::toUnicode()
{
    QFETCH(QString, symbol);
    QFETCH(QString, unicode);
    QCOMPARE(SymbolCharset::ToUnicode(symbol), unicode);
}

void TestSymbolCharset::isSymbolFont_data()
{
    QTest::addColumn<int>("charSet");
    QTest::addColumn<QString>("face");
    QTest::addColumn<bool>("symbol");

    QTest::newRow("symbol character set") << 2 << QStringLiteral("Times New Roman") << true;
    QTest::newRow("Symbol face, default set") << 1 << QStringLiteral("symbol") << true;
    QTest::newRow("renamed Symbol") << 0 << QStringLiteral("Symbol Tiger Expert") << true;
    QTest::newRow("Latin text") << 0 << QStringLiteral("Times New Roman") << false;
    QTest::newRow("face only begins alike") << 0 << QStringLiteral("Symbolic") << false;
    QTest::newRow("dingbats") << 2 << QStringLiteral("Wingdings 3") << false;
}

void TestSymbolCharset::isSymbolFont()
{
    QFETCH(int, charSet);
    QFETCH(QString, face);
    QFETCH(bool, symbol);
    QCOMPARE(SymbolCharset::IsSymbolFont(charSet, face), symbol);
}

QTEST_GUILESS_MAIN(TestSymbolCharset)
#include "TestSymbolCharset.moc"
