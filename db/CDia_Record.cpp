#include "db/CDia_Record.h"

#include "db/CDao_Table.h"
#include "db/DatabaseMessages.h"
#include "platform/database/CDaoException.h"
#include "platform/framework/CFrameServices.h"
#include "platform/framework/ExceptionBoundary.h"
#include "platform/framework/MessageBox.h"

#include "ui_RecordDlg.h"

#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>

CDia_Record::CDia_Record(const SPhotoRecord& record, QWidget* pParent)
    : CDialog(pParent)
    , m_pMainFrame(AfxGetFrameServices())
    , m_record(record)
    , m_pUi(std::make_unique<Ui::CDia_Record>())
{
    m_pUi->setupUi(this);
    m_comboTheme = m_pUi->m_comboTheme;
    m_editComment = m_pUi->m_editComment;
    // Enter in the comment presses OK, as in a one-line edit; in the theme
    // too, where the completion of a known theme would otherwise take it.
    m_editComment->installEventFilter(this);
    m_comboTheme->lineEdit()->installEventFilter(this);
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
    if (m_pMainFrame) {
        CDao_Table& table = m_pMainFrame->GetPhotoDatabase();
        const QStringList arThemes = table.DistinctValues(EPhotoField::Theme);
        if (!arThemes.isEmpty()) {
            m_comboTheme->addItems(arThemes);
            m_comboTheme->setCurrentIndex(0);
        }
        // The row may show texts saved over since it was filled; a record
        // that is gone shows as the row has it, and OK says it is gone.
        if (const std::optional<SPhotoRecord> stored = table.ReadRecord(m_record.m_nKey))
            m_record = *stored;
    }
    m_comboTheme->setEditText(m_record.m_strTheme);
    m_editComment->setPlainText(m_record.m_strComment);
    m_shown = {m_record.m_strTheme, m_record.m_strComment};
    m_strTitle = m_record.m_strDirectory + QLatin1Char('/') + m_record.m_strName;
    setWindowTitle(m_strTitle);
    m_comboTheme->setFocus();
    return true;
}

bool CDia_Record::eventFilter(QObject* pWatched, QEvent* pEvent)
{
    const bool bField = pWatched == m_editComment || pWatched == m_comboTheme->lineEdit();
    if (bField && pEvent->type() == QEvent::KeyPress) {
        const auto* pKey = static_cast<QKeyEvent*>(pEvent);
        // The keypad's Enter comes with the keypad modifier.
        if ((pKey->key() == Qt::Key_Return || pKey->key() == Qt::Key_Enter) &&
            (pKey->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
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
    CDao_Table& table = m_pMainFrame->GetPhotoDatabase();
    if (!CheckDatabaseWritable(table))
        return;
    const SRecordTexts edited{m_comboTheme->currentText(), m_editComment->toPlainText()};
    const QString strRefusal = table.TextsRefusal(edited.m_strTheme, edited.m_strComment);
    if (!strRefusal.isEmpty()) {
        AfxMessageBox(strRefusal, MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    try {
        // Keep Mine saves again against what the question showed; another
        // change in between asks again.
        while (const std::optional<SRecordTexts> stored =
                   table.SaveEditedTexts(m_record.m_nKey, m_shown, edited)) {
            if (!ResolveConflict(*stored, edited))
                return;
        }
    } catch (const CDaoException& e) {
        AfxMessageBox(e.GetErrorDescription(), MB_OK | MB_ICONERROR);
        return;
    }
    accept();
}

bool CDia_Record::ResolveConflict(const SRecordTexts& stored, const SRecordTexts& edited)
{
    const SRecordEdit edit = CompareRecordTexts(m_shown, edited, stored);
    QString strText = tr("Another program changed this record while you edited it.");
    if (edit.bThemeConflict)
        strText += QLatin1Char(' ') + tr("Theme: \"%1\" (stored) / \"%2\" (yours).")
                                          .arg(stored.m_strTheme, edited.m_strTheme);
    if (edit.bCommentConflict)
        strText += QLatin1Char(' ') + tr("Comment: \"%1\" (stored) / \"%2\" (yours).")
                                          .arg(stored.m_strComment, edited.m_strComment);
    const int nAnswer = AfxMessageBox(strText, MB_KEEPTAKECANCEL | MB_ICONEXCLAMATION);
    if (nAnswer == IDKEEPMINE) {
        if (edit.bThemeConflict)
            m_shown.m_strTheme = stored.m_strTheme;
        if (edit.bCommentConflict)
            m_shown.m_strComment = stored.m_strComment;
        return true;
    }
    if (nAnswer == IDTAKETHEIRS) {
        // The user's change to the other field stays in the dialog.
        if (edit.bThemeConflict) {
            m_shown.m_strTheme = stored.m_strTheme;
            m_comboTheme->setEditText(stored.m_strTheme);
        }
        if (edit.bCommentConflict) {
            m_shown.m_strComment = stored.m_strComment;
            m_editComment->setPlainText(stored.m_strComment);
        }
    }
    return false;
}
