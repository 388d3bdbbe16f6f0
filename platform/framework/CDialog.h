#pragma once

#include <QDialog>
#include <functional>

// A modal dialog run with DoModal, answering IDOK or IDCANCEL.
class CDialog : public QDialog
{
    Q_OBJECT
public:
    explicit CDialog(QWidget* pParent = nullptr);

    virtual int DoModal();

    // Tests drive a dialog themselves: while a hook is set, DoModal shows the
    // dialog, hands it to the hook and returns the hook's answer.
    using ModalHook = std::function<int(CDialog*)>;
    static void SetModalHook(ModalHook hook);
};
