#include "table/TableSortOrder.h"

#include <QDateTime>

#include <algorithm>
#include <limits>
#include <numeric>
#include <utility>
#include <vector>

namespace {

bool AllOfType(const QVariantList& arValues, int nType)
{
    return std::all_of(arValues.cbegin(), arValues.cend(),
                       [nType](const QVariant& value) { return value.typeId() == nType; });
}

QList<int> Finish(QList<int> arOrder, bool bDescending)
{
    if (bDescending)
        std::reverse(arOrder.begin(), arOrder.end());
    return arOrder;
}

} // namespace

QList<int> TableSortOrder(const QList<qint64>& arNumbers, bool bDescending)
{
    // Pairs of value and row, sorted whole: the row breaks ties as a stable
    // sort would, and the values lie side by side in memory.
    std::vector<std::pair<qint64, int>> arPairs(arNumbers.size());
    for (qsizetype i = 0; i < arNumbers.size(); ++i)
        arPairs[i] = {arNumbers[i], int(i)};
    std::sort(arPairs.begin(), arPairs.end());
    QList<int> arOrder;
    arOrder.reserve(arNumbers.size());
    for (const auto& pair : arPairs)
        arOrder.append(pair.second);
    return Finish(std::move(arOrder), bDescending);
}

QList<int> TableSortOrder(const QList<QStringView>& arTexts, bool bDescending)
{
    QList<int> arOrder(arTexts.size());
    std::iota(arOrder.begin(), arOrder.end(), 0);
    std::stable_sort(arOrder.begin(), arOrder.end(),
                     [&arTexts](int a, int b) { return arTexts[a] < arTexts[b]; });
    return Finish(std::move(arOrder), bDescending);
}

QList<int> TableSortOrder(const QList<QString>& arDistinct, const QList<quint32>& arIndexes,
                          bool bDescending)
{
    // The few distinct texts are sorted once; the rows then sort by the
    // place of their text, equal texts at an equal place.
    QList<int> arByText(arDistinct.size());
    std::iota(arByText.begin(), arByText.end(), 0);
    std::sort(arByText.begin(), arByText.end(), [&arDistinct](int a, int b) {
        return QStringView(arDistinct[a]) < QStringView(arDistinct[b]);
    });
    QList<qint64> arRank(arDistinct.size());
    for (qsizetype i = 0; i < arByText.size(); ++i) {
        const bool bSame = i > 0 && !(QStringView(arDistinct[arByText[i - 1]]) <
                                      QStringView(arDistinct[arByText[i]]));
        arRank[arByText[i]] = bSame ? arRank[arByText[i - 1]] : i;
    }
    QList<qint64> arRowRanks;
    arRowRanks.reserve(arIndexes.size());
    for (const quint32 nIndex : arIndexes)
        arRowRanks.append(arRank[nIndex]);
    return TableSortOrder(arRowRanks, bDescending);
}

QList<int> TableSortOrder(const QVariantList& arValues, bool bDescending)
{
    // Values of one known type are compared as that type: through QVariant a
    // sort of many rows takes several times as long.
    if (AllOfType(arValues, QMetaType::LongLong)) {
        QList<qint64> arNumbers;
        for (const QVariant& value : arValues)
            arNumbers.append(value.toLongLong());
        return TableSortOrder(arNumbers, bDescending);
    }
    if (AllOfType(arValues, QMetaType::QDateTime)) {
        QList<qint64> arTimes;
        for (const QVariant& value : arValues) {
            const QDateTime dateTime = value.toDateTime();
            arTimes.append(dateTime.isValid() ? dateTime.toMSecsSinceEpoch()
                                              : std::numeric_limits<qint64>::min());
        }
        return TableSortOrder(arTimes, bDescending);
    }
    if (AllOfType(arValues, QMetaType::QString)) {
        QList<QStringView> arTexts;
        for (const QVariant& value : arValues)
            arTexts.append(*static_cast<const QString*>(value.constData()));
        return TableSortOrder(arTexts, bDescending);
    }
    QList<int> arOrder(arValues.size());
    std::iota(arOrder.begin(), arOrder.end(), 0);
    std::stable_sort(arOrder.begin(), arOrder.end(), [&arValues](int a, int b) {
        return QVariant::compare(arValues[a], arValues[b]) == QPartialOrdering::Less;
    });
    return Finish(std::move(arOrder), bDescending);
}
