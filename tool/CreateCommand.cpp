#include "tool/CreateCommand.h"

#include "db/FbError.h"
#include "reportengine/FileWriteFailure.h"
#include "tool/ArquivosDeInstalacao.h"
#include "tool/BancoNovo.h"
#include "tool/PerfilCliente.h"
#include "tool/ToolDatabase.h"
#include "tool/ToolOutput.h"
#include "tool/ToolUsage.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <optional>
#include <stdexcept>

namespace
{

struct CreateRequest {
    QString dir;
    int extraUsers = 0;
};

// Empty after reporting a bad command line.
std::optional<CreateRequest> parse(const QStringList &args)
{
    CreateRequest request;
    for (qsizetype i = 0; i < args.size(); ++i) {
        if (args[i] == QLatin1String("--users")) {
            bool ok = false;
            const qlonglong n = i + 1 < args.size() ? args[i + 1].toLongLong(&ok) : 0;
            if (!ok || n < 0) {
                usageError(QStringLiteral("--users pede um número de usuários (0 a %1)").arg(MaxExtraUsers));
                return std::nullopt;
            }
            if (n > MaxExtraUsers) {
                printError(
                    QStringLiteral("Os códigos de usuário têm quatro dígitos e 0001 é o do administrador: "
                                   "--users aceita no máximo %1 usuários (pedidos: %2). Nada foi criado.")
                        .arg(MaxExtraUsers)
                        .arg(n));
                return std::nullopt;
            }
            request.extraUsers = int(n);
            ++i;
        } else if (request.dir.isEmpty() && !args[i].startsWith(QLatin1String("-"))) {
            request.dir = args[i];
        } else {
            usageError(QStringLiteral("Argumento inesperado: %1").arg(args[i]));
            return std::nullopt;
        }
    }
    if (request.dir.isEmpty()) {
        usageError(QStringLiteral("Falta a pasta do banco de dados"));
        return std::nullopt;
    }
    return request;
}

} // namespace

int runCreateCommand(const QStringList &args)
{
    const std::optional<CreateRequest> request = parse(args);
    if (!request)
        return UsageExitCode;

    const QString path = databasePathIn(request->dir);
    if (QFileInfo::exists(path)) {
        printError(QStringLiteral("O banco de dados %1 já existe; nada foi alterado.").arg(path));
        return 1;
    }
    try {
        const QByteArray logo = recursoInterno(QStringLiteral(":/images/logo.jpg"));
        const PerfilCliente profile = perfilDoCliente1();
        const QList<ArquivoDeInstalacao> files = arquivosDeInstalacao(profile.name);
        if (!QDir().mkpath(request->dir)) {
            const int systemError = errno;
            throw std::runtime_error(QStringLiteral("Não foi possível criar a pasta %1. %2")
                                         .arg(request->dir, fileWriteFailure(request->dir, systemError))
                                         .toStdString());
        }
        try {
            criaBancoNovo(path, profile, logo, request->extraUsers);
        } catch (...) {
            // A database begun here and not finished (a full disk) would only stand in the way of
            // the next create, which refuses an existing one; there was none before.
            QFile::remove(path);
            throw;
        }
        printLine(QStringLiteral("Banco de dados criado: %1").arg(path));
        printLine(
            QStringLiteral("Usuários: 0001 (ADMINISTRADOR, senha 1) e mais %1").arg(request->extraUsers));
        const QStringList written = gravaArquivosAusentes(request->dir, files);
        if (!written.isEmpty())
            printLine(QStringLiteral("Arquivos gravados: %1").arg(written.join(QStringLiteral(", "))));
    } catch (const fb::Error &e) {
        printDatabaseFailure(QStringLiteral("Falha ao criar o banco de dados"), e);
        return 1;
    } catch (const std::exception &e) {
        printError(QString::fromUtf8(e.what()));
        return 1;
    }
    return 0;
}
