#include "table/CListView_Table.h"

#include "db/CDao_Table.h"
#include "platform/database/CDaoRecordset.h"
#include "platform/database/JetDate.h"
#include "platform/database/JetDateText.h"
#include "platform/framework/CFrameServices.h"
#include "platform/framework/CMDIChildWnd.h"
#include "platform/framework/CProgressCtrl_Status.h"
#include "platform/framework/ExceptionBoundary.h"

#include <QGuiApplication>
#include <QHeaderView>
#include <QKeyEvent>

int CListView_Table::s_nSortColumn = 0;
bool CListView_Table::s_bDescending = false;

namespace {

// The status-bar progress goes away however the filling ends.
class CProgressRemover
{
public:
    explicit CProgressRemover(CProgressCtrl& progress)
        : m_progress(progress)
    {
    }
    ~CProgressRemover() { m_progress.Remove(); }
    CProgressRemover(const CProgressRemover&) = delete;
    CProgressRemover& operator=(const CProgressRemover&) = delete;

private:
    CProgressCtrl& m_progress;
};

Qt::Alignment AlignmentOfFormat(int nFormat)
{
    switch (nFormat) {
    case 1:
        return Qt::AlignRight;
    case 2:
        return Qt::AlignHCenter;
    default:
        return Qt::AlignLeft;
    }
}

} // namespace

CListView_Table::CBusy::CBusy(CListView_Table* pView, bool bWaitCursor)
    : m_pView(pView)
    , m_bWaitCursor(bWaitCursor)
{
    if (m_bWaitCursor)
        QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    m_pView->m_bBusy = true;
    m_pView->setUpdatesEnabled(false);
}

CListView_Table::CBusy::~CBusy()
{
    if (m_bWaitCursor)
        QGuiApplication::restoreOverrideCursor();
    m_pView->m_bBusy = false;
    m_pView->setUpdatesEnabled(true);
}

CListView_Table::CListView_Table()
    : m_pMainFrame(AfxGetFrameServices())
{
    setModel(&m_model);
    RegisterCommands();
}

CListView_Table::~CListView_Table()
{
    if (m_pMainFrame)
        m_pMainFrame->SetMessageText(QString());
}

void CListView_Table::OnInitialUpdate()
{
    CListView::OnInitialUpdate();
    SetUpList();
    try {
        FillTable();
    } catch (...) {
        // A window that could not be filled does not stay open empty.
        if (CMDIChildWnd* pFrame = GetParentFrame())
            QMetaObject::invokeMethod(pFrame, &QWidget::close, Qt::QueuedConnection);
        throw;
    }
}

void CListView_Table::SetUpList()
{
    // Report style: grid, whole rows, several at once.
    setShowGrid(true);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setWordWrap(false);
    verticalHeader()->hide();
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 4);
    horizontalHeader()->setMinimumSectionSize(1);
    horizontalHeader()->setSectionsClickable(true);
    horizontalHeader()->setHighlightSections(false);
    // The selection stays as visible as with the focus.
    QPalette palette = this->palette();
    for (QPalette::ColorRole role : {QPalette::Highlight, QPalette::HighlightedText})
        palette.setColor(QPalette::Inactive, role, palette.color(QPalette::Active, role));
    setPalette(palette);

    connect(horizontalHeader(), &QHeaderView::sectionClicked, this,
            [this](int nColumn) { AfxRunContained([&] { OnColumnClick(nColumn); }); });
    connect(selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &CListView_Table::OnSelectionChanged);
    connect(selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& current) {
                if (current.isValid())
                    OnItemChanged(current.row());
            });
}

void CListView_Table::InsertColumns()
{
    const CDao_TableInfo& info = m_pMainFrame->GetPhotoDatabase().m_TableInfo;
    QList<CTableRowModel::CColumn> arColumns;
    for (int i = 0; i < info.m_nFields; ++i) {
        CTableRowModel::CColumn column;
        column.strHeading = CheckedAt(info.m_arNames, i);
        const int nSize = CheckedAt(info.m_arSizes, i);
        column.nWidth = nSize == 0 ? 500 : nSize;
        column.alignment = AlignmentOfFormat(CheckedAt(info.m_arFormats, i));
        // Keys and sizes sort as numbers, dates by time: the texts shown
        // would put 10 before 9 and January 2007 before December 2006.
        if (i == PhotoColumn(EPhotoField::ID_Photo) || i == PhotoColumn(EPhotoField::Size))
            column.sortKey = ETableSortKey::Number;
        column.bSortByHiddenKey = CheckedAt(info.m_arTypes, i) == dbDate;
        // The date column is at least as wide as its text, whose width
        // depends on the font, so the year is never cut off.
        if (column.bSortByHiddenKey)
            column.nWidth = qMax(column.nWidth,
                                 fontMetrics().horizontalAdvance(QStringLiteral("00/00/00")) + 12);
        arColumns.append(column);
    }
    m_model.SetColumns(arColumns);
    for (int i = 0; i < arColumns.size(); ++i)
        horizontalHeader()->resizeSection(i, arColumns[i].nWidth);
}

void CListView_Table::FillTable()
{
    if (!m_pMainFrame)
        return;
    CDao_Table& daoTable = m_pMainFrame->GetPhotoDatabase();
    const CDao_TableInfo& info = daoTable.m_TableInfo;
    m_strTemp = info.m_strTableName;
    const int nRecords = daoTable.CountRecords(m_strTemp);

    m_strTemp = QStringLiteral("Filling the Table: ");
    CProgressCtrl_Status& progress = m_pMainFrame->GetStatusProgress();
    progress.ShowStatusProgress(m_strTemp);
    CProgressRemover progressRemover(progress);
    {
        CBusy busy(this);
        m_model.SetRows({});

        CDaoRecordset recordset(daoTable.m_pCDaoDatabase);
        recordset.Open(AFX_DAO_USE_DEFAULT_TYPE,
                       QStringLiteral("SELECT * FROM %1 ORDER BY %2, %3;")
                           .arg(info.m_strTableName, PhotoFieldName(EPhotoField::ID_Photo),
                                PhotoFieldName(EPhotoField::Date)));
        if (m_model.columnCount() == 0)
            InsertColumns();

        const QString& strFilter = m_strFindFilter;
        bool bAtRecord = nRecords > 0;
        if (bAtRecord)
            recordset.MoveFirst();
        if (!strFilter.isEmpty())
            bAtRecord = recordset.FindFirst(strFilter);

        QList<CTableRowModel::CRow> arRows;
        const QString strKeyName = PhotoFieldName(EPhotoField::ID_Photo);
        const QString strDateName = PhotoFieldName(EPhotoField::Date);
        for (int i = 0; bAtRecord && i < nRecords && !recordset.IsEOF(); ++i) {
            CTableRowModel::CRow row;
            row.arTexts.reserve(info.m_nFields);
            row.arTexts.append(QString::number(recordset.GetFieldValue(strKeyName).toLongLong()));
            const QVariant date = recordset.GetFieldValue(strDateName);
            QDateTime dateTime = date.toDateTime();
            if (date.typeId() != QMetaType::QDateTime &&
                !JetParseUsDateTime(date.toString(), &dateTime))
                dateTime = QDateTime();
            if (dateTime.date().isValid()) {
                row.arTexts.append(JetShortDateText(dateTime.date()));
                row.strHiddenKey = JetDateToStorage(dateTime);
            } else {
                row.arTexts.append(QStringLiteral("Invalid DateTime"));
            }
            // By name: a table made elsewhere may order its fields otherwise.
            for (int d = PhotoColumn(EPhotoField::Name); d < g_nPhotoFields; ++d)
                row.arTexts.append(
                    recordset.GetFieldValue(PhotoFieldName(EPhotoField(d))).toString());
            arRows.append(std::move(row));

            if (strFilter.isEmpty())
                recordset.MoveNext();
            else
                bAtRecord = recordset.FindNext(strFilter);
            progress.SetPos(100 * i / nRecords);
        }
        m_model.SetRows(std::move(arRows));
    }
    if (hasFocus())
        m_pMainFrame->SetMessageText(QString());
}

void CListView_Table::OnColumnClick(int nColumn)
{
    s_bDescending = !s_bDescending;
    CBusy busy(this);
    s_nSortColumn = nColumn;
    m_model.SortRows(nColumn, s_bDescending);
}

void CListView_Table::OnSelectionChanged(const QItemSelection& selected,
                                         const QItemSelection& deselected)
{
    // The last row that changed state decides, as after Ctrl+A.
    const QItemSelection& last = selected.isEmpty() ? deselected : selected;
    if (!last.isEmpty())
        OnItemChanged(last.last().bottom());
}

void CListView_Table::focusInEvent(QFocusEvent* pEvent)
{
    // Taking the focus selects nothing: a row becomes current only when the
    // user picks one, so Show Record and Delete never act on a row unasked.
    QAbstractScrollArea::focusInEvent(pEvent);
    viewport()->update();
}

void CListView_Table::OnItemChanged(int nRow)
{
    if (!isVisible() || m_bBusy || !m_pMainFrame)
        return;
    m_strTemp = QString::asprintf(" Record: %6d / %6d", nRow + 1, m_model.rowCount());
    m_pMainFrame->SetMessageText(m_strTemp);
    m_nCurrentRow = nRow;
}
