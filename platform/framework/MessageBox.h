#pragma once

#include <QString>
#include <functional>

// Button sets and answers, with the values the program's callers compare against.
enum MessageBoxType : int {
    MB_OK = 0x0,
    MB_OKCANCEL = 0x1,
    MB_YESNO = 0x4,
    MB_KEEPTAKECANCEL = 0x8, // Keep Mine, Take Theirs, Cancel: another program's change
    MB_ICONERROR = 0x10,
    MB_ICONEXCLAMATION = 0x30
};
enum MessageBoxAnswer : int {
    IDOK = 1,
    IDCANCEL = 2,
    IDYES = 6,
    IDNO = 7,
    IDKEEPMINE = 20,
    IDTAKETHEIRS = 21
};

// The framework's standard box: titled with the application's name.
int AfxMessageBox(const QString& strText, int nType = MB_OK);

// The plain system box: no owner window and the given (possibly empty) title.
int SystemMessageBox(const QString& strText, const QString& strTitle, int nType = MB_OK);

// Tests put a recorder in place of the real box; it gets the text, the title
// and the button set and returns the answer. An empty hook restores the box.
using MessageBoxHook =
    std::function<int(const QString& strText, const QString& strTitle, int nType)>;
void SetMessageBoxHook(MessageBoxHook hook);
