#include "reports/ui/TFrm_Relatorio200.h"

#include "reportengine/ui/ReportPreview.h"
#include "session/TdmPrincipal.h"
#include "session/uTotal.h"
#include "widgets/ReachableWindow.h"

TFrm_Relatorio200 *Frm_Relatorio200 = nullptr;

TFrm_Relatorio200::TFrm_Relatorio200(QWidget *owner)
    : QWidget(owner, Qt::Window), RelatorioUsuarios(dmPrincipal->NimboConnection)
{
    setWindowTitle(QStringLiteral("Relatório"));
}

void TFrm_Relatorio200::Preview(const ReportExportFilters &filtros)
{
    ReportPreview preview(Rpt_Relatorio.generate(), parentWidget());
    preview.setTitle(TituloRelatorio);
    preview.setSaveFormats(filtros.formats());
    ReachableWindow::prepare(preview);
    preview.exec();
}
