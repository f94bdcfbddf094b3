#include "signin/DigitsOnlyValidator.h"

#include "common/TextHelpers.h"

DigitsOnlyValidator::DigitsOnlyValidator(int maxDigits, QObject *parent) : QValidator(parent), m_maxDigits(maxDigits) {}

QValidator::State DigitsOnlyValidator::validate(QString &input, int &pos) const
{
    const QString digits = Retorna_Apenas_Numeros(input).left(m_maxDigits);
    if (digits != input) {
        pos = std::min<int>(Retorna_Apenas_Numeros(input.left(pos)).size(), digits.size());
        input = digits;
    }
    return Acceptable;
}
