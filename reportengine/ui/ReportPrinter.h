#pragma once

#include <QString>

class QPrinter;
class ReportDocument;

// Printing draws the document's pages, so the paper shows what the preview showed.
namespace ReportPrinter
{

// The paper and orientation of the document on the whole sheet; one copy, all pages, the first
// paper bin, printing on one side.
void configure(QPrinter &printer, const ReportDocument &document);
// The pages the printer's range selects, all when none. Empty when the job was handed over;
// otherwise why nothing was printed, in Portuguese.
QString print(const ReportDocument &document, QPrinter &printer);

} // namespace ReportPrinter
