#include "shell/ui/CalculatorLauncher.h"

#include "widgets/Dialogs.h"
#include "widgets/WindowTitles.h"

namespace
{

const QString kTituloCalculadora = QStringLiteral("Calculadora");

} // namespace

CalculatorLauncher::CalculatorLauncher() : windowTitles(x11WindowTitles) {}

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
        Dialogs::message(owner, QStringLiteral("Calculadora não disponível"));
        return;
    }
    const QString path = firstInstalled(programs());
    if (path.isEmpty()) {
        Dialogs::message(owner,
                         QStringLiteral("Calculadora não disponível: nenhum programa de calculadora está "
                                        "instalado (%1).")
                             .arg(programs().join(QStringLiteral(", "))));
        return;
    }
    if (!startProgram(path, {}))
        Dialogs::message(
            owner, QStringLiteral("Calculadora não disponível: não foi possível iniciar %1.").arg(path));
}
