#pragma once

#include <QCollator>
#include <QList>
#include <QString>
#include <vector>

// An ascending order over one text value per record, in Brazilian Portuguese collation:
// accented letters sort with their base letters ("ÁLVARO" before "ALVES" before "BRUNO").
// Equal values keep the order they were given in. Sort keys are made once, so that
// finding a text is a binary search of byte comparisons.
class RecordIndex
{
public:
    RecordIndex();

    // order(): the positions of values, sorted.
    void build(const QList<QString> &values);
    const QList<int> &order() const { return m_order; }
    // The first place in order() whose value is equal to text or sorts after it; size() when
    // every value sorts before text.
    int lowerBound(const QString &text) const;
    int size() const { return int(m_order.size()); }

private:
    QCollator m_collator;
    QList<int> m_order;
    std::vector<QCollatorSortKey> m_keys; // in sorted order
};
