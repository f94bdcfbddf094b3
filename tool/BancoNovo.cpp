#include "tool/BancoNovo.h"

#include "db/Attachment.h"
#include "db/FbError.h"
#include "db/SqlConnection.h"
#include "dbmaint/CatalogueI.h"
#include "dbmaint/CatalogueII.h"
#include "dbmaint/ExecutaAtualizacao.h"
#include "session/uTotal.h"
#include "tool/TabelaOrgaos.h"
#include "tool/ToolDatabase.h"
#include "users/InsereUsuarios.h"
#include "users/UsuariosFicticios.h"

#include <QFile>

namespace
{

// On a new database only the empty positions and the drops of objects that do not exist yet may be
// refused; anything else means the schema is incomplete.
void requireCompleteSchema(const QString &update, const QStringList &catalogue, const CatalogueRun &run)
{
    if (run.stop)
        throw *run.stop;
    for (const StatementOutcome &o : run.outcomes) {
        const QString &statement = catalogue.at(o.position - 1);
        if (o.ok || statement.isEmpty() || statement.startsWith(QLatin1String("DROP ")) ||
            statement.contains(QLatin1String(" DROP CONSTRAINT ")))
            continue;
        throw fb::Error(QStringLiteral("A posição %1 da atualização %2 foi recusada: %3")
                            .arg(o.position)
                            .arg(update, o.reason));
    }
}

void fillDatabase(const QString &path, const PerfilCliente &profile, const QByteArray &logo, int extraUsers)
{
    SqlConnection connection;
    useLocalDatabase(connection, path);
    requireCompleteSchema(QStringLiteral("I"), catalogueI(), executaAtualizacaoI(connection));
    requireCompleteSchema(QStringLiteral("II"), catalogueII(), executaAtualizacaoII(connection));
    criaOrgaos(connection.attachment(), profile, logo);

    const QString adminCpf = cpfFicticio(1);
    const QString stamp = adminCpf + QStringLiteral(" - ADMINISTRADOR");
    QList<UsuarioNovo> users{{QStringLiteral("0001"), QStringLiteral("ADMINISTRADOR"), adminCpf,
                              QStringLiteral("1"), QStringLiteral("ADMINISTRADOR"), QStringLiteral("S"),
                              stamp}};
    users += usuariosFicticios(2, extraUsers, stamp);
    insereUsuarios(connection.attachment(), users, Chave);
    connection.close();
}

} // namespace

void criaBancoNovo(const QString &path, const PerfilCliente &profile, const QByteArray &logo, int extraUsers)
{
    {
        fb::Attachment creator;
        creator.create(path, fb::AttachOptions{}, fb::CreateOptions{QStringLiteral("WIN1252"), 8192});
        creator.detach();
    }
    try {
        fillDatabase(path, profile, logo, extraUsers);
    } catch (...) {
        QFile::remove(path);
        throw;
    }
}
