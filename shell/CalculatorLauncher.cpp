#include "shell/CalculatorLauncher.h"

#include "widgets/Dialogs.h"

#include <algorithm>

namespace
{

const QString kTituloCalculadora = QStringLiteral("Calculadora");

} // namespace

CalculatorLauncher::CalculatorLauncher() : desktopWindows(x11DesktopWindows) {}

const QStringList &CalculatorLauncher::programs()
{
    static const QStringList list{QStringLiteral("gnome-calculator"), QStringLiteral("kcalc"),
                                  QStringLiteral("mate-calc"), QStringLiteral("galculator"),
                                  QStringLiteral("xcalc")};
    return list;
}

bool CalculatorLauncher::calculatorOpen() const
{
    // Each calculator titles its window in its own words and language ("galculator", "Calculator"),
    // but names itself in its class; the process id finds one started under another name.
    const QList<DesktopWindow> windows = desktopWindows();
    return std::any_of(windows.cbegin(), windows.cend(), [this](const DesktopWindow &window) {
        return window.title == kTituloCalculadora || programs().contains(window.instance) ||
               (window.pid != 0 && m_started.contains(window.pid));
    });
}

void CalculatorLauncher::run(QWidget *owner)
{
    if (calculatorOpen()) {
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
    const qint64 pid = startProgram(path, {});
    if (pid == 0)
        Dialogs::message(
            owner, QStringLiteral("Calculadora não disponível: não foi possível iniciar %1.").arg(path));
    else
        m_started << pid;
}
