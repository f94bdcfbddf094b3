#pragma once

#include <QString>
#include <QStringList>
#include <functional>

class QWidget;

// The calculator command: a calculator already open is reported, otherwise the first installed
// calculator program is started. The three platform operations can be replaced.
class CalculatorLauncher
{
public:
    CalculatorLauncher();

    std::function<QStringList()> windowTitles;
    std::function<QString(const QString &program)> findProgram; // its path, or empty
    std::function<void(const QString &path)> startProgram; // its result is not examined

    static const QStringList &programs();
    void run(QWidget *owner) const;
};
