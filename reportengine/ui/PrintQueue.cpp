#include "reportengine/ui/PrintQueue.h"

#include <QLibrary>

#include <cups/cups.h>

namespace
{

// CUPS is opened when a report is printed, not when the program starts: it brings some twenty
// libraries (TLS, Kerberos, service discovery) that the way to the login dialog never uses. By then
// Qt's own CUPS printing has loaded it, and this is the same library with the same per-thread
// state, so the last error seen is the one of Qt's submission.
struct Cups {
    decltype(&cupsGetNamedDest) getNamedDest = nullptr;
    decltype(&cupsGetOption) getOption = nullptr;
    decltype(&cupsFreeDests) freeDests = nullptr;
    decltype(&cupsLastError) lastError = nullptr;

    bool loaded() const { return getNamedDest && getOption && freeDests && lastError; }
};

const Cups &cups()
{
    static const Cups library = [] {
        QLibrary file(QStringLiteral("cups"), 2);
        Cups resolved;
        resolved.getNamedDest =
            reinterpret_cast<decltype(&cupsGetNamedDest)>(file.resolve("cupsGetNamedDest"));
        resolved.getOption = reinterpret_cast<decltype(&cupsGetOption)>(file.resolve("cupsGetOption"));
        resolved.freeDests = reinterpret_cast<decltype(&cupsFreeDests)>(file.resolve("cupsFreeDests"));
        resolved.lastError = reinterpret_cast<decltype(&cupsLastError)>(file.resolve("cupsLastError"));
        return resolved;
    }();
    return library;
}

QString withoutCups(const QString &printer)
{
    return QStringLiteral("O serviço de impressão (CUPS) não está instalado neste computador: nada foi "
                          "impresso na impressora %1.")
        .arg(printer);
}

} // namespace

QString PrintQueue::refusal(const QString &printer)
{
    if (!cups().loaded())
        return withoutCups(printer);
    cups_dest_t *dest = cups().getNamedDest(CUPS_HTTP_DEFAULT, printer.toLocal8Bit().constData(), nullptr);
    if (!dest)
        return QStringLiteral("A impressora %1 não foi encontrada no serviço de impressão (CUPS).")
            .arg(printer);
    const char *accepting = cups().getOption("printer-is-accepting-jobs", dest->num_options, dest->options);
    const bool refuses = accepting && QByteArray(accepting) == "false";
    cups().freeDests(1, dest);
    if (refuses)
        return QStringLiteral(
                   "A fila da impressora %1 não está aceitando trabalhos: nada foi impresso. Peça ao "
                   "administrador que a libere (cupsaccept %1) ou escolha outra impressora.")
            .arg(printer);
    return QString();
}

QString PrintQueue::jobRefusal(const QString &printer)
{
    if (!cups().loaded())
        return withoutCups(printer);
    // The last request of this thread is the job's submission (cupsPrintFile in Qt's engine).
    if (cups().lastError() < IPP_STATUS_ERROR_BAD_REQUEST)
        return QString();
    return QStringLiteral("O serviço de impressão (CUPS) recusou o trabalho para a impressora %1: nada foi "
                          "impresso. Confira a impressora e tente de novo.")
        .arg(printer);
}
