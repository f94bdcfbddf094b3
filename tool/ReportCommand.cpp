#include "tool/ReportCommand.h"

#include "db/FbError.h"
#include "db/SharedEngine.h"
#include "db/SqlConnection.h"
#include "reportengine/ReportExportError.h"
#include "reports/RelatorioUsuarios.h"
#include "reports/ReportExportFilters.h"
#include "session/ConnectionOpening.h"
#include "session/DatabaseFailure.h"
#include "session/uTotal.h"
#include "tool/ToolDatabase.h"
#include "tool/ToolOutput.h"
#include "tool/ToolUsage.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <optional>

namespace
{

struct ReportRequest {
    QString dir;
    QString format;
    QString out;
    QString period; // MM/AAAA, empty: the session's own
};

const QStringList kFormats = {QStringLiteral("pdf"), QStringLiteral("txt"), QStringLiteral("csv"),
                              QStringLiteral("html")};

// Empty after reporting a bad command line.
std::optional<ReportRequest> parse(const QStringList &args)
{
    if (args.value(0) != QLatin1String("usuarios")) {
        usageError(args.isEmpty() ? QStringLiteral("Falta o nome do relatório (usuarios)")
                                  : QStringLiteral("Relatório desconhecido: %1").arg(args.first()));
        return std::nullopt;
    }
    ReportRequest request;
    for (qsizetype i = 1; i < args.size(); ++i) {
        const QString &arg = args[i];
        QString *option = arg == QLatin1String("--format")    ? &request.format
                          : arg == QLatin1String("--out")     ? &request.out
                          : arg == QLatin1String("--periodo") ? &request.period
                                                              : nullptr;
        if (option) {
            if (i + 1 >= args.size()) {
                usageError(QStringLiteral("%1 pede um valor").arg(arg));
                return std::nullopt;
            }
            *option = args[++i];
        } else if (request.dir.isEmpty() && !arg.startsWith(u'-')) {
            request.dir = arg;
        } else {
            usageError(QStringLiteral("Argumento inesperado: %1").arg(arg));
            return std::nullopt;
        }
    }
    QString problem;
    if (request.dir.isEmpty())
        problem = QStringLiteral("Falta a pasta do banco de dados");
    else if (!kFormats.contains(request.format))
        problem = QStringLiteral("--format pede pdf, txt, csv ou html");
    else if (request.out.isEmpty())
        problem = QStringLiteral("Falta --out ARQUIVO");
    else if (!request.period.isEmpty() &&
             !QRegularExpression(QStringLiteral("^(0[1-9]|1[0-2])/\\d{4}$")).match(request.period).hasMatch())
        problem = QStringLiteral("--periodo pede mês e ano no formato MM/AAAA");
    if (!problem.isEmpty()) {
        usageError(problem);
        return std::nullopt;
    }
    return request;
}

const ReportExportFilter &filterFor(const ReportExportFilters &filters, const QString &format)
{
    if (format == QLatin1String("txt"))
        return filters.RptTextFilter1;
    if (format == QLatin1String("csv"))
        return filters.RptCSVFilter1;
    if (format == QLatin1String("html"))
        return filters.RptHTMLFilter1;
    return filters.RptPDFFilter1;
}

// The connection to the database in folder as its clientes.ini sets it up, as the program would
// open it there. A failure that the program reports in words of its own (internet mode) is
// printed with its cause and gives false; any other leaves as fb::Error.
bool openConnection(SqlConnection &connection, const QString &folder)
{
    const ConnectionOutcome outcome = openConfiguredConnection(connection, folder);
    if (outcome.mode == ModoConexao::Local && fb::engineSharing() == fb::EngineSharing::Unshared)
        printError(fb::unsharedEngineWarning());
    if (outcome.connected)
        return true;
    if (outcome.message.isEmpty())
        throw *outcome.cause;
    printError(outcome.message);
    printError(DatabaseFailure::of(*outcome.cause).explanation());
    return false;
}

void writeReport(SqlConnection &connection, const ReportRequest &request, const QString &outPath)
{
    if (request.period.size() == 7) {
        Mes_Vero = request.period.left(2);
        Ano_Vero = request.period.right(4);
    }
    TituloRelatorio = QStringLiteral("Relatório dos Usuários");

    const ReportExportFilters filters;
    RelatorioUsuarios relatorio(&connection);
    relatorio.AbreDados();
    relatorio.PreencheCabecalho();
    filterFor(filters, request.format).save(relatorio.Rpt_Relatorio, outPath);
    relatorio.cdsDados.close();
}

} // namespace

int runReportCommand(const QStringList &args)
{
    const std::optional<ReportRequest> request = parse(args);
    if (!request)
        return UsageExitCode;

    const QString outPath = QFileInfo(request->out).absoluteFilePath();
    // The folder as the program started in it would see it: links resolved, as the system gives a
    // working folder.
    const QString folder = QDir(request->dir).canonicalPath();
    if (folder.isEmpty() || !QFileInfo(folder).isDir()) {
        printError(QStringLiteral("Pasta não encontrada: %1").arg(request->dir));
        return 1;
    }
    SqlConnection connection;
    int status = 0;
    try {
        InicializaSessao(folder);
        if (!openConnection(connection, folder))
            status = 1;
        else
            writeReport(connection, *request, outPath);
    } catch (const fb::Error &e) {
        printDatabaseFailure(QStringLiteral("Falha ao ler o banco de dados"), e);
        status = 1;
    } catch (const ReportExportError &e) {
        printError(e.text());
        if (!e.detail().isEmpty())
            printError(e.detail());
        status = 1;
    } catch (const std::exception &e) {
        printError(QStringLiteral("Falha ao gerar o relatório: %1").arg(QString::fromUtf8(e.what())));
        status = 1;
    }
    if (status == 0)
        printLine(QStringLiteral("Relatório gravado: %1").arg(outPath));
    return status;
}
