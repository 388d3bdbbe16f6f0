#include "platform/framework/MessageBox.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

namespace {

MessageBoxHook& Hook()
{
    static MessageBoxHook s_hook;
    return s_hook;
}

int ShowBox(QWidget* pParent, const QString& strText, const QString& strTitle, int nType)
{
    if (Hook())
        return Hook()(strText, strTitle, nType);

    const int nButtons = nType & 0xF;
    QMessageBox box(pParent);
    box.setWindowTitle(strTitle);
    box.setText(strText);
    const int nIcon = nType & 0xF0;
    box.setIcon(nIcon == MB_ICONERROR         ? QMessageBox::Critical
                : nIcon == MB_ICONEXCLAMATION ? QMessageBox::Warning
                : nButtons == MB_YESNO        ? QMessageBox::Question
                                              : QMessageBox::Information);
    if (nButtons == MB_KEEPTAKECANCEL) {
        const QPushButton* pKeep = box.addButton(
            QCoreApplication::translate("MessageBox", "Keep Mine"), QMessageBox::AcceptRole);
        const QPushButton* pTake = box.addButton(
            QCoreApplication::translate("MessageBox", "Take Theirs"), QMessageBox::ActionRole);
        QPushButton* pCancel = box.addButton(QMessageBox::Cancel);
        box.setDefaultButton(pCancel);
        box.setEscapeButton(pCancel);
        box.exec();
        return box.clickedButton() == pKeep   ? IDKEEPMINE
               : box.clickedButton() == pTake ? IDTAKETHEIRS
                                              : IDCANCEL;
    }
    if (nButtons == MB_YESNO) {
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        box.setDefaultButton(QMessageBox::Yes);
    } else if (nButtons == MB_OKCANCEL) {
        box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
    } else {
        box.setStandardButtons(QMessageBox::Ok);
    }
    switch (box.exec()) {
    case QMessageBox::Yes:
        return IDYES;
    case QMessageBox::No:
        return IDNO;
    case QMessageBox::Cancel:
        return IDCANCEL;
    default:
        return nButtons == MB_YESNO ? IDNO : IDOK;
    }
}

} // namespace

int AfxMessageBox(const QString& strText, int nType)
{
    return ShowBox(QApplication::activeWindow(), strText, QApplication::applicationDisplayName(),
                   nType);
}

int SystemMessageBox(const QString& strText, const QString& strTitle, int nType)
{
    return ShowBox(nullptr, strText, strTitle, nType);
}

void SetMessageBoxHook(MessageBoxHook hook)
{
    Hook() = std::move(hook);
}
