#pragma once

#include <QProxyStyle>

// Shows every character of a password field as the given character.
class PasswordCharStyle : public QProxyStyle
{
    Q_OBJECT

public:
    explicit PasswordCharStyle(QChar passwordChar);

    int styleHint(StyleHint hint, const QStyleOption *option, const QWidget *widget,
                  QStyleHintReturn *returnData) const override;

private:
    QChar m_passwordChar;
};
