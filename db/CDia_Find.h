#pragma once

#include "platform/framework/CDialog.h"

#include <QString>
#include <memory>

namespace Ui {
class CDia_Find;
}

// Asks for the text to find records by; after OK it is in m_strFind.
class CDia_Find : public CDialog
{
    Q_OBJECT
public:
    explicit CDia_Find(QWidget* pParent = nullptr);
    ~CDia_Find() override;

    QString m_strFind;

private:
    void OnOK();

    std::unique_ptr<Ui::CDia_Find> m_pUi;
};
