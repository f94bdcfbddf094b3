#include "dbmaint/ExecutaAtualizacao.h"

#include "db/SqlQuery.h"
#include "dbmaint/CatalogoAtualizacaoI.h"
#include "dbmaint/CatalogoAtualizacaoII.h"

namespace
{

CatalogueRun runCatalogue(SqlConnection &connection, const QStringList &catalogue,
                          CatalogueRunner::Reconnect reconnect, const OutcomeHandler &onOutcome)
{
    SqlQuery comandos(&connection);
    CatalogueRunner runner(comandos, connection, reconnect);
    runner.setOutcomeHandler(onOutcome);
    return runner.run(catalogue);
}

} // namespace

CatalogueRun executaAtualizacaoI(SqlConnection &connection, const OutcomeHandler &onOutcome)
{
    return runCatalogue(connection, catalogoAtualizacaoI(), CatalogueRunner::Reconnect::Never, onOutcome);
}

CatalogueRun executaAtualizacaoII(SqlConnection &connection, const OutcomeHandler &onOutcome)
{
    return runCatalogue(connection, catalogoAtualizacaoII(), CatalogueRunner::Reconnect::BeforeEachDrop,
                        onOutcome);
}
