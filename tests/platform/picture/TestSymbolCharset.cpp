#include "platform/picture/SymbolCharset.h"

#include <QTest>

class TestSymbolCharset : public QObject
{
    Q_OBJECT
private slots:
    void mapsSymbolFonts();
};

void TestSymbolCharset::mapsSymbolFonts()
{
    using namespace SymbolCharset;
    // Greek and operators, 8-bit and in the private-use page; digits, brackets,
    // codes without a glyph and characters beyond the font stay.
    QCOMPARE(ToUnicode(QStringLiteral("DSWamps\u00B4\u00B3\u00B9\u00E5\u00F2\"\uF044\uF0B4")),
             QStringLiteral("ΔΣΩαμπσ×≥≠∑∫∀Δ×"));
    const QString strKept = QStringLiteral("(1+2)\u0085\u00F0\u00FF\uF0F0Жβ\uF100");
    QCOMPARE(ToUnicode(strKept), strKept);
    QVERIFY(IsSymbolFont(2, QStringLiteral("Times New Roman")));
    QVERIFY(IsSymbolFont(1, QStringLiteral("symbol")) && IsSymbolFont(0, "Symbol Tiger Expert"));
    QVERIFY(!IsSymbolFont(0, QStringLiteral("Times New Roman")) && !IsSymbolFont(0, "Symbolic"));
    QVERIFY(!IsSymbolFont(2, QStringLiteral("Wingdings 3")));
}

QTEST_GUILESS_MAIN(TestSymbolCharset)
#include "TestSymbolCharset.moc"
