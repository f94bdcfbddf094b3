#include "shell/WebPageLauncher.h"

#include "widgets/Dialogs.h"

WebPageLauncher::WebPageLauncher() : preferredBrowsers([] { return qEnvironmentVariable("BROWSER"); }) {}

QStringList WebPageLauncher::browsers() const
{
    return preferredBrowsers().split(u':', Qt::SkipEmptyParts) +
           QStringList{QStringLiteral("x-www-browser"),    QStringLiteral("firefox-esr"),
                       QStringLiteral("firefox"),          QStringLiteral("chromium"),
                       QStringLiteral("epiphany-browser"), QStringLiteral("falkon"),
                       QStringLiteral("konqueror")};
}

void WebPageLauncher::open(QWidget *owner, const QString &address) const
{
    const QString path = firstInstalled(browsers());
    if (path.isEmpty()) {
        Dialogs::message(owner,
                         QStringLiteral("Não há navegador de internet instalado para abrir a página\n%1\n"
                                        "Instale um navegador (por exemplo, firefox-esr) e tente de novo.")
                             .arg(address));
        return;
    }
    if (startProgram(path, {address}) == 0)
        Dialogs::message(
            owner,
            QStringLiteral("Não foi possível iniciar o navegador %1 para abrir %2.").arg(path, address));
}
