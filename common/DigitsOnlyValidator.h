#pragma once

#include <QValidator>

// Keeps only the digits of whatever reaches the field, typed or pasted, up to a length.
class DigitsOnlyValidator : public QValidator
{
    Q_OBJECT

public:
    DigitsOnlyValidator(int maxDigits, QObject *parent);

    State validate(QString &input, int &pos) const override;

private:
    int m_maxDigits;
};
