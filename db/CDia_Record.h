#pragma once

#include "db/RecordEdit.h"
#include "db/SPhotoRecord.h"
#include "platform/framework/CDialog.h"

#include <QString>
#include <memory>

class CFrameServices;
class QComboBox;
class QPlainTextEdit;

namespace Ui {
class CDia_Record;
}

// One photo record's Theme and Comment for editing, titled with the
// picture's path; offers the themes the table already uses.
class CDia_Record : public CDialog
{
    Q_OBJECT
public:
    // The record as a window shows it; the dialog reads it again by its key.
    explicit CDia_Record(const SPhotoRecord& record, QWidget* pParent = nullptr);
    ~CDia_Record() override;

    int DoModal() override;

    QString m_strTitle;
    QComboBox* m_comboTheme;
    QPlainTextEdit* m_editComment;
    CFrameServices* m_pMainFrame;
    SPhotoRecord m_record;

protected:
    virtual bool OnInitDialog();
    bool eventFilter(QObject* pWatched, QEvent* pEvent) override;

private:
    void OnClearRecord();
    void OnOK();
    // Asks what to do about another program's change to texts the user
    // changed too; true to save the user's texts over it.
    bool ResolveConflict(const SRecordTexts& stored, const SRecordTexts& edited);

    std::unique_ptr<Ui::CDia_Record> m_pUi;
    // The texts as the dialog showed them: what another program's change is
    // told from.
    SRecordTexts m_shown;
};
