#include "TestPart.h"

#include <QStringList>

TestPart TestPart::current()
{
    const QString given = qEnvironmentVariable("ESTOCARIUM_TEST_PART");
    if (given.isEmpty())
        return {};
    const QStringList numbers = given.split('/');
    bool numberOk = false;
    bool countOk = false;
    TestPart part;
    if (numbers.size() == 2) {
        part.number = numbers[0].toInt(&numberOk);
        part.count = numbers[1].toInt(&countOk);
    }
    if (!numberOk || !countOk || part.count < 1 || part.number < 1 || part.number > part.count)
        qFatal("ESTOCARIUM_TEST_PART is \"%s\", not k/n with 1 <= k <= n", qPrintable(given));
    return part;
}

QString TestPart::suffix() const
{
    return count == 1 ? QString() : QStringLiteral("-%1of%2").arg(number).arg(count);
}
