#pragma once

#include "widgets/DesktopWindows.h"
#include "widgets/ProgramStarter.h"

class QWidget;

// The calculator command: a calculator already open is reported, otherwise the first installed
// calculator program is started; when none is installed the user is told so. The window list
// can be replaced, as can the operations of ProgramStarter.
class CalculatorLauncher : public ProgramStarter
{
public:
    CalculatorLauncher();

    std::function<QList<DesktopWindow>()> desktopWindows;

    static const QStringList &programs();
    void run(QWidget *owner);

private:
    // A window titled "Calculadora", one of a calculator program (its class names it), or one of
    // a process this command started.
    bool calculatorOpen() const;

    QList<qint64> m_started;
};
