#include "app/AppSession.h"
#include "app/CMainFrame.h"
#include "common/DbTestData.h"
#include "common/MessageBoxRecorder.h"
#include "common/TestWorkspace.h"
#include "db/CDao_Table.h"
#include "platform/database/CDaoDatabase.h"
#include "platform/framework/CMDIChildWnd.h"
#include "platform/framework/FileDialog.h"
#include "resources/resource.h"
#include "table/CListView_Drift.h"
#include "table/CListView_Table.h"

#include <QDir>
#include <QFile>
#include <QTest>

// Database > Check Database and its repairs, as the user runs them.
class TestDriftWindow : public QObject
{
    Q_OBJECT
private slots:
    void cleanup();
    void checkThenRepair();
    void nothingToReport();
    void followRenames();

private:
    void Start();
    void AddRecord(const QString& strName, const QString& strFolder, int nSize);
    CListView_Drift* Check();
    QString Folder(const QString& strName) const { return m_pWorkspace->Path() + u'/' + strName; }

    std::unique_ptr<CTestWorkspace> m_pWorkspace;
    std::unique_ptr<CAppSession> m_pSession;
};

namespace {
QStringList Column(QAbstractItemModel* pModel, int nColumn)
{
    QStringList ar;
    for (int i = 0; i < pModel->rowCount(); ++i)
        ar.append(pModel->index(i, nColumn).data().toString());
    return ar;
}
} // namespace

void TestDriftWindow::cleanup()
{
    SetFileDialogHook({});
    m_pSession.reset();
    m_pWorkspace.reset();
}

void TestDriftWindow::Start()
{
    m_pWorkspace = std::make_unique<CTestWorkspace>();
    m_pSession = std::make_unique<CAppSession>();
}

void TestDriftWindow::AddRecord(const QString& strName, const QString& strFolder, int nSize)
{
    CDaoDatabase* pDb = m_pSession->Frame()->GetPhotoDatabase().m_pCDaoDatabase.get();
    AddPhoto(pDb, QDateTime(QDate(2021, 6, 1), QTime(8, 0), Qt::UTC), strName, Folder(strFolder));
    pDb->Execute("UPDATE PHOTOS SET Size = ? WHERE Name = ?", {QString::number(nSize), strName});
}

CListView_Drift* TestDriftWindow::Check()
{
    CMainFrame* pFrame = m_pSession->Frame();
    if (!pFrame->SendCommand(ID_DATABASE_CHECK) || !pFrame->MDIGetActive())
        return nullptr;
    auto* pView = dynamic_cast<CListView_Drift*>(pFrame->MDIGetActive()->GetActiveView());
    if (pView && !QTest::qWaitFor([pView] { return !pView->IsChecking(); }))
        return nullptr;
    return pView;
}

void TestDriftWindow::checkThenRepair()
{
    Start();
    m_pWorkspace->WriteFile("album/a.jpg", QByteArray(10, 'a'));
    m_pWorkspace->WriteFile("album/c.jpg", QByteArray(30, 'c'));
    // "trip" was renamed "trip 2021", and z.jpg deleted on the way.
    m_pWorkspace->WriteFile("trip 2021/x.jpg", QByteArray(5, 'x'));
    m_pWorkspace->WriteFile("trip 2021/day2/y.jpg", QByteArray(6, 'y'));
    for (const char* pszName : {"a.jpg", "b.jpg", "c.jpg"})
        AddRecord(pszName, "album", 10);
    AddRecord("x.jpg", "trip", 5);
    AddRecord("y.jpg", "trip/day2", 6);
    AddRecord("z.jpg", "trip", 7);
    const auto files = FolderChecksums(Folder("album"));
    CMainFrame* pFrame = m_pSession->Frame();
    QVERIFY(pFrame->SendCommand(ID_DATABASE_SHOWTABLE));
    auto* pTable = dynamic_cast<CListView_Table*>(pFrame->MDIGetActive()->GetActiveView());
    QVERIFY(pTable);

    CListView_Drift* pDrift = Check();
    QVERIFY(pDrift);
    CDriftRowModel* pModel = pDrift->RowModel();
    QCOMPARE(Column(pModel, CDriftRowModel::Problem),
             (QStringList{"Folder missing", "Folder missing", "File missing", "Size differs"}));
    QCOMPARE(Column(pModel, CDriftRowModel::Name), (QStringList{"", "", "b.jpg", "c.jpg"}));
    QCOMPARE(Column(pModel, CDriftRowModel::DiskSize), (QStringList{"", "", "", "30"}));

    CMessageBoxRecorder answers;
    SetFileDialogHook([this](bool, const QString&, const QString&) { return Folder("trip 2021"); });
    pDrift->selectRow(0);
    QVERIFY(pFrame->SendCommand(ID_DATABASE_LOCATEFOLDER));
    QCOMPARE(answers.m_arTexts.value(0),
             QStringLiteral("2 record(s) of \"%1\" now point into \"%2\". 1 record(s) stay as "
                            "they were: their pictures are not in \"%2\".")
                 .arg(Folder("trip"), Folder("trip 2021")));
    QCOMPARE(Column(pModel, CDriftRowModel::Records), (QStringList{"1", "1", "1"}));
    QCOMPARE(Column(pTable->RowModel(), PhotoColumn(EPhotoField::Directory)),
             (QStringList{Folder("album"), Folder("album"), Folder("album"), Folder("trip 2021"),
                          Folder("trip 2021/day2"), Folder("trip")}));

    pDrift->clearSelection();
    QVERIFY(pFrame->SendCommand(ID_DATABASE_UPDATESIZES));
    QCOMPARE(pTable->RowModel()->Record(2).m_nSize, qint64(30));

    QVERIFY(pFrame->SendCommand(ID_DATABASE_REMOVERECORDS));
    QVERIFY(answers.m_arTexts.value(1).startsWith("Remove the 2 record(s)"));
    QCOMPARE(pModel->rowCount(), 0);
    QCOMPARE(Column(pTable->RowModel(), PhotoColumn(EPhotoField::Name)),
             (QStringList{"a.jpg", "c.jpg", "x.jpg", "y.jpg"}));
    QCOMPARE(m_pSession->Frame()->GetPhotoDatabase().CountRecords("PHOTOS"), 4);
    QCOMPARE(FolderChecksums(Folder("album")), files);
}

void TestDriftWindow::nothingToReport()
{
    Start();
    m_pWorkspace->WriteFile("album/a.jpg", QByteArray(10, 'a'));
    AddRecord("a.jpg", "album", 10);
    CMessageBoxRecorder answers;
    QVERIFY(Check());
    QCOMPARE(answers.m_arTexts,
             QStringList{"Every record's picture is in its folder, at the size recorded."});
    QTRY_VERIFY(!m_pSession->Frame()->MDIGetActive());

    // Closed while it checks, the window waits for its thread and goes.
    for (int i = 0; i < 300; ++i)
        AddRecord(QStringLiteral("%1.jpg").arg(i), QStringLiteral("gone/%1").arg(i), 1);
    QVERIFY(m_pSession->Frame()->SendCommand(ID_DATABASE_CHECK));
    m_pSession->Frame()->MDIGetActive()->close();
    QTest::qWait(20);
    QTRY_VERIFY(!m_pSession->Frame()->MDIGetActive());
}

void TestDriftWindow::followRenames()
{
    Start();
    // Recorded before fingerprints: found by size, date and extension.
    AddRecord("IMG_10.JPG", "album", 10);
    CDao_Table& table = m_pSession->Frame()->GetPhotoDatabase();
    table.SaveEditedTexts(1, {}, {"Trips", "Sea"});
    m_pWorkspace->WriteFile("album/IMG_10_renamed.JPG", QByteArray(10, 'a'));
    QFile file(Folder("album/IMG_10_renamed.JPG"));
    QVERIFY(file.open(QIODevice::ReadWrite));
    QVERIFY(file.setFileTime(QDateTime(QDate(2021, 6, 1), QTime(8, 0)),
                             QFileDevice::FileModificationTime));
    file.close();

    CListView_Drift* pDrift = Check();
    QVERIFY(pDrift);
    CDriftRowModel* pModel = pDrift->RowModel();
    QCOMPARE(Column(pModel, CDriftRowModel::Problem), QStringList{"Renamed"});
    QCOMPARE(Column(pModel, CDriftRowModel::Name),
             QStringList{"IMG_10.JPG \u2192 IMG_10_renamed.JPG"});
    CMessageBoxRecorder answers;
    QVERIFY(m_pSession->Frame()->SendCommand(ID_DATABASE_REMOVERECORDS));
    QCOMPARE(answers.m_arTexts, QStringList{"No record here misses its picture."});
    QVERIFY(m_pSession->Frame()->SendCommand(ID_DATABASE_FOLLOWRENAMES));
    QCOMPARE(pModel->rowCount(), 0);
    const std::optional<SPhotoRecord> record = table.ReadRecord(1);
    QVERIFY(record);
    QCOMPARE(record->m_strName, QStringLiteral("IMG_10_renamed.JPG"));
    QCOMPARE(record->m_strTheme + record->m_strComment, QStringLiteral("TripsSea"));
}

QTEST_MAIN(TestDriftWindow)
#include "TestDriftWindow.moc"
