#include "table/CListView_Table.h"

#include "db/CDao_Table.h"
#include "platform/framework/CFrameServices.h"
#include "platform/framework/CMDIChildWnd.h"
#include "platform/framework/CProgressCtrl_Status.h"
#include "platform/framework/ExceptionBoundary.h"
#include "table/TableLog.h"

#include <QElapsedTimer>
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

} // namespace

CListView_Table::CBusy::CBusy(CListView_Table* pView, bool bWaitCursor)
    : m_pView(pView)
    , m_bWaitCursor(bWaitCursor)
    , m_bWasBusy(pView->m_bBusy)
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
    m_pView->m_bBusy = m_bWasBusy;
    m_pView->setUpdatesEnabled(!m_bWasBusy);
}

CListView_Table::CListView_Table()
    : m_pMainFrame(AfxGetFrameServices())
{
    setModel(&m_model);
    RegisterCommands();
    FollowDatabase();
}

CListView_Table::~CListView_Table()
{
    if (m_pMainFrame)
        m_pMainFrame->SetMessageText(QString());
}

void CListView_Table::FollowDatabase()
{
    if (!m_pMainFrame)
        return;
    // Whichever window saves or deletes, every list shows what is stored.
    const CDao_TableNotifier* pNotifier = &m_pMainFrame->GetPhotoDatabase().Notifier();
    connect(pNotifier, &CDao_TableNotifier::RecordsChanged, this,
            [this](const QList<SPhotoRecord>& arRecords) { m_model.UpdateRecords(arRecords); });
    connect(pNotifier, &CDao_TableNotifier::RecordsDeleted, this,
            &CListView_Table::OnRecordsDeleted);
}

void CListView_Table::OnRecordsDeleted(const QList<qint64>& arKeys)
{
    // A deleted current record hands on to the row that takes its place,
    // highlighted; no row becomes current where none was.
    const int nCurrent = CurrentRow();
    QPersistentModelIndex next;
    if (nCurrent >= 0 && arKeys.contains(m_model.Record(nCurrent).m_nKey)) {
        const int nNext = m_model.SuccessorRow(nCurrent, arKeys);
        if (nNext >= 0)
            next = m_model.index(nNext, 0);
    }
    {
        CBusy busy(this, false);
        m_model.RemoveRecords(arKeys);
    }
    if (!next.isValid())
        return;
    m_current = next;
    selectionModel()->setCurrentIndex(next, QItemSelectionModel::ClearAndSelect |
                                                QItemSelectionModel::Rows);
}

void CListView_Table::ShowCurrentRow()
{
    if (m_current.isValid())
        OnItemChanged(m_current.row());
    else if (m_pMainFrame)
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
    SetReportStyle();
    QHeaderView* pHeader = horizontalHeader();
    pHeader->setMinimumSectionSize(1);
    pHeader->setSectionsClickable(true);
    pHeader->setHighlightSections(false);
    // No arrow until the first sort.
    pHeader->setSortIndicator(-1, Qt::AscendingOrder);
    pHeader->setSortIndicatorShown(true);
    SetColumnWidths();
    // The selection stays as visible as with the focus.
    QPalette palette = this->palette();
    for (QPalette::ColorRole role : {QPalette::Highlight, QPalette::HighlightedText})
        palette.setColor(QPalette::Inactive, role, palette.color(QPalette::Active, role));
    setPalette(palette);

    connect(pHeader, &QHeaderView::sectionClicked, this,
            [this](int nColumn) { AfxRunContained([&] { OnColumnClick(nColumn); }); });
    connect(selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &CListView_Table::OnSelectionChanged);
    connect(selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& current) {
                if (current.isValid())
                    OnItemChanged(current.row());
            });
}

void CListView_Table::SetColumnWidths()
{
    const CDao_TableInfo info = PhotoTableInfo();
    for (int i = 0; i < info.m_nFields; ++i) {
        const int nSize = CheckedAt(info.m_arSizes, i);
        horizontalHeader()->resizeSection(i, nSize == 0 ? 500 : nSize);
    }
    // The date column is at least as wide as its text, whose width depends
    // on the font, so the year is never cut off.
    const int nDate = PhotoColumn(EPhotoField::Date);
    horizontalHeader()->resizeSection(
        nDate, qMax(horizontalHeader()->sectionSize(nDate),
                    fontMetrics().horizontalAdvance(QStringLiteral("00/00/00")) + 12));
}

void CListView_Table::FillTable()
{
    if (!m_pMainFrame)
        return;
    QElapsedTimer filling;
    filling.start();
    CDao_Table& daoTable = m_pMainFrame->GetPhotoDatabase();
    CProgressCtrl_Status& progress = m_pMainFrame->GetStatusProgress();
    progress.ShowStatusProgress(tr("Filling the Table: "));
    CProgressRemover progressRemover(progress);
    {
        CBusy busy(this);
        m_model.SetRecords(daoTable.ReadRecords(
            m_strFindFilter, [&progress](int nPercent) { progress.SetPos(nPercent); }));
    }
    // The fill's own text goes with it, focused or not.
    m_pMainFrame->SetMessageText(QString());
    qCDebug(lcTable) << "table filled with" << m_model.rowCount() << "rows in" << filling.elapsed()
                     << "ms";
}

void CListView_Table::OnColumnClick(int nColumn)
{
    s_bDescending = !s_bDescending;
    {
        CBusy busy(this);
        s_nSortColumn = nColumn;
        const Qt::SortOrder order = s_bDescending ? Qt::DescendingOrder : Qt::AscendingOrder;
        horizontalHeader()->setSortIndicator(nColumn, order);
        m_model.sort(nColumn, order);
    }
    qCDebug(lcTable) << "sorted by column" << nColumn
                     << (s_bDescending ? "descending" : "ascending");
    // The current record has moved; the pane says where to.
    if (m_current.isValid())
        OnItemChanged(m_current.row());
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
    m_pMainFrame->SetMessageText(
        tr(" Record: %1 / %2").arg(nRow + 1, 6).arg(m_model.rowCount(), 6));
    m_current = m_model.index(nRow, 0);
}
