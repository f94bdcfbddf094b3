#include "dbmaint/ui/TFrm_AtualizaII.h"

#include "dbmaint/CatalogueII.h"
#include "dbmaint/CatalogueRunner.h"
#include "dbmaint/ui/Gauge.h"
#include "session/TdmPrincipal.h"

TFrm_AtualizaII *Frm_AtualizaII = nullptr;

TFrm_AtualizaII::TFrm_AtualizaII(QWidget *parent)
    : CatalogueWindow(QStringLiteral("Atualiza Banco de Dados II"), QSize(505, 139), parent)
{
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
