#pragma once

#include "widgets/ProgramStarter.h"

class QWidget;

// The calculator command: a calculator already open is reported, otherwise the first installed
// calculator program is started; when none is installed the user is told so. The window list
// can be replaced, as can the operations of ProgramStarter.
class CalculatorLauncher : public ProgramStarter
{
public:
    CalculatorLauncher();

    std::function<QStringList()> windowTitles;

    static const QStringList &programs();
    void run(QWidget *owner) const;
};
