#include "reportengine/ui/ReportPrinter.h"

#include "reportengine/ReportDocument.h"
#include "reportengine/ReportPainter.h"
#include "reportengine/ui/PrintQueue.h"

#include <QPageLayout>
#include <QPainter>
#include <QPrinter>

void ReportPrinter::configure(QPrinter &printer, const ReportDocument &document)
{
    const QSize size = document.pageSize();
    const bool landscape = size.width() > size.height();
    const QSizeF portraitMm = QSizeF(landscape ? size.transposed() : size) / 100.0;
    printer.setFullPage(true);
    printer.setPageLayout(QPageLayout(QPageSize(portraitMm, QPageSize::Millimeter),
                                      landscape ? QPageLayout::Landscape : QPageLayout::Portrait,
                                      QMarginsF()));
    printer.setCopyCount(1);
    printer.setPrintRange(QPrinter::AllPages);
    printer.setFromTo(0, 0);
    printer.setPaperSource(QPrinter::Upper);
    printer.setDuplex(QPrinter::DuplexNone);
}

QString ReportPrinter::print(const ReportDocument &document, QPrinter &printer)
{
    // A printer, not a file: the job goes to a CUPS queue.
    const bool queued =
        printer.outputFormat() == QPrinter::NativeFormat && printer.outputFileName().isEmpty();
    if (queued) {
        if (const QString refusal = PrintQueue::refusal(printer.printerName()); !refusal.isEmpty())
            return refusal;
    }
    const auto &pages = document.pages();
    int first = 1;
    int last = int(pages.size());
    if (printer.printRange() == QPrinter::PageRange && printer.fromPage() > 0) {
        first = std::max(first, printer.fromPage());
        last = std::min(last, printer.toPage());
    }
    const QString notStarted = QStringLiteral("A impressora não pôde começar o trabalho: nada foi impresso.");
    QPainter painter;
    if (!painter.begin(&printer))
        return notStarted;
    const QRectF paper = printer.paperRect(QPrinter::DevicePixel);
    for (int number = first; number <= last; ++number) {
        if (number > first)
            printer.newPage();
        ReportPainter::paint(painter, pages[std::size_t(number - 1)], QRectF(QPointF(0, 0), paper.size()));
    }
    if (!painter.end() || printer.printerState() == QPrinter::Error ||
        printer.printerState() == QPrinter::Aborted)
        return QStringLiteral("O trabalho de impressão não pôde ser concluído: nada foi impresso.");
    return queued ? PrintQueue::jobRefusal(printer.printerName()) : QString();
}
