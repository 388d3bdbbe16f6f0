#include "app/AppLog.h"
#include "browse/BrowseLog.h"
#include "db/DatabaseLog.h"
#include "platform/framework/FrameworkLog.h"
#include "platform/picture/PictureLog.h"
#include "table/TableLog.h"

#include <QObject>
#include <QTest>

using Category = const QLoggingCategory& (*)();
Q_DECLARE_METATYPE(Category)

// Each layer writes under a category of its own. Its debug and info lines stay
// quiet until a logging rule asks for them, so a normal run writes nothing,
// while warnings still get through.
class TestLogCategories : public QObject
{
    Q_OBJECT
private slots:
    void quietUntilAsked_data()
    {
        QTest::addColumn<Category>("category");
        QTest::newRow("orvala.app") << Category(&lcApp);
        QTest::newRow("orvala.browse") << Category(&lcBrowse);
        QTest::newRow("orvala.database") << Category(&lcDatabase);
        QTest::newRow("orvala.framework") << Category(&lcFramework);
        QTest::newRow("orvala.picture") << Category(&lcPicture);
        QTest::newRow("orvala.table") << Category(&lcTable);
    }

    void quietUntilAsked()
    {
        QFETCH(Category, category);
        const QLoggingCategory& cat = category();
        QCOMPARE(QByteArray(cat.categoryName()), QByteArray(QTest::currentDataTag()));
        QVERIFY(!cat.isDebugEnabled());
        QVERIFY(!cat.isInfoEnabled());
        QVERIFY(cat.isWarningEnabled());

        QLoggingCategory::setFilterRules(QStringLiteral("orvala.*.debug=true"));
        const bool bAsked = cat.isDebugEnabled();
        QLoggingCategory::setFilterRules(QString());
        QVERIFY(bAsked);
        QVERIFY(!cat.isDebugEnabled());
    }
};

QTEST_GUILESS_MAIN(TestLogCategories)
#include "TestLogCategories.moc"
