#include "db/CDia_Record.h"

#include "db/CDao_Table.h"
#include "platform/framework/CFrameServices.h"
#include "platform/framework/ExceptionBoundary.h"
#include "platform/framework/MessageBox.h"

#include "ui_RecordDlg.h"

#include <QKeyEvent>
#include <stdexcept>

namespace {
constexpr int nIdField = PhotoColumn(EPhotoField::ID_Photo);
constexpr int nNameField = PhotoColumn(EPhotoField::Name);
constexpr int nDirectoryField = PhotoColumn(EPhotoField::Directory);
constexpr int nThemeField = PhotoColumn(EPhotoField::Theme);
constexpr int nCommentField = PhotoColumn(EPhotoField::Comment);
} // namespace

CDia_Record::CDia_Record(QWidget* pParent)
    : CDialog(pParent)
    , m_pMainFrame(AfxGetFrameServices())
    , m_pUi(std::make_unique<Ui::CDia_Record>())
{
    m_pUi->setupUi(this);
    m_comboTheme = m_pUi->m_comboTheme;
    m_editComment = m_pUi->m_editComment;
    // Enter in the comment presses OK, as in a one-line edit.
    m_editComment->installEventFilter(this);
    connect(m_pUi->m_btnClear, &QPushButton::clicked, this, [this] { OnClearRecord(); });
    connect(m_pUi->m_btnOK, &QPushButton::clicked, this,
            [this] { AfxRunContained([this] { OnOK(); }); });
    connect(m_pUi->m_btnCancel, &QPushButton::clicked, this, &QDialog::reject);
}

CDia_Record::~CDia_Record() = default;

int CDia_Record::DoModal()
{
    if (!OnInitDialog())
        return IDCANCEL;
    return CDialog::DoModal();
}

bool CDia_Record::OnInitDialog()
{
    if (m_pValues == nullptr || m_pValues->size() <= nCommentField)
        throw std::invalid_argument("the Record dialog needs the eight texts of a record");
    if (m_pMainFrame)
        m_pMainFrame->GetPhotoDatabase().FillDistinct(m_comboTheme,
                                                      PhotoFieldName(EPhotoField::Theme));
    m_comboTheme->setEditText(m_pValues->at(nThemeField));
    m_editComment->setPlainText(m_pValues->at(nCommentField));
    m_strTitle = m_pValues->at(nDirectoryField) + QLatin1Char('/') + m_pValues->at(nNameField);
    setWindowTitle(m_strTitle);
    m_comboTheme->setFocus();
    return true;
}

bool CDia_Record::eventFilter(QObject* pWatched, QEvent* pEvent)
{
    if (pWatched == m_editComment && pEvent->type() == QEvent::KeyPress) {
        const auto* pKey = static_cast<QKeyEvent*>(pEvent);
        if ((pKey->key() == Qt::Key_Return || pKey->key() == Qt::Key_Enter) &&
            pKey->modifiers() == Qt::NoModifier) {
            AfxRunContained([this] { OnOK(); });
            return true;
        }
    }
    return CDialog::eventFilter(pWatched, pEvent);
}

void CDia_Record::OnClearRecord()
{
    m_comboTheme->setEditText(QString());
    m_editComment->clear();
}

void CDia_Record::OnOK()
{
    if (!m_pMainFrame)
        return;
    // A refused text leaves the dialog open, with the text as typed.
    // Keys go beyond 32 bits; a key that did not read would name another record.
    bool bKey = false;
    const qint64 nID = m_pValues->at(nIdField).toLongLong(&bKey);
    if (!bKey) {
        AfxMessageBox(QStringLiteral("The record can not be saved: its key \"%1\" is not a number.")
                          .arg(m_pValues->at(nIdField)),
                      MB_OK | MB_ICONERROR);
        return;
    }
    if (m_pMainFrame->GetPhotoDatabase().SaveRecord(nID, m_comboTheme->currentText(),
                                                    m_editComment->toPlainText()))
        accept();
}
