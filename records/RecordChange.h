#pragma once

#include <QList>
#include <QVariant>

// A pending change of one record, as a record set hands it to its provider: the values now,
// and the values as they were read (empty for an insertion).
struct RecordChange {
    enum class Kind { Insert, Update, Delete };

    Kind kind = Kind::Insert;
    QList<QVariant> values;
    QList<QVariant> original;
};
