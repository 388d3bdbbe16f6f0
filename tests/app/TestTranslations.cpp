#include "AppSession.h"
#include "app/CMainFrame.h"
#include "app/COrvalaApp.h"
#include "common/DbTestData.h"
#include "common/TestPictures.h"
#include "common/TestWorkspace.h"
#include "platform/framework/AfxIds.h"
#include "platform/framework/CMDIChildWnd.h"
#include "platform/framework/CStatusBar.h"
#include "platform/framework/CTranslations.h"
#include "resources/resource.h"
#include "table/CListView_Drift.h"

#include <QApplication>
#include <QLabel>
#include <QMenuBar>
#include <QProcess>
#include <QRegularExpression>
#include <QTableView>
#include <QTest>
#include <QTimer>
#include <QToolBar>

namespace {

// The program's German translation, marking the start of each line it gives:
// a text shown without the mark did not come through it.
constexpr QChar kMark(0x200B);
class CMarkingTranslator : public QTranslator
{
public:
    QString translate(const char* szContext, const char* szSource, const char* szDisambiguation,
                      int n) const override
    {
        QString strText = QTranslator::translate(szContext, szSource, szDisambiguation, n);
        return strText.isEmpty() ? strText : kMark + strText.replace(u'\n', QString(u'\n') + kMark);
    }
};

} // namespace

// Every text of the program under its German translation: each source text
// has one, and every kind of window and every dialog shows them.
class TestTranslations : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void catalogueCoversTheSources();
    void windowsAndDialogsAreGerman();

private:
    CMarkingTranslator m_translator;
};

void TestTranslations::initTestCase()
{
    QVERIFY(CTranslations::LoadProgram(m_translator, QLocale(QLocale::German, QLocale::Austria)));
    QCoreApplication::installTranslator(&m_translator);
}

void TestTranslations::catalogueCoversTheSources()
{
    // The sources as they are now, read into a copy of the German file: a text
    // new in them comes in unfinished, one gone from them (every one, were the
    // sources not found) stays as vanished.
    QTemporaryDir dir;
    QFile ts(dir.filePath(QStringLiteral("orvala_de.ts")));
    QVERIFY(QFile::copy(QStringLiteral(ORVALA_TS_DE), ts.fileName()));
    QProcess lupdate;
    lupdate.start(ORVALA_LUPDATE,
                  {"-silent", "-locations", "none", "@" ORVALA_LUPDATE_LIST, "-ts", ts.fileName()});
    QVERIFY(lupdate.waitForFinished(120000) && lupdate.exitCode() == 0 && ts.open(QFile::ReadOnly));
    const QString strTs = QString::fromUtf8(ts.readAll());
    QStringList arOpen;
    static const QRegularExpression reOpen(
        QStringLiteral(
            "<source>([^<]*)</source>((?!</message>).)*(type=|<translation></|<numerusform></)"),
        QRegularExpression::DotMatchesEverythingOption);
    for (auto it = reOpen.globalMatch(strTs); it.hasNext();)
        arOpen.append(it.next().captured(1));
    QVERIFY2(arOpen.isEmpty(),
             qPrintable(QStringLiteral("Not translated, or gone:\n") + arOpen.join(u'\n')));
}

void TestTranslations::windowsAndDialogsAreGerman()
{
    CTestWorkspace workspace;
    CAppSession session;
    QVERIFY(session.Started());
    CMainFrame* pFrame = session.Frame();
    // The record of a picture that is gone keeps the check's window open.
    AddPhoto(pFrame->GetPhotoDatabase().m_pCDaoDatabase.get(), QDateTime(QDate(2021, 6, 1), {}),
             QStringLiteral("gone.jpg"), workspace.FilePath(QStringLiteral("gone")));
    QStringList arEnglish;
    const auto expectGerman = [&arEnglish](const QString& strShown) {
        if (!strShown.trimmed().isEmpty() && !strShown.contains(kMark))
            arEnglish.append(strShown);
    };
    const auto expectWindow = [&] {
        for (QAction* pMenu : pFrame->menuBar()->actions()) {
            expectGerman(pMenu->text());
            for (QAction* pItem : pMenu->menu()->actions()) {
                // Recent files are listed by name, as "&1 name".
                if (!pItem->text().contains(QRegularExpression(QStringLiteral("^&\\d "))))
                    expectGerman(pItem->text()), expectGerman(pItem->statusTip());
            }
        }
        CMDIChildWnd* pChild = pFrame->MDIGetActive();
        if (auto* pList = pChild ? pChild->findChild<QAbstractItemView*>() : nullptr) {
            expectGerman(pChild->windowTitle());
            for (int i = 0; i < pList->model()->columnCount(); ++i)
                expectGerman(pList->model()->headerData(i, Qt::Horizontal).toString());
        }
    };
    // Each dialog as the user opens it, looked at while it waits for an answer:
    // what labels, buttons and groups say; the values shown are data, selectable.
    const auto expectDialog = [&](int nID) {
        QTimer::singleShot(0, pFrame, [&] {
            QWidget* pDialog = QApplication::activeModalWidget();
            QVERIFY(pDialog);
            // A record's title is its picture's path.
            if (!pDialog->windowTitle().startsWith(u'/'))
                expectGerman(pDialog->windowTitle());
            for (QWidget* pWidget : pDialog->findChildren<QWidget*>()) {
                auto* pLabel = qobject_cast<QLabel*>(pWidget);
                const bool bGroup = pWidget->inherits("QGroupBox");
                if (pLabel ? !(pLabel->textInteractionFlags() & Qt::TextSelectableByMouse)
                           : bGroup || pWidget->inherits("QAbstractButton"))
                    expectGerman(pWidget->property(bGroup ? "title" : "text").toString());
                expectGerman(pWidget->toolTip());
            }
            pDialog->close();
        });
        QVERIFY(pFrame->SendCommand(nID));
    };
    expectWindow();
    for (QAction* pButton : pFrame->findChild<QToolBar*>()->actions())
        expectGerman(pButton->toolTip());
    expectDialog(ID_APP_ABOUT);
    expectDialog(ID_DATABASE_CHOOSE);
    QVERIFY(session.App().OpenDocumentFile(
        workspace.WriteFile(QStringLiteral("a.jpg"), MakeJpeg("2006:12:07 14:03:22"))));
    expectWindow();
    expectDialog(ID_VIEW_PROPERTIES);
    expectDialog(ID_VIEW_PICTUREINFO);
    QVERIFY(pFrame->SendCommand(ID_DATABASE_SHOWTABLE));
    expectWindow();
    pFrame->MDIGetActive()->findChild<QTableView*>()->selectRow(0);
    expectDialog(ID_DATABASE_SHOWRECORD);
    expectDialog(ID_DATABASE_FINDRECORDS);
    QVERIFY(pFrame->SendCommand(ID_DATABASE_CHECK));
    auto* pCheck = dynamic_cast<CListView_Drift*>(pFrame->MDIGetActive()->GetActiveView());
    QVERIFY(pCheck && QTest::qWaitFor([pCheck] { return !pCheck->IsChecking(); }));
    expectWindow();
    expectGerman(pFrame->findChild<CStatusBar*>()->GetPaneText(0));
    QVERIFY2(arEnglish.isEmpty(), qPrintable(arEnglish.join(u'\n')));
}

QTEST_MAIN(TestTranslations)
#include "TestTranslations.moc"
