#include "common/DigitsOnlyValidator.h"

#include "common/TextHelpers.h"

DigitsOnlyValidator::DigitsOnlyValidator(int maxDigits, QObject *parent)
    : QValidator(parent), m_maxDigits(maxDigits)
{
}

QValidator::State DigitsOnlyValidator::validate(QString &input, int &pos) const
{
    // The cursor stands right after what was just typed or pasted; digits beyond the limit
    // are dropped from there, so a full field refuses more wherever the cursor is.
    QString before = Retorna_Apenas_Numeros(input.left(pos));
    const QString after = Retorna_Apenas_Numeros(input.mid(pos));
    const qsizetype excess = before.size() + after.size() - m_maxDigits;
    if (excess > 0)
        before.chop(std::min(excess, before.size()));
    const QString digits = (before + after).left(m_maxDigits);
    if (digits != input) {
        input = digits;
        pos = std::min<int>(before.size(), digits.size());
    }
    return Acceptable;
}
