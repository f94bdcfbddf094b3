#include "shell/CalculatorLauncher.h"

#include "shell/Dialogs.h"
#include "shell/WindowTitles.h"

#include <QProcess>
#include <QStandardPaths>

namespace {

const QString kTituloCalculadora = QStringLiteral("Calculadora");
const QString kNaoDisponivel = QStringLiteral("Calculadora não disponível");

} // namespace

CalculatorLauncher::CalculatorLauncher()
    : windowTitles(x11WindowTitles),
      findProgram([](const QString &program) { return QStandardPaths::findExecutable(program); }),
      startProgram([](const QString &path) { QProcess::startDetached(path, {}); })
{
}

const QStringList &CalculatorLauncher::programs()
{
    static const QStringList list{QStringLiteral("gnome-calculator"), QStringLiteral("kcalc"),
                                  QStringLiteral("mate-calc"), QStringLiteral("galculator"),
                                  QStringLiteral("xcalc")};
    return list;
}

void CalculatorLauncher::run(QWidget *owner) const
{
    if (windowTitles().contains(kTituloCalculadora)) {
        Dialogs::message(owner, kNaoDisponivel);
        return;
    }
    for (const QString &program : programs()) {
        const QString path = findProgram(program);
        if (!path.isEmpty()) {
            startProgram(path);
            return;
        }
    }
    Dialogs::message(owner, kNaoDisponivel);
}
