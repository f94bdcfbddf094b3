#include "tool/UpdateCommand.h"

#include "db/SqlConnection.h"
#include "dbmaint/AtualizacaoProtegida.h"
#include "dbmaint/CatalogueI.h"
#include "dbmaint/CatalogueII.h"
#include "dbmaint/ExecutaAtualizacao.h"
#include "dbmaint/PendenciasDaAtualizacao.h"
#include "dbmaint/SchemaDamage.h"
#include "dbmaint/TextosDaCopia.h"
#include "session/DatabaseFailure.h"
#include "tool/ToolDatabase.h"
#include "tool/ToolOutput.h"
#include "tool/ToolUsage.h"

#include <QFileInfo>

namespace
{

// Firebird's texts run over several lines; each position keeps to one.
QString oneLine(const QString &text)
{
    return text.split(u'\n', Qt::SkipEmptyParts).join(QStringLiteral(" | "));
}

// One line per position, numbered with its update ("I.18", "II.3"), so that a saved output tells
// the two apart.
OutcomeHandler printerFor(const QString &atualizacao)
{
    return [atualizacao](const StatementOutcome &outcome) {
        const QString position = QStringLiteral("%1.%2").arg(atualizacao).arg(outcome.position);
        if (outcome.ok)
            printLine(position + QStringLiteral(" aplicada"));
        else if (outcome.refusal == Refusal::AlreadySo)
            printLine(
                QStringLiteral("%1 ignorada, já estava assim: %2").arg(position, oneLine(outcome.reason)));
        else
            printLine(QStringLiteral("%1 NÃO APLICADA, %2: %3")
                          .arg(position, refusalText(outcome.refusal), oneLine(outcome.reason)));
    };
}

enum class Fim { Completa, ComPendencias, Interrompida };

// Runs one update, printing its heading and its positions, and reports what it left undone as the
// windows do: the stop on stderr, the positions not applied on stdout.
// A run that could not begin (the connection refused before the copy) is reported as stopped at its
// first position, as the windows do.
Fim runUpdate(const QString &atualizacao, const QStringList &catalogue, SqlConnection &connection,
              CatalogueRun (*executa)(SqlConnection &, const OutcomeHandler &),
              const AtualizacaoProtegida &protecao, const std::optional<fb::Error> &naoComecou = std::nullopt)
{
    printLine(QStringLiteral("Atualização %1").arg(atualizacao));
    CatalogueRun run;
    if (naoComecou) {
        run.stop = naoComecou;
        run.stoppedAt = 1;
    } else {
        run = executa(connection, printerFor(atualizacao));
    }
    if (!run.danos.isEmpty()) {
        printError(schemaDamageText(run.danos, protecao.database(), protecao.copiaARecolocar()));
        return Fim::Interrompida;
    }
    if (run.stop)
        printError(DatabaseFailure::of(*run.stop).explanation());
    const PendenciasDaAtualizacao pendencias = PendenciasDaAtualizacao::de(catalogue, run);
    if (pendencias.vazias())
        return Fim::Completa;
    printLine(pendencias.texto(atualizacao));
    return run.stop ? Fim::Interrompida : Fim::ComPendencias;
}

} // namespace

int runUpdateCommand(const QStringList &args)
{
    QStringList rest = args;
    QString server;
    if (const qsizetype at = rest.indexOf(QStringLiteral("--servidor")); at >= 0) {
        if (at + 1 >= rest.size())
            return usageError();
        server = rest.at(at + 1);
        rest.remove(at, 2);
    }
    if (rest.size() != 1)
        return usageError();
    const QString path = databasePathIn(rest.first());
    // Only a path with nothing there is "not found": a folder or a pipe in the file's place is
    // named as such by the attachment, which looks before the engine opens anything.
    if (server.isEmpty() && !QFileInfo::exists(path)) {
        printError(QStringLiteral("Banco de dados não encontrado: %1").arg(path));
        return 1;
    }
    SqlConnection connection;
    useLocalDatabase(connection, path);
    if (!server.isEmpty())
        connection.setParam(QStringLiteral("Database"), server + QLatin1Char(':') + path);
    printError(QStringLiteral("Banco de dados: %1").arg(connection.param(QStringLiteral("Database"))));
    // One copy and one marker for both updates.
    AtualizacaoProtegida protecao(connection);
    if (protecao.interrompida())
        printError(textoDaAtualizacaoInterrompida(protecao.database(), *protecao.interrompida()));
    std::optional<fb::Error> naoComecou;
    try {
        if (const auto impedimento = protecao.comeca()) {
            printError(impedimento->detalhe.isEmpty() ? impedimento->mensagem
                                                      : impedimento->mensagem + u'\n' + impedimento->detalhe);
            return 1;
        }
        printError(textoDaCopiaFeita(protecao.copia()));
    } catch (const fb::Error &error) {
        naoComecou = error;
    }
    const Fim primeira =
        runUpdate(QStringLiteral("I"), catalogueI(), connection, executaAtualizacaoI, protecao, naoComecou);
    // A connection that failed would only fail again.
    if (primeira == Fim::Interrompida)
        return 1;
    const Fim segunda =
        runUpdate(QStringLiteral("II"), catalogueII(), connection, executaAtualizacaoII, protecao);
    return primeira == Fim::Completa && segunda == Fim::Completa ? 0 : 1;
}
