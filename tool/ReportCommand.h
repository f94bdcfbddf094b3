#pragma once

#include <QStringList>

// report usuarios DIR --format pdf|txt|csv|html --out FILE [--periodo MM/AAAA]: the users report
// of the working folder DIR (its clientes.ini and database, as the program reads them) written
// to FILE with the program's export formats, without a window. args come after "report".
int runReportCommand(const QStringList &args);
