#include "reports/ui/ExecutaRelatorioUsuarios.h"

#include "reports/ui/TFrm_Relatorio200.h"
#include "session/uTotal.h"

namespace
{

void releaseForm()
{
    TFrm_Relatorio200 *form = Frm_Relatorio200;
    Frm_Relatorio200 = nullptr;
    form->cdsDados.close();
    form->close();
    delete form;
}

} // namespace

void executaRelatorioUsuarios(QWidget *owner, const QString &menuCaption, const ReportExportFilters &filtros)
{
    QString title = menuCaption;
    const qsizetype marker = title.indexOf(u'&');
    if (marker >= 0)
        title.remove(marker, 1);
    TituloRelatorio = title;

    Frm_Relatorio200 = new TFrm_Relatorio200(owner);
    try {
        Frm_Relatorio200->AbreDados();
        Frm_Relatorio200->PreencheCabecalho();
        Frm_Relatorio200->Preview(filtros);
    } catch (...) {
        releaseForm();
        throw;
    }
    releaseForm();
}
