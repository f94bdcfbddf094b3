#include "shell/BrazilianSystemLocale.h"

#include <QLocale>

#include <clocale>

namespace
{

const char *const kVariables[] = {"LC_ALL",      "LC_TIME",        "LC_NUMERIC", "LC_MONETARY",
                                  "LC_MESSAGES", "LC_MEASUREMENT", "LC_PAPER"};

} // namespace

BrazilianSystemLocale::BrazilianSystemLocale()
{
    for (const char *variable : kVariables) {
        m_machine.append({variable, qEnvironmentVariableIsSet(variable)
                                        ? std::optional<QByteArray>(qgetenv(variable))
                                        : std::nullopt});
        // LC_ALL would override every other one.
        if (variable == kVariables[0])
            qunsetenv(variable);
        else
            qputenv(variable, "pt_BR.UTF-8");
    }
}

void BrazilianSystemLocale::takeOver()
{
    // Read now, and kept: Qt reads its system locale's variables once.
    QLocale::system();
    for (const auto &[variable, value] : std::as_const(m_machine)) {
        if (value)
            qputenv(variable, *value);
        else
            qunsetenv(variable);
    }
    std::setlocale(LC_ALL, "");
}
