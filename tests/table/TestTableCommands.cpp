#include "app/AppSession.h"
#include "app/CMainFrame.h"
#include "browse/COrvalaDoc.h"
#include "browse/COrvalaView.h"
#include "common/DbTestData.h"
#include "common/MessageBoxRecorder.h"
#include "common/TestBackend.h"
#include "common/TestPictures.h"
#include "common/TestWorkspace.h"
#include "db/CDao_Table.h"
#include "db/CDia_Record.h"
#include "platform/database/CDaoDatabase.h"
#include "platform/database/CDaoRecordset.h"
#include "platform/framework/CDocument.h"
#include "platform/framework/CMDIChildWnd.h"
#include "resources/resource.h"
#include "table/CListView_Table.h"

#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QMdiArea>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTest>

// Find, Delete, Show Record and the keys of a table window, on a real
// database: the file, and a PostgreSQL server.
class TestTableCommands : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase_data();
    void initTestCase();
    void init();
    void cleanup();
    void find_data();
    void find();
    void deleteRecords_data();
    void deleteRecords();
    void deleteWhileLocked();
    void findWhileLocked();
    void noCurrentRow_data();
    void noCurrentRow();
    void ctrlEnterShowsRecord();
    void currentRecordFollowsSortAndDelete();
    void savedRecordReachesEveryWindow();
    void enterOpensRecordPicture();
    void slideShowOfSelectedRecords();

private:
    void Start();
    void AddRecords();
    CListView_Table* OpenTable();
    static QStringList Ids(CListView_Table* pView);
    QStringList StoredIds();

    std::unique_ptr<CTestWorkspace> m_pWorkspace;
    std::unique_ptr<CAppSession> m_pSession;
    CTestBackend m_backend;
};

namespace {
QDateTime Wall(int nYear, int nMonth, int nDay, int nHour, int nMinute = 0)
{
    return QDateTime(QDate(nYear, nMonth, nDay), QTime(nHour, nMinute), Qt::UTC);
}

void TypeIntoFind(const QString& strText)
{
    CDialog::SetModalHook([strText](CDialog* pDialog) {
        pDialog->findChild<QLineEdit*>()->setText(strText);
        for (QPushButton* pButton : pDialog->findChildren<QPushButton*>()) {
            if (pButton->text() == QLatin1String("OK"))
                pButton->click();
        }
        return pDialog->result() == QDialog::Accepted ? int(IDOK) : int(IDCANCEL);
    });
}
} // namespace

void TestTableCommands::initTestCase_data()
{
    CTestBackend::AddRows();
}

void TestTableCommands::initTestCase()
{
    CDaoDatabase::SetBusyTimeout(100);
}

void TestTableCommands::init()
{
    if (!m_backend.Begin())
        QSKIP(qPrintable(m_backend.WhySkipped()));
    // A dialog nobody expects fails the test instead of waiting for a user.
    CDialog::SetModalHook([](CDialog* pDialog) {
        QTest::qFail(qPrintable(pDialog->windowTitle() + " opened"), __FILE__, __LINE__);
        return int(IDCANCEL);
    });
}

void TestTableCommands::cleanup()
{
    CDialog::SetModalHook({});
    m_pSession.reset();
    m_pWorkspace.reset();
}

// The program started on this row's database, empty.
void TestTableCommands::Start()
{
    m_pWorkspace = std::make_unique<CTestWorkspace>();
    m_backend.ChooseForProgram();
    m_pSession = std::make_unique<CAppSession>();
    QCOMPARE(m_pSession->Frame()->GetPhotoDatabase().m_pCDaoDatabase->IsServer(),
             m_backend.IsServer());
}

void TestTableCommands::AddRecords()
{
    Start();
    CDaoDatabase* pDb = m_pSession->Frame()->GetPhotoDatabase().m_pCDaoDatabase.get();
    AddPhoto(pDb, Wall(2006, 12, 7, 0, 0), "beach.jpg", "/p");
    AddPhoto(pDb, Wall(2006, 12, 7, 23, 59), "b.jpg", "/p", "beach trip");
    AddPhoto(pDb, Wall(2006, 7, 12, 10, 30), "c.jpg", "/p", "", "O'Brien's dog");
    AddPhoto(pDb, Wall(1950, 3, 4, 12), "d.jpg", "/old", "100%");
    AddPhoto(pDb, Wall(2006, 12, 8, 0, 0), "e.jpg", "/p", "[x]", "*");
}

CListView_Table* TestTableCommands::OpenTable()
{
    CMainFrame* pFrame = m_pSession->Frame();
    if (!pFrame->SendCommand(ID_DATABASE_SHOWTABLE) || !pFrame->MDIGetActive())
        return nullptr;
    return dynamic_cast<CListView_Table*>(pFrame->MDIGetActive()->GetActiveView());
}

QStringList TestTableCommands::Ids(CListView_Table* pView)
{
    QStringList ar;
    for (int i = 0; i < pView->RowModel()->rowCount(); ++i)
        ar.append(pView->RowModel()->index(i, 0).data().toString());
    return ar;
}

QStringList TestTableCommands::StoredIds()
{
    CDaoRecordset recordset(m_pSession->Frame()->GetPhotoDatabase().m_pCDaoDatabase.get());
    recordset.Open(AFX_DAO_USE_DEFAULT_TYPE,
                   QStringLiteral("SELECT * FROM PHOTOS ORDER BY ID_Photo"));
    QStringList ar;
    for (; !recordset.IsEOF(); recordset.MoveNext())
        ar.append(recordset.GetFieldValue(PhotoFieldName(EPhotoField::ID_Photo)).toString());
    return ar;
}

void TestTableCommands::find_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("found");
    QTest::newRow("a day, any time of it") << "12/7/2006" << QStringList{"1", "2"};
    QTest::newRow("month first") << "7/12/2006" << QStringList{"3"};
    QTest::newRow("date with a time: the whole day")
        << "Dec 7 2006 10:30 PM" << QStringList{"1", "2"};
    QTest::newRow("before 1970") << "3/4/1950" << QStringList{"4"};
    QTest::newRow("day-month name-year") << "7-Dec-2006" << QStringList{"1", "2"};
    QTest::newRow("a time alone: its day zero") << "10:30" << QStringList{};
    QTest::newRow("text in Name or Theme") << "beach" << QStringList{"1", "2"};
    QTest::newRow("empty text: everything") << "" << QStringList{"1", "2", "3", "4", "5"};
    QTest::newRow("quote") << "O'Brien" << QStringList{"3"};
    QTest::newRow("percent is no pattern") << "100%" << QStringList{"4"};
    QTest::newRow("brackets are no pattern") << "[x]" << QStringList{"5"};
    QTest::newRow("star is no pattern") << "*" << QStringList{"5"};
    QTest::newRow("nothing") << "mountain" << QStringList{};
}

void TestTableCommands::find()
{
    QFETCH(QString, text);
    QFETCH(QStringList, found);
    AddRecords();
    CListView_Table* pTable = OpenTable();
    QVERIFY(pTable);
    TypeIntoFind(text);
    CMessageBoxRecorder recorder;
    QVERIFY(m_pSession->Frame()->SendCommand(ID_DATABASE_FINDRECORDS));
    const auto active = [this] {
        return dynamic_cast<CListView_Table*>(m_pSession->Frame()->MDIGetActive()->GetActiveView());
    };
    if (found.isEmpty()) {
        // Said, instead of an empty window.
        QCOMPARE(recorder.m_arTexts,
                 QStringList{QStringLiteral("No records match \"%1\".").arg(text)});
        QTRY_COMPARE(active(), pTable);
        return;
    }
    QVERIFY(recorder.m_arTexts.isEmpty());
    CListView_Table* pFound = active();
    QVERIFY(pFound && pFound != pTable);
    QCOMPARE(Ids(pFound), found);
    QCOMPARE(pFound->GetDocument()->GetTitle(),
             QStringLiteral("The Records found by \"%1\"").arg(text));
    QCOMPARE(Ids(pTable).size(), 5);
    QCOMPARE(Ids(OpenTable()).size(), 5);
    QCOMPARE(StoredIds().size(), 5);
}

void TestTableCommands::deleteRecords_data()
{
    QTest::addColumn<QList<int>>("selected"); // rows
    QTest::addColumn<int>("answer");
    QTest::addColumn<bool>("goneBefore"); // the first selected record deleted elsewhere first
    QTest::addColumn<QStringList>("messages");
    QTest::addColumn<QStringList>("left"); // in the list and the table
    QTest::newRow("nothing selected") << QList<int>{} << int(IDYES) << false
                                      << QStringList{"Please select a record(s) for delete."}
                                      << QStringList{"1", "2", "3", "4", "5"};
    QTest::newRow("one row, No") << QList<int>{0} << int(IDNO) << false
                                 << QStringList{"Delete a record \"beach.jpg\" from Table?"}
                                 << QStringList{"1", "2", "3", "4", "5"};
    QTest::newRow("one row, Yes") << QList<int>{2} << int(IDYES) << false
                                  << QStringList{"Delete a record \"c.jpg\" from Table?"}
                                  << QStringList{"1", "2", "4", "5"};
    QTest::newRow("three rows, Yes")
        << QList<int>{0, 2, 4} << int(IDYES) << false
        << QStringList{"Delete those 3 records from Table?"} << QStringList{"2", "4"};
    QTest::newRow("record already gone leaves the list")
        << QList<int>{1, 3} << int(IDYES) << true
        << QStringList{"Delete those 2 records from Table?"} << QStringList{"1", "3", "5"};
}

void TestTableCommands::deleteRecords()
{
    QFETCH(QList<int>, selected);
    QFETCH(int, answer);
    QFETCH(bool, goneBefore);
    QFETCH(QStringList, messages);
    QFETCH(QStringList, left);
    AddRecords();
    CListView_Table* pOther = OpenTable();
    CListView_Table* pTable = OpenTable();
    QVERIFY(pTable && pOther);
    for (int nRow : selected)
        pTable->selectionModel()->select(pTable->RowModel()->index(nRow, 0),
                                         QItemSelectionModel::Select | QItemSelectionModel::Rows);
    if (goneBefore) {
        CDaoRecordset recordset(m_pSession->Frame()->GetPhotoDatabase().m_pCDaoDatabase.get());
        recordset.Open(AFX_DAO_USE_DEFAULT_TYPE, QStringLiteral("SELECT * FROM PHOTOS"));
        QVERIFY(recordset.FindFirst(QStringLiteral("ID_Photo=%1").arg(selected.first() + 1)));
        recordset.Delete();
    }
    CMessageBoxRecorder recorder;
    recorder.QueueAnswer(answer);
    QTest::keyClick(pTable, Qt::Key_Delete);
    QCOMPARE(recorder.m_arTexts, messages);
    QCOMPARE(Ids(pTable), left);
    QCOMPARE(Ids(pOther), left);
    QCOMPARE(StoredIds(), left);
    QVERIFY(pTable->isVisible());
}

void TestTableCommands::deleteWhileLocked()
{
    AddRecords();
    CListView_Table* pTable = OpenTable();
    QVERIFY(pTable);
    QTest::keyClick(pTable, Qt::Key_A, Qt::ControlModifier);
    QCOMPARE(pTable->selectionModel()->selectedRows().size(), 5);
    QCOMPARE(pTable->CurrentRow(), 4);

    // Another program holds the write lock past the wait.
    CDaoDatabase locker;
    m_backend.OpenOther(locker);
    locker.BeginTrans();
    CMessageBoxRecorder recorder;
    QTest::keyClick(pTable, Qt::Key_Delete);
    locker.Rollback();

    // The question, then what went wrong; nothing half-done.
    QCOMPARE(recorder.m_arTexts,
             (QStringList{
                 "Delete those 5 records from Table?",
                 QStringLiteral("Database \"%1\" is locked by another program.")
                     .arg(m_pSession->Frame()->GetPhotoDatabase().m_pCDaoDatabase->GetName())}));
    QCOMPARE(Ids(pTable).size(), 5);
    QCOMPARE(StoredIds().size(), 5);
    QVERIFY(pTable->isVisible());
}

void TestTableCommands::findWhileLocked()
{
    if (m_backend.IsServer())
        QSKIP("A server's readers never wait for its writers.");
    AddRecords();
    QVERIFY(OpenTable());
    const int nWindows = m_pSession->Frame()->MDIClient()->subWindowList().size();
    QSqlDatabase locker = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), "locker");
    locker.setDatabaseName(m_pWorkspace->FilePath(QStringLiteral("Photos.mdb")));
    QVERIFY(locker.open());
    QVERIFY(QSqlQuery(locker).exec(QStringLiteral("BEGIN EXCLUSIVE")));
    CMessageBoxRecorder recorder;
    TypeIntoFind(QStringLiteral("beach"));
    m_pSession->Frame()->SendCommand(ID_DATABASE_FINDRECORDS);
    QVERIFY(QSqlQuery(locker).exec(QStringLiteral("ROLLBACK")));
    locker.close();
    locker = QSqlDatabase();
    QSqlDatabase::removeDatabase(QStringLiteral("locker"));

    // What went wrong is said once; no filter is left for the next window.
    QCOMPARE(recorder.m_arTexts.size(), 1);
    QCOMPARE(Ids(OpenTable()).size(), 5);
    QTRY_COMPARE(m_pSession->Frame()->MDIClient()->subWindowList().size(), nWindows + 1);
}

void TestTableCommands::noCurrentRow_data()
{
    QTest::addColumn<bool>("empty");
    QTest::addColumn<QString>("action");
    QTest::addColumn<QString>("message");
    QTest::newRow("Show Record") << false << "command"
                                 << "Please select a Record to show.";
    QTest::newRow("Enter") << false << "enter"
                           << "Please select a Record to show.";
    QTest::newRow("Ctrl+double click") << false << "ctrl-dblclick"
                                       << "Please select a Record to show.";
    QTest::newRow("double click, no rows") << true << "dblclick"
                                           << "No records in a Table.";
}

void TestTableCommands::noCurrentRow()
{
    QFETCH(bool, empty);
    QFETCH(QString, action);
    QFETCH(QString, message);
    if (empty)
        Start();
    else
        AddRecords();
    CListView_Table* pTable = OpenTable();
    QVERIFY(pTable);
    CMessageBoxRecorder recorder;
    const QPoint pt(20, 5);
    if (action == QLatin1String("command"))
        QVERIFY(m_pSession->Frame()->SendCommand(ID_DATABASE_SHOWRECORD));
    else if (action == QLatin1String("enter"))
        QTest::keyClick(pTable, Qt::Key_Return);
    else
        QTest::mouseDClick(
            pTable->viewport(), Qt::LeftButton,
            action == QLatin1String("ctrl-dblclick") ? Qt::ControlModifier : Qt::NoModifier, pt);
    QCOMPARE(recorder.m_arTexts, QStringList{message});
}

void TestTableCommands::ctrlEnterShowsRecord()
{
    AddRecords();
    CListView_Table* pTable = OpenTable();
    QVERIFY(pTable);
    pTable->selectRow(3);
    QString strCaption;
    CDialog::SetModalHook([&](CDialog* pDialog) {
        strCaption = pDialog->windowTitle();
        return int(IDCANCEL);
    });
    QTest::keyClick(pTable, Qt::Key_Return, Qt::ControlModifier);
    QCOMPARE(strCaption, QStringLiteral("/old/d.jpg"));
}

void TestTableCommands::currentRecordFollowsSortAndDelete()
{
    AddRecords();
    CListView_Table* pTable = OpenTable();
    QVERIFY(pTable);
    QString strCaption;
    CDialog::SetModalHook([&](CDialog* pDialog) {
        strCaption = pDialog->windowTitle();
        return int(IDCANCEL);
    });
    pTable->selectRow(3);
    // Newest first: d.jpg, of 1950, moves to the last row.
    CListView_Table::s_bDescending = false;
    pTable->OnColumnClick(PhotoColumn(EPhotoField::Date));
    QTest::keyClick(pTable, Qt::Key_Return, Qt::ControlModifier);
    QCOMPARE(strCaption, QStringLiteral("/old/d.jpg"));

    // Deleted at the end, the one before is highlighted and acted on.
    CMessageBoxRecorder recorder;
    recorder.QueueAnswer(IDYES);
    QTest::keyClick(pTable, Qt::Key_Delete);
    QCOMPARE(pTable->selectionModel()->selectedRows().size(), 1);
    QCOMPARE(pTable->selectionModel()->selectedRows().first().row(), 3);
    QTest::keyClick(pTable, Qt::Key_Return, Qt::ControlModifier);
    QCOMPARE(strCaption, QStringLiteral("/p/c.jpg"));

    // None left: nothing to act on, and the program says so.
    QTest::keyClick(pTable, Qt::Key_A, Qt::ControlModifier);
    recorder.QueueAnswer(IDYES);
    QTest::keyClick(pTable, Qt::Key_Delete);
    strCaption.clear();
    QTest::keyClick(pTable, Qt::Key_Return);
    QTest::keyClick(pTable, Qt::Key_Return, Qt::ControlModifier);
    QCOMPARE(strCaption, QString());
    QCOMPARE(recorder.m_arTexts.mid(2),
             QStringList(2, QStringLiteral("Please select a Record to show.")));
}

void TestTableCommands::savedRecordReachesEveryWindow()
{
    AddRecords();
    CListView_Table* pFirst = OpenTable();
    CListView_Table* pSecond = OpenTable();
    QVERIFY(pFirst && pSecond);
    pSecond->selectRow(2);
    QStringList arShown; // theme and comment as each opening of the dialog shows them
    auto edit = [&](const QString& strTheme, const QString& strComment) {
        CDialog::SetModalHook([&, strTheme, strComment](CDialog* pDialog) {
            auto* pTheme = pDialog->findChild<QComboBox*>();
            auto* pComment = pDialog->findChild<QPlainTextEdit*>();
            arShown << pTheme->currentText() << pComment->toPlainText();
            if (!strTheme.isNull()) {
                pTheme->setEditText(strTheme);
                pComment->setPlainText(strComment);
            }
            for (QPushButton* pButton : pDialog->findChildren<QPushButton*>()) {
                if (pButton->text() == QLatin1String("OK"))
                    pButton->click();
            }
            return int(IDOK);
        });
        QTest::keyClick(pSecond, Qt::Key_Return, Qt::ControlModifier);
    };
    auto rowTexts = [](CListView_Table* pView) {
        const QAbstractItemModel* pModel = pView->model();
        return QStringList{pModel->index(2, PhotoColumn(EPhotoField::Theme)).data().toString(),
                           pModel->index(2, PhotoColumn(EPhotoField::Comment)).data().toString()};
    };
    edit(QStringLiteral("Zoo"), QStringLiteral("lion"));
    QCOMPARE(rowTexts(pFirst), (QStringList{"Zoo", "lion"}));
    QCOMPARE(rowTexts(pSecond), (QStringList{"Zoo", "lion"}));
    // Reopened, OK keeps what was saved.
    edit(QString(), QString());
    QCOMPARE(arShown, (QStringList{"", "O'Brien's dog", "Zoo", "lion"}));
    const auto stored = m_pSession->Frame()->GetPhotoDatabase().ReadRecord(3);
    QCOMPARE((QStringList{stored->m_strTheme, stored->m_strComment}), (QStringList{"Zoo", "lion"}));
}

void TestTableCommands::enterOpensRecordPicture()
{
    AddRecords();
    const QString strFolder = m_pWorkspace->FilePath(QStringLiteral("pics"));
    m_pWorkspace->WriteFile(QStringLiteral("pics/a.jpg"), EncodePicture("JPG", QSize(40, 30)));
    m_pWorkspace->WriteFile(QStringLiteral("pics/z.jpg"), EncodePicture("JPG", QSize(40, 30)));
    AddPhoto(m_pSession->Frame()->GetPhotoDatabase().m_pCDaoDatabase.get(), Wall(2007, 1, 2, 3),
             "a.jpg", strFolder);
    const int nStored = StoredIds().size();
    CListView_Table* pTable = OpenTable();
    QVERIFY(pTable);
    pTable->selectRow(5);
    QMdiArea* pArea = m_pSession->Frame()->MDIClient();
    const int nWindows = pArea->subWindowList().size();

    // A new window each time, titled with the picture's full path.
    for (int i = 1; i <= 2; ++i) {
        QTest::keyClick(pTable, Qt::Key_Return);
        QCOMPARE(pArea->subWindowList().size(), nWindows + i);
        auto* pChild = qobject_cast<CMDIChildWnd*>(pArea->currentSubWindow());
        QVERIFY(pChild);
        auto* pDoc = qobject_cast<COrvalaDoc*>(pChild->GetActiveDocument());
        QVERIFY(pDoc);
        QCOMPARE(pDoc->GetTitle(), strFolder + QStringLiteral("/a.jpg"));
        QVERIFY(pDoc->m_pPicture);
        QCOMPARE(pDoc->m_nPixelWidth, 40);
        pArea->setActiveSubWindow(pTable->GetParentFrame());
    }
    // Opened by the program, not the user: the folder is not imported.
    QCOMPARE(StoredIds().size(), nStored);
}

void TestTableCommands::slideShowOfSelectedRecords()
{
    AddRecords();
    // Ten pictures in one folder, records for three of them and one elsewhere.
    const QString strFolder = m_pWorkspace->FilePath(QStringLiteral("ten"));
    QVERIFY(QDir().mkpath(strFolder));
    QVERIFY(!WriteColourFolder(strFolder, 10).isEmpty());
    m_pWorkspace->WriteFile(QStringLiteral("other/x.jpg"), EncodePicture("JPG", QSize(40, 30)));
    CDaoDatabase* pDb = m_pSession->Frame()->GetPhotoDatabase().m_pCDaoDatabase.get();
    AddPhoto(pDb, Wall(2007, 1, 1, 1), "7.bmp", strFolder);
    AddPhoto(pDb, Wall(2007, 1, 1, 2), "x.jpg", m_pWorkspace->FilePath(QStringLiteral("other")));
    AddPhoto(pDb, Wall(2007, 1, 1, 3), "2.bmp", strFolder);
    CListView_Table* pTable = OpenTable();
    QVERIFY(pTable);
    CMainFrame* pFrame = m_pSession->Frame();

    {
        CMessageBoxRecorder recorder;
        QVERIFY(pFrame->SendCommand(ID_VIEW_SLIDESHOW));
        QCOMPARE(recorder.m_arTexts, QStringList{"Please select a records for Slideshow."});
        QCOMPARE(m_pSession->NewestPictureView(), nullptr);
    }

    // Rows 5, 6 and 7 hold 7.bmp, x.jpg and 2.bmp; selected from the last.
    pTable->selectionModel()->select(pTable->RowModel()->index(7, 0),
                                     QItemSelectionModel::Select | QItemSelectionModel::Rows);
    pTable->selectionModel()->select(pTable->RowModel()->index(5, 0),
                                     QItemSelectionModel::Select | QItemSelectionModel::Rows);
    pTable->selectionModel()->select(pTable->RowModel()->index(6, 0),
                                     QItemSelectionModel::Select | QItemSelectionModel::Rows);
    QVERIFY(pFrame->SendCommand(ID_VIEW_SLIDESHOW));
    QCOMPARE(pTable->CurrentRow(), 5);
    COrvalaView* pView = m_pSession->NewestPictureView();
    QVERIFY(pView);
    QVERIFY(pView->State().bSlideShow);
    // The three records' pictures, in table order, and nothing else.
    QCOMPARE(pView->State().nCount, 3);
    const QStringList arExpected{strFolder + QStringLiteral("/7.bmp"),
                                 m_pWorkspace->FilePath(QStringLiteral("other/x.jpg")),
                                 strFolder + QStringLiteral("/2.bmp")};
    QCOMPARE(pView->Pictures(), arExpected);

    // The show runs over the three, then gives back the record's picture.
    for (int i = 0; i < 3; ++i)
        pView->OnTimer(1);
    QCOMPARE(pView->GetPictureDoc()->GetTitle(), strFolder + QStringLiteral("/2.bmp"));
    pView->OnTimer(1);
    QVERIFY(!pView->State().bBusy);
    QCOMPARE(pView->GetPictureDoc()->GetTitle(), strFolder + QStringLiteral("/7.bmp"));

    // The first record's file gone: the window opens on the next one, and
    // the show skips the gone one.
    QVERIFY(QFile::remove(strFolder + QStringLiteral("/7.bmp")));
    m_pSession->Frame()->MDIClient()->setActiveSubWindow(pTable->GetParentFrame());
    CMessageBoxRecorder recorder;
    QVERIFY(pFrame->SendCommand(ID_VIEW_SLIDESHOW));
    QVERIFY(recorder.m_arTexts.isEmpty());
    COrvalaView* pNext = m_pSession->NewestPictureView();
    QVERIFY(pNext && pNext != pView && pNext->State().bSlideShow);
    pNext->OnTimer(1);
    QCOMPARE(pNext->GetPictureDoc()->GetTitle(),
             m_pWorkspace->FilePath(QStringLiteral("other/x.jpg")));
}

QTEST_MAIN(TestTableCommands)
#include "TestTableCommands.moc"
