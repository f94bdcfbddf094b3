#include "dbmaint/ui/TFrm_AtualizarBanco.h"

#include "dbmaint/CatalogueI.h"
#include "dbmaint/CatalogueRunner.h"
#include "dbmaint/ui/Gauge.h"
#include "dbmaint/ui/ui_TFrm_AtualizarBanco.h"
#include "session/TdmPrincipal.h"

TFrm_AtualizarBanco *Frm_AtualizarBanco = nullptr;

TFrm_AtualizarBanco::TFrm_AtualizarBanco(QWidget *parent) : CatalogueWindow(parent)
{
    Ui::TFrm_AtualizarBanco form;
    form.setupUi(this);
    takeControls(form.FBAtualiza, form.Gauge1, form.FBSair);
}

void TFrm_AtualizarBanco::FBAtualizaClick()
{
    setButtonsEnabled(false);
    const QStringList catalogue = catalogueI();
    // The gauge is not set back: a second run in the same showing stays at the full bar.
    Gauge1->setMaxValue(int(catalogue.size()));
    CatalogueRunner runner(sqlComandos, *dmPrincipal->NimboConnection, CatalogueRunner::Reconnect::Never);
    runCatalogue(*dmPrincipal->NimboConnection, runner, QStringLiteral("I"), catalogue);
}
