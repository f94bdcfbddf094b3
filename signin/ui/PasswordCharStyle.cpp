#include "signin/ui/PasswordCharStyle.h"

PasswordCharStyle::PasswordCharStyle(QChar passwordChar) : m_passwordChar(passwordChar) {}

int PasswordCharStyle::styleHint(StyleHint hint, const QStyleOption *option, const QWidget *widget,
                                 QStyleHintReturn *returnData) const
{
    if (hint == SH_LineEdit_PasswordCharacter)
        return m_passwordChar.unicode();
    return QProxyStyle::styleHint(hint, option, widget, returnData);
}
