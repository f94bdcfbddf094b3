#pragma once

#include <QMetaType>
#include <QString>

namespace fb
{

// An exact scaled number as NUMERIC/DECIMAL columns hold it: value = units / 10^scale.
struct Decimal {
    qint64 units = 0;
    int scale = 0;

    QString toString() const;
    static Decimal fromString(const QString &text, int scale, bool *ok = nullptr);
    friend bool operator==(const Decimal &a, const Decimal &b) = default;
};

} // namespace fb

Q_DECLARE_METATYPE(fb::Decimal)
