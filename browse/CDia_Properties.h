#pragma once

#include "browse/PropertiesValues.h"
#include "platform/framework/CDialog.h"

#include <QString>
#include <memory>

namespace Ui {
class CDia_Properties;
}

// The five settings of one picture view. The caller fills the members, runs
// DoModal and, after IDOK, takes the values OK read from the controls.
class CDia_Properties : public CDialog
{
    Q_OBJECT
public:
    explicit CDia_Properties(QWidget* pParent = nullptr);
    ~CDia_Properties() override;

    int DoModal() override;

    bool m_bKeep = false;
    bool m_bLoop = false;
    QString m_strPhotosInRow;
    QString m_strBorderWidth;
    QString m_strPause; // seconds
    // What OK read, as the view takes it.
    SViewSettings m_settings;

protected:
    virtual bool OnInitDialog();
    virtual void OnOK();

private:
    // Members to controls, or with bSaveAndValidate controls to members.
    void UpdateData(bool bSaveAndValidate);

    std::unique_ptr<Ui::CDia_Properties> m_pUi;
};
