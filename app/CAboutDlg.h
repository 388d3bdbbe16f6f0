#pragma once

#include "platform/framework/CDialog.h"

#include <memory>

namespace Ui {
class CAboutDlg;
}

class CAboutDlg : public CDialog
{
    Q_OBJECT
public:
    explicit CAboutDlg(QWidget* pParent = nullptr);
    ~CAboutDlg() override;

private:
    std::unique_ptr<Ui::CAboutDlg> m_pUi;
};
