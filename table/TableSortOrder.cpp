#include "table/TableSortOrder.h"

#include <QDateTime>

#include <algorithm>
#include <limits>
#include <numeric>

namespace {

bool AllOfType(const QVariantList& arValues, int nType)
{
    return std::all_of(arValues.cbegin(), arValues.cend(),
                       [nType](const QVariant& value) { return value.typeId() == nType; });
}

} // namespace

QList<int> TableSortOrder(const QVariantList& arValues, bool bDescending)
{
    QList<int> arOrder(arValues.size());
    std::iota(arOrder.begin(), arOrder.end(), 0);
    auto sortBy = [&arOrder](const auto& arKeys) {
        std::stable_sort(arOrder.begin(), arOrder.end(),
                         [&arKeys](int a, int b) { return arKeys[a] < arKeys[b]; });
    };
    // Values of one known type are compared as that type: through QVariant a
    // sort of many rows takes several times as long.
    if (AllOfType(arValues, QMetaType::LongLong)) {
        QList<qint64> arNumbers;
        for (const QVariant& value : arValues)
            arNumbers.append(value.toLongLong());
        sortBy(arNumbers);
    } else if (AllOfType(arValues, QMetaType::QDateTime)) {
        QList<qint64> arTimes;
        for (const QVariant& value : arValues) {
            const QDateTime dateTime = value.toDateTime();
            arTimes.append(dateTime.isValid() ? dateTime.toMSecsSinceEpoch()
                                              : std::numeric_limits<qint64>::min());
        }
        sortBy(arTimes);
    } else if (AllOfType(arValues, QMetaType::QString)) {
        QList<QStringView> arTexts;
        for (const QVariant& value : arValues)
            arTexts.append(*static_cast<const QString*>(value.constData()));
        sortBy(arTexts);
    } else {
        std::stable_sort(arOrder.begin(), arOrder.end(), [&arValues](int a, int b) {
            return QVariant::compare(arValues[a], arValues[b]) == QPartialOrdering::Less;
        });
    }
    if (bDescending)
        std::reverse(arOrder.begin(), arOrder.end());
    return arOrder;
}
