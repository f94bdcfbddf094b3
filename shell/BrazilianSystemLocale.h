#pragma once

#include <QByteArray>
#include <QList>
#include <QPair>
#include <optional>

// Qt's system locale, in which the file and print dialogs show dates, sizes, paper and units,
// comes from the locale variables of the environment; the rest of the program is Brazilian
// under any locale, so the dialogs are made so too. The variables are Brazilian only while Qt
// reads them: made before the application object, this sets them; takeOver(), right after it,
// has Qt read them and puts the machine's back, with the C library's locale as they give it, so
// that the window titles Xlib encodes and the programs started later (the calculator, the
// browser) keep the machine's locale and its character set.
class BrazilianSystemLocale
{
public:
    BrazilianSystemLocale();
    void takeOver();

private:
    QList<QPair<const char *, std::optional<QByteArray>>> m_machine;
};
