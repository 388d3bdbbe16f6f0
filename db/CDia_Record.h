#pragma once

#include "platform/framework/CDialog.h"

#include <QString>
#include <QStringList>
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
    explicit CDia_Record(QWidget* pParent = nullptr);
    ~CDia_Record() override;

    int DoModal() override;

    QString m_strTitle;
    QComboBox* m_comboTheme;
    QPlainTextEdit* m_editComment;
    CFrameServices* m_pMainFrame;
    // The texts of one table row in field order; set by the caller.
    const QStringList* m_pValues = nullptr;

protected:
    virtual bool OnInitDialog();
    bool eventFilter(QObject* pWatched, QEvent* pEvent) override;

private:
    void OnClearRecord();
    void OnOK();

    std::unique_ptr<Ui::CDia_Record> m_pUi;
};
