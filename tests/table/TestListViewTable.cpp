#include "app/AppSession.h"
#include "app/CMainFrame.h"
#include "common/DbTestData.h"
#include "common/MessageBoxRecorder.h"
#include "common/TestBackend.h"
#include "common/TestWorkspace.h"
#include "db/CDao_Table.h"
#include "db/CDao_TableInfo.h"
#include "platform/database/CDaoDatabase.h"
#include "platform/framework/CDocument.h"
#include "platform/framework/CMDIChildWnd.h"
#include "platform/framework/CProgressCtrl.h"
#include "platform/framework/CStatusBar.h"
#include "resources/resource.h"
#include "table/CListView_Table.h"

#include <QHeaderView>
#include <QTest>

// A table window filled from a real photo database inside a running
// program: the file, and a PostgreSQL server.
class TestListViewTable : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase_data();
    void init();
    void emptyTable();
    void rowsAndTexts();
    void sortClicks_data();
    void sortClicks();
    void filterShowsMatchesOnly();
    void statusPaneNamesCurrentRow();

private:
    // Show Table, or a table window of the records matching the filter.
    static CListView_Table* OpenTable(CMainFrame* pFrame, const QString& strFilter = QString());
    static QStringList Column(CListView_Table* pView, int nColumn);

    CTestBackend m_backend;
};

namespace {
QDateTime Wall(int nYear, int nMonth, int nDay, int nHour = 12)
{
    return QDateTime(QDate(nYear, nMonth, nDay), QTime(nHour, 0), Qt::UTC);
}
} // namespace

void TestListViewTable::initTestCase_data()
{
    CTestBackend::AddRows();
}

void TestListViewTable::init()
{
    if (!m_backend.Begin())
        QSKIP(qPrintable(m_backend.WhySkipped()));
    CListView_Table::s_bDescending = false;
}

CListView_Table* TestListViewTable::OpenTable(CMainFrame* pFrame, const QString& strFilter)
{
    if (strFilter.isEmpty() ? !pFrame->SendCommand(ID_DATABASE_SHOWTABLE)
                            : !pFrame->OpenTableWindow(strFilter))
        return nullptr;
    if (!pFrame->MDIGetActive())
        return nullptr;
    return dynamic_cast<CListView_Table*>(pFrame->MDIGetActive()->GetActiveView());
}

QStringList TestListViewTable::Column(CListView_Table* pView, int nColumn)
{
    QStringList ar;
    for (int i = 0; i < pView->RowModel()->rowCount(); ++i)
        ar.append(pView->RowModel()->index(i, nColumn).data().toString());
    return ar;
}

void TestListViewTable::emptyTable()
{
    CTestWorkspace ws;
    m_backend.ChooseForProgram();
    CAppSession session;
    CListView_Table* pView = OpenTable(session.Frame());
    QVERIFY(pView);
    QCOMPARE(pView->RowModel()->rowCount(), 0);
    QStringList arHeadings;
    for (int i = 0; i < pView->RowModel()->columnCount(); ++i)
        arHeadings.append(pView->RowModel()->headerData(i, Qt::Horizontal).toString());
    QCOMPARE(arHeadings, (QStringList{"ID_Photo", "Date", "Name", "Extention", "Size", "Directory",
                                      "Theme", "Comment"}));
    QCOMPARE(pView->horizontalHeader()->sectionSize(0), 4);
    QCOMPARE(pView->horizontalHeader()->sectionSize(5), 250);
    QCOMPARE(CProgressCtrl::GetActive(), nullptr);
    QCOMPARE(pView->GetDocument()->GetTitle(), QStringLiteral("PHOTOS TABLE"));
    QCOMPARE(session.Frame()->GetPhotoDatabase().m_pCDaoDatabase->IsServer(), m_backend.IsServer());
}

void TestListViewTable::rowsAndTexts()
{
    CTestWorkspace ws;
    m_backend.ChooseForProgram();
    CAppSession session;
    CDaoDatabase* pDb = session.Frame()->GetPhotoDatabase().m_pCDaoDatabase.get();
    AddPhoto(pDb, Wall(2006, 12, 7), "a.jpg", "/photos", "Trips", "sea");
    AddPhoto(pDb, Wall(1950, 3, 4), "b.gif", "/old");
    CListView_Table* pView = OpenTable(session.Frame());
    QVERIFY(pView);
    QStringList arRow;
    for (int i = 0; i < pView->RowModel()->columnCount(); ++i)
        arRow.append(pView->RowModel()->index(0, i).data().toString());
    QCOMPARE(arRow,
             (QStringList{"1", "12/07/06", "a.jpg", "jpg", "1234", "/photos", "Trips", "sea"}));
    QCOMPARE(pView->RowModel()->index(1, PhotoColumn(EPhotoField::Date)).data().toString(),
             QStringLiteral("03/04/50"));
    QCOMPARE(pView->RowModel()
                     ->data(pView->RowModel()->index(0, PhotoColumn(EPhotoField::Size)),
                            Qt::TextAlignmentRole)
                     .value<Qt::Alignment>() &
                 Qt::AlignHorizontal_Mask,
             Qt::AlignRight);
}

void TestListViewTable::sortClicks_data()
{
    QTest::addColumn<int>("column");
    QTest::addColumn<QStringList>("firstClick");  // descending
    QTest::addColumn<QStringList>("secondClick"); // ascending, in a second window
    // Records by id: 1..10; names z, y, x, ... ; dates alternate years.
    QTest::newRow("ID_Photo as numbers")
        << 0 << QStringList{"10", "9", "8", "7", "6", "5", "4", "3", "2", "1"}
        << QStringList{"1", "2", "3", "4", "5", "6", "7", "8", "9", "10"};
    QTest::newRow("Date by time, ties reversed descending")
        << 1 << QStringList{"9", "7", "5", "3", "1", "10", "8", "6", "4", "2"}
        << QStringList{"2", "4", "6", "8", "10", "1", "3", "5", "7", "9"};
    QTest::newRow("Theme as text, ties stable")
        << 6 << QStringList{"9", "7", "5", "3", "1", "10", "8", "6", "4", "2"}
        << QStringList{"2", "4", "6", "8", "10", "1", "3", "5", "7", "9"};
}

void TestListViewTable::sortClicks()
{
    QFETCH(int, column);
    QFETCH(QStringList, firstClick);
    QFETCH(QStringList, secondClick);
    CTestWorkspace ws;
    m_backend.ChooseForProgram();
    CAppSession session;
    CDaoDatabase* pDb = session.Frame()->GetPhotoDatabase().m_pCDaoDatabase.get();
    for (int i = 1; i <= 10; ++i) {
        // Odd ids in January 2007 and theme "beach", even ones in December 2006 and "Beach".
        const bool bOdd = i % 2 == 1;
        AddPhoto(pDb, bOdd ? Wall(2007, 1, 5) : Wall(2006, 12, 7), QStringLiteral("p%1.jpg").arg(i),
                 "/p", bOdd ? "beach" : "Beach");
    }
    CListView_Table* pFirst = OpenTable(session.Frame());
    QVERIFY(pFirst);
    QHeaderView* pHeader = pFirst->horizontalHeader();
    pFirst->scrollTo(pFirst->RowModel()->index(0, column));
    // The middle of the heading: its edges resize the column.
    const int nX = pHeader->sectionViewportPosition(column) + pHeader->sectionSize(column) / 2;
    QVERIFY(pHeader->isSortIndicatorShown());
    QCOMPARE(pHeader->sortIndicatorSection(), -1);
    QTest::mouseClick(pHeader->viewport(), Qt::LeftButton, {}, QPoint(nX, 5));
    QCOMPARE(Column(pFirst, 0), firstClick);
    QCOMPARE(pHeader->sortIndicatorSection(), column);
    QCOMPARE(pHeader->sortIndicatorOrder(), Qt::DescendingOrder);

    CListView_Table* pSecond = OpenTable(session.Frame());
    QVERIFY(pSecond);
    pSecond->OnColumnClick(column);
    QCOMPARE(Column(pSecond, 0), secondClick);
}

void TestListViewTable::filterShowsMatchesOnly()
{
    CTestWorkspace ws;
    m_backend.ChooseForProgram();
    CAppSession session;
    CDaoDatabase* pDb = session.Frame()->GetPhotoDatabase().m_pCDaoDatabase.get();
    for (int i = 1; i <= 30; ++i)
        AddPhoto(pDb, Wall(2006, 1, 1), QStringLiteral("p%1.jpg").arg(i), "/p",
                 i % 10 == 0 ? "beach" : "town");
    CListView_Table* pView = OpenTable(session.Frame(), QStringLiteral("[Theme] LIKE '*beach*'"));
    QVERIFY(pView);
    QCOMPARE(Column(pView, 0), (QStringList{"10", "20", "30"}));
    // The fill's text leaves with it, though the new window had no focus then.
    QCOMPARE(session.Frame()->GetStatusBar()->GetPaneText(0).trimmed(), QString());
}

void TestListViewTable::statusPaneNamesCurrentRow()
{
    CTestWorkspace ws;
    m_backend.ChooseForProgram();
    CAppSession session;
    CDaoDatabase* pDb = session.Frame()->GetPhotoDatabase().m_pCDaoDatabase.get();
    for (int i = 1; i <= 42; ++i)
        AddPhoto(pDb, Wall(2006, 1, 1), QStringLiteral("p%1.jpg").arg(i), "/p");
    CListView_Table* pView = OpenTable(session.Frame());
    QVERIFY(pView);
    CStatusBar* pStatus = session.Frame()->GetStatusBar();
    pView->selectRow(0);
    QCOMPARE(pStatus->GetPaneText(0), QStringLiteral(" Record:      1 /     42"));
    pView->selectRow(16);
    QCOMPARE(pStatus->GetPaneText(0), QStringLiteral(" Record:     17 /     42"));
    QCOMPARE(pView->CurrentRow(), 16);

    // The current record stays current where a sort moves it.
    CListView_Table::s_bDescending = false;
    pView->OnColumnClick(0);
    QCOMPARE(pView->CurrentRow(), 25);
    QCOMPARE(pStatus->GetPaneText(0), QStringLiteral(" Record:     26 /     42"));

    // Deleting it makes the row that takes its place current.
    CMessageBoxRecorder recorder;
    QTest::keyClick(pView, Qt::Key_Delete);
    QCOMPARE(recorder.m_arTexts, QStringList{"Delete a record \"p17.jpg\" from Table?"});
    QCOMPARE(pStatus->GetPaneText(0), QStringLiteral(" Record:     26 /     41"));

    session.Frame()->MDIGetActive()->close();
    QTRY_COMPARE(pStatus->GetPaneText(0), QString());
}

QTEST_MAIN(TestListViewTable)
#include "TestListViewTable.moc"
