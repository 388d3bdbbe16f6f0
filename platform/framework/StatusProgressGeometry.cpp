#include "platform/framework/StatusProgressGeometry.h"

QRect StatusProgressRect(const QString& strText, int nPaneRight)
{
    const int nLeft = strText.isEmpty() ? 2 : int(strText.toUtf8().size() * 5.5);
    const int nTop = 2;
    const int nRight = nPaneRight - 5;
    const int nBottom = 16;
    return QRect(nLeft, nTop, qMax(0, nRight - nLeft), nBottom - nTop);
}
