#include "dbmaint/ExecutaAtualizacao.h"

#include "db/SqlQuery.h"
#include "dbmaint/CatalogueI.h"
#include "dbmaint/CatalogueII.h"

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
    return runCatalogue(connection, catalogueI(), CatalogueRunner::Reconnect::Never, onOutcome);
}

CatalogueRun executaAtualizacaoII(SqlConnection &connection, const OutcomeHandler &onOutcome)
{
    return runCatalogue(connection, catalogueII(), CatalogueRunner::Reconnect::BeforeEachDrop, onOutcome);
}
