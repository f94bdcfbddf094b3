#include "reportengine/ui/PrintQueue.h"

#include <cups/cups.h>

QString PrintQueue::refusal(const QString &printer)
{
    cups_dest_t *dest = cupsGetNamedDest(CUPS_HTTP_DEFAULT, printer.toLocal8Bit().constData(), nullptr);
    if (!dest)
        return QStringLiteral("A impressora %1 não foi encontrada no serviço de impressão (CUPS).")
            .arg(printer);
    const char *accepting = cupsGetOption("printer-is-accepting-jobs", dest->num_options, dest->options);
    const bool refuses = accepting && QByteArray(accepting) == "false";
    cupsFreeDests(1, dest);
    if (refuses)
        return QStringLiteral(
                   "A fila da impressora %1 não está aceitando trabalhos: nada foi impresso. Peça ao "
                   "administrador que a libere (cupsaccept %1) ou escolha outra impressora.")
            .arg(printer);
    return QString();
}

QString PrintQueue::jobRefusal(const QString &printer)
{
    // The last request of this thread is the job's submission (cupsPrintFile in Qt's engine).
    if (cupsLastError() < IPP_STATUS_ERROR_BAD_REQUEST)
        return QString();
    return QStringLiteral("O serviço de impressão (CUPS) recusou o trabalho para a impressora %1: nada foi "
                          "impresso. Confira a impressora e tente de novo.")
        .arg(printer);
}
