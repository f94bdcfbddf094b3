#include "records/RecordIndex.h"

#include <algorithm>
#include <numeric>

RecordIndex::RecordIndex() : m_collator(QLocale(QLocale::Portuguese, QLocale::Brazil)) {}

void RecordIndex::build(const QList<QString> &values)
{
    std::vector<QCollatorSortKey> keys;
    keys.reserve(values.size());
    for (const QString &value : values)
        keys.push_back(m_collator.sortKey(value));

    std::vector<int> order(values.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) { return keys[a].compare(keys[b]) < 0; });

    m_order = QList<int>(order.begin(), order.end());
    m_keys.clear();
    m_keys.reserve(order.size());
    for (int position : order)
        m_keys.push_back(keys[position]);
}

int RecordIndex::lowerBound(const QString &text) const
{
    const QCollatorSortKey key = m_collator.sortKey(text);
    const auto found = std::lower_bound(
        m_keys.cbegin(), m_keys.cend(), key,
        [](const QCollatorSortKey &a, const QCollatorSortKey &b) { return a.compare(b) < 0; });
    return int(found - m_keys.cbegin());
}
