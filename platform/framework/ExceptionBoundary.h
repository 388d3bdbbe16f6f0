#pragma once

#include <QString>
#include <exception>

// No exception may cross a Qt event handler: work that can fail runs through
// here, so the user is told what went wrong and the program goes on.

// The user-facing description of a caught exception.
QString AfxExceptionText(const std::exception_ptr& pException);

// Shows the description in an error box.
void AfxReportException(const std::exception_ptr& pException);

// Runs fn; an exception it throws is reported and swallowed. Returns whether
// fn finished normally.
template <typename Fn> bool AfxRunContained(Fn&& fn)
{
    try {
        fn();
        return true;
    } catch (...) {
        AfxReportException(std::current_exception());
        return false;
    }
}
