#pragma once

#include <QObject>

class QWidget;

// A button pressed through its accelerator (Alt and a letter) acts without taking the focus, so
// the bound edit being typed into would hand its text to the record only after the button had
// acted on the record. One filter for the whole application, installed by the first bound edit:
// before any shortcut is delivered, the bound edit with the focus hands over what was typed, as
// leaving it for a click on the button does. The other bound controls have nothing pending:
// they handed their text over when the focus left them.
class ShortcutHandOver : public QObject
{
    Q_OBJECT

public:
    // Called with the widget that has the focus, before the shortcut acts.
    using HandOver = void (*)(QWidget *focus);
    static void ensureInstalled(HandOver handOver);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    using QObject::QObject;

    HandOver m_handOver = nullptr;
};
