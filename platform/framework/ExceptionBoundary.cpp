#include "platform/framework/ExceptionBoundary.h"

#include "platform/framework/MessageBox.h"

#include <QCoreApplication>

#include <new>

QString AfxExceptionText(const std::exception_ptr& pException)
{
    try {
        std::rethrow_exception(pException);
    } catch (const std::bad_alloc&) {
        return QCoreApplication::translate("ExceptionBoundary",
                                           "There is not enough memory to complete the operation.");
    } catch (const std::exception& e) {
        const QString strText = QString::fromUtf8(e.what());
        if (!strText.isEmpty())
            return strText;
    } catch (...) {
    }
    return QCoreApplication::translate("ExceptionBoundary",
                                       "The operation failed because of an unexpected error.");
}

void AfxReportException(const std::exception_ptr& pException)
{
    AfxMessageBox(AfxExceptionText(pException), MB_OK | MB_ICONERROR);
}
