#pragma once

#include "reports/RelatorioUsuarios.h"
#include "reports/ReportExportFilters.h"

#include <QWidget>

// The users report form: it is never shown itself. It holds the report definition for one run
// and shows the generated report in the modal preview, from which the user prints or saves it.
class TFrm_Relatorio200 : public QWidget, public RelatorioUsuarios
{
    Q_OBJECT

public:
    explicit TFrm_Relatorio200(QWidget *owner = nullptr);

    // Generates the report and shows it in the modal preview, saving in the formats of filtros;
    // returns when the preview closes.
    void Preview(const ReportExportFilters &filtros);
};

// The form of the run in progress; empty when no users report is running.
extern TFrm_Relatorio200 *Frm_Relatorio200;
