#include "tool/UpdateCommand.h"

#include "db/FbError.h"
#include "db/SqlConnection.h"
#include "dbmaint/ExecutaAtualizacao.h"
#include "tool/ToolDatabase.h"
#include "tool/ToolOutput.h"
#include "tool/ToolUsage.h"

#include <QFileInfo>

namespace
{

void printOutcome(const StatementOutcome &outcome)
{
    if (outcome.ok) {
        printLine(QStringLiteral("%1 ok").arg(outcome.position));
        return;
    }
    // Firebird's texts run over several lines; each position keeps to one.
    const QString reason = outcome.reason.split(u'\n', Qt::SkipEmptyParts).join(QStringLiteral(" | "));
    printLine(QStringLiteral("%1 skipped: %2").arg(outcome.position).arg(reason));
}

} // namespace

int runUpdateCommand(const QStringList &args)
{
    if (args.size() != 1)
        return usageError();
    const QString path = databasePathIn(args.first());
    if (!QFileInfo(path).isFile()) {
        printError(QStringLiteral("Banco de dados não encontrado: %1").arg(path));
        return 1;
    }
    SqlConnection connection;
    useLocalDatabase(connection, path);
    try {
        printError(QStringLiteral("Atualização I (%1)").arg(path));
        executaAtualizacaoI(connection, printOutcome);
        printError(QStringLiteral("Atualização II (%1)").arg(path));
        executaAtualizacaoII(connection, printOutcome);
    } catch (const fb::Error &e) {
        printDatabaseFailure(QStringLiteral("Falha ao reconectar ao banco de dados"), e);
        return 1;
    }
    return 0;
}
