// Times the record table on 100,000 generated records in a temporary folder:
// filling a table window, sorting by Name and by Size, finding by text and by
// date, deleting 1,000 selected records, and the memory a filled window adds.
// Prints one line per figure: name value unit.
#include "BenchCommon.h"

#include "app/AppSession.h"
#include "app/CMainFrame.h"
#include "common/MessageBoxRecorder.h"
#include "common/TestWorkspace.h"
#include "db/CDao_Table.h"
#include "db/CDao_TableInfo.h"
#include "platform/database/CDaoDatabase.h"
#include "platform/database/CDaoRecordset.h"
#include "platform/framework/CDialog.h"
#include "platform/framework/CMDIChildWnd.h"
#include "resources/resource.h"
#include "table/CListView_Table.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <cstdio>
#include <functional>

namespace {

constexpr int g_nRecords = 100000;

void Print(const char* pszName, double dValue, const char* pszUnit)
{
    std::printf("%s %.3f %s\n", pszName, dValue, pszUnit);
    std::fflush(stdout);
}

void FillDatabase(CDaoDatabase* pDatabase)
{
    static const char* const s_arThemes[] = {"Trips", "Family", "", "Beach", "Garden"};
    CDaoRecordset recordset(pDatabase);
    recordset.Open(AFX_DAO_USE_DEFAULT_TYPE, QStringLiteral("SELECT * FROM PHOTOS"));
    pDatabase->BeginTrans();
    const QDateTime start(QDate(1965, 1, 1), QTime(0, 0));
    for (int i = 0; i < g_nRecords; ++i) {
        recordset.AddNew();
        recordset.SetFieldValue(PhotoFieldName(EPhotoField::Date),
                                start.addSecs(qint64(i) * 21613));
        recordset.SetFieldValue(PhotoFieldName(EPhotoField::Name),
                                QStringLiteral("IMG_%1.JPG").arg((i * 7919) % g_nRecords));
        recordset.SetFieldValue(PhotoFieldName(EPhotoField::Extention), QStringLiteral("JPG"));
        recordset.SetFieldValue(PhotoFieldName(EPhotoField::Size),
                                QString::number((qint64(i) * 104729) % 9000000));
        recordset.SetFieldValue(PhotoFieldName(EPhotoField::Directory),
                                QStringLiteral("/home/user/Pictures/roll %1").arg(i / 100));
        recordset.SetFieldValue(PhotoFieldName(EPhotoField::Theme),
                                QString::fromUtf8(s_arThemes[i % 5]));
        recordset.SetFieldValue(PhotoFieldName(EPhotoField::Comment),
                                QStringLiteral("comment %1").arg(i));
        recordset.Update();
    }
    pDatabase->CommitTrans();
}

CListView_Table* ActiveTable(CMainFrame* pFrame)
{
    CMDIChildWnd* pChild = pFrame->MDIGetActive();
    auto* pView = pChild ? dynamic_cast<CListView_Table*>(pChild->GetActiveView()) : nullptr;
    if (!pView)
        qFatal("no table window");
    return pView;
}

double FindSeconds(CMainFrame* pFrame, const QString& strText)
{
    CDialog::SetModalHook([strText](CDialog* pDialog) {
        pDialog->findChild<QLineEdit*>()->setText(strText);
        for (QPushButton* pButton : pDialog->findChildren<QPushButton*>()) {
            if (pButton->text() == QLatin1String("OK"))
                pButton->click();
        }
        return int(IDOK);
    });
    const double dSeconds = Seconds([&] { pFrame->SendCommand(ID_DATABASE_FINDRECORDS); });
    CDialog::SetModalHook({});
    return dSeconds;
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    CTestWorkspace workspace;
    CAppSession session;
    if (!session.Started())
        qFatal("the program did not start");
    CMainFrame* pFrame = session.Frame();
    std::fprintf(stderr, "generating %d records\n", g_nRecords);
    FillDatabase(pFrame->GetPhotoDatabase().m_pCDaoDatabase.get());
    std::fprintf(stderr, "generated\n");

    const double dBefore = ResidentBytes() / 1048576.0;
    Print("table_fill_100k_s", Seconds([&] {
              pFrame->SendCommand(ID_DATABASE_SHOWTABLE);
              QCoreApplication::processEvents();
          }),
          "s");
    CListView_Table* pTable = ActiveTable(pFrame);
    if (pTable->RowModel()->rowCount() != g_nRecords)
        qFatal("the table lists %d rows", pTable->RowModel()->rowCount());
    Print("table_memory_100k_mb", ResidentBytes() / 1048576.0 - dBefore, "MB");

    Print("table_sort_name_100k_s",
          Seconds([&] { pTable->OnColumnClick(PhotoColumn(EPhotoField::Name)); }), "s");
    Print("table_sort_size_100k_s",
          Seconds([&] { pTable->OnColumnClick(PhotoColumn(EPhotoField::Size)); }), "s");

    pTable->setFocus();
    Print("table_find_text_100k_s", FindSeconds(pFrame, QStringLiteral("Beach")), "s");
    Print("table_find_date_100k_s", FindSeconds(pFrame, QStringLiteral("3/15/1990")), "s");

    CListView_Table* pDelete = pTable;
    pDelete->selectionModel()->select(
        QItemSelection(pDelete->RowModel()->index(5000, 0), pDelete->RowModel()->index(5999, 0)),
        QItemSelectionModel::Select | QItemSelectionModel::Rows);
    CMessageBoxRecorder answers;
    Print("table_delete_1k_s", Seconds([&] { QTest::keyClick(pDelete, Qt::Key_Delete); }), "s");
    if (pDelete->RowModel()->rowCount() != g_nRecords - 1000)
        qFatal("the delete left %d rows", pDelete->RowModel()->rowCount());
    return 0;
}
