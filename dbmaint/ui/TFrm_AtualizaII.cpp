#include "dbmaint/ui/TFrm_AtualizaII.h"

#include "dbmaint/CatalogueII.h"
#include "dbmaint/CatalogueRunner.h"
#include "dbmaint/ui/Gauge.h"
#include "dbmaint/ui/ui_TFrm_AtualizaII.h"
#include "session/TdmPrincipal.h"

TFrm_AtualizaII *Frm_AtualizaII = nullptr;

TFrm_AtualizaII::TFrm_AtualizaII(QWidget *parent) : CatalogueWindow(parent)
{
    Ui::TFrm_AtualizaII form;
    form.setupUi(this);
    takeControls(form.FBAtualiza, form.Gauge1, form.FBSair);
}

void TFrm_AtualizaII::FBAtualizaClick()
{
    setButtonsEnabled(false);
    const QStringList catalogue = catalogueII();
    Gauge1->setMaxValue(int(catalogue.size()));
    Gauge1->setProgress(0);
    CatalogueRunner runner(sqlComandos, *dmPrincipal->NimboConnection,
                           CatalogueRunner::Reconnect::BeforeEachDrop);
    runCatalogue(*dmPrincipal->NimboConnection, runner, QStringLiteral("II"), catalogue);
}
