#include "platform/framework/CDialog.h"

#include "platform/framework/MessageBox.h"

namespace {
CDialog::ModalHook& Hook()
{
    static CDialog::ModalHook s_hook;
    return s_hook;
}
} // namespace

CDialog::CDialog(QWidget* pParent)
    : QDialog(pParent)
{
}

int CDialog::DoModal()
{
    if (Hook()) {
        show();
        const int nResult = Hook()(this);
        hide();
        return nResult;
    }
    return exec() == QDialog::Accepted ? IDOK : IDCANCEL;
}

void CDialog::SetModalHook(ModalHook hook)
{
    Hook() = std::move(hook);
}
