#include "table/TableSortOrder.h"

#include <algorithm>
#include <numeric>

double LeadingNumber(const QString& strText)
{
    // By hand rather than strtod: the C library reads numbers in the user's
    // locale once Qt has set it, and a decimal comma would change the order.
    const qsizetype n = strText.size();
    qsizetype i = 0;
    while (i < n && strText[i].isSpace())
        ++i;
    const qsizetype nStart = i;
    if (i < n && (strText[i] == u'+' || strText[i] == u'-'))
        ++i;
    auto digits = [&] {
        const qsizetype nFrom = i;
        while (i < n && strText[i] >= u'0' && strText[i] <= u'9')
            ++i;
        return i - nFrom;
    };
    qsizetype nDigits = digits();
    if (i < n && strText[i] == u'.') {
        ++i;
        nDigits += digits();
    }
    if (nDigits == 0)
        return 0.0;
    qsizetype nEnd = i;
    if (i < n && (strText[i] == u'e' || strText[i] == u'E')) {
        ++i;
        if (i < n && (strText[i] == u'+' || strText[i] == u'-'))
            ++i;
        if (digits() > 0)
            nEnd = i;
    }
    return QStringView(strText).mid(nStart, nEnd - nStart).toDouble();
}

QList<int> TableSortOrder(const QStringList& arKeys, ETableSortKey key, bool bDescending)
{
    QList<int> arOrder(arKeys.size());
    std::iota(arOrder.begin(), arOrder.end(), 0);
    if (key == ETableSortKey::Number) {
        QList<double> arValues;
        arValues.reserve(arKeys.size());
        for (const QString& strKey : arKeys)
            arValues.append(LeadingNumber(strKey));
        std::stable_sort(arOrder.begin(), arOrder.end(),
                         [&](int a, int b) { return arValues[a] < arValues[b]; });
    } else {
        std::stable_sort(arOrder.begin(), arOrder.end(), [&](int a, int b) {
            return QString::compare(arKeys[a], arKeys[b], Qt::CaseSensitive) < 0;
        });
    }
    if (bDescending)
        std::reverse(arOrder.begin(), arOrder.end());
    return arOrder;
}
