#include "common/TextHelpers.h"

namespace
{

bool isAsciiDigit(QChar c)
{
    return c.unicode() >= u'0' && c.unicode() <= u'9';
}

} // namespace

QChar Digitacao0_9(QChar key)
{
    if (key.unicode() == 8 || key.unicode() == 13 || isAsciiDigit(key))
        return key;
    return QChar(0);
}

QString Retorna_Apenas_Numeros(const QString &text)
{
    QString digits;
    digits.reserve(text.size());
    for (const QChar c : text) {
        if (isAsciiDigit(c))
            digits.append(c);
    }
    return digits;
}

bool VerificaCPF(const QString &cpf)
{
    const QString d = Retorna_Apenas_Numeros(cpf);
    if (d.size() != 11)
        return false;
    if (d.count(d.front()) == 11)
        return false;
    for (int n = 9; n <= 10; ++n) {
        int sum = 0;
        for (int position = n, weight = 2; position >= 1; --position, ++weight)
            sum += (d.at(position - 1).unicode() - u'0') * weight;
        int expected = 11 - sum % 11;
        if (expected > 9)
            expected = 0;
        if (d.at(n).unicode() - u'0' != expected)
            return false;
    }
    return true;
}

bool TemCaractereDeControle(const QString &text)
{
    for (const QChar c : text) {
        if (c.category() == QChar::Other_Control)
            return true;
    }
    return false;
}
