#include "db/Decimal.h"

namespace fb
{

QString Decimal::toString() const
{
    if (scale <= 0)
        return QString::number(units);
    const bool negative = units < 0;
    QString digits = QString::number(negative ? -units : units).rightJustified(scale + 1, u'0');
    digits.insert(digits.size() - scale, u'.');
    return negative ? u'-' + digits : digits;
}

Decimal Decimal::fromString(const QString &text, int scale, bool *ok)
{
    const QString trimmed = text.trimmed();
    const qsizetype point = trimmed.indexOf(u'.');
    QString whole = point < 0 ? trimmed : trimmed.left(point);
    QString fraction = point < 0 ? QString() : trimmed.mid(point + 1);
    bool valid = fraction.size() <= scale && !fraction.contains(u'-') && !fraction.contains(u'+');
    fraction = fraction.leftJustified(scale, u'0');
    bool parsed = false;
    const qint64 units = (whole + fraction).toLongLong(&parsed);
    if (ok)
        *ok = valid && parsed;
    return Decimal{parsed ? units : 0, scale};
}

} // namespace fb
