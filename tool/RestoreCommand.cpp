#include "tool/RestoreCommand.h"

#include "db/ServiceManager.h"
#include "db/SqlConnection.h"
#include "db/SqlQuery.h"
#include "dbmaint/MarcaDeAtualizacao.h"
#include "session/DatabaseFailure.h"
#include "tool/ToolDatabase.h"
#include "tool/ToolOutput.h"
#include "tool/ToolUsage.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <cstring>
#include <unistd.h>

namespace
{

// The other attachments to the database, from the engine's monitoring tables; they see every
// process's attachments, not only this one's. An engine elsewhere that holds the file
// exclusively refuses the attachment: that is reported as in use as well.
std::optional<QString> inUse(const QString &path)
{
    SqlConnection connection;
    useLocalDatabase(connection, path);
    try {
        SqlQuery query(&connection);
        query.setSql(QStringLiteral("SELECT COUNT(*) FROM MON$ATTACHMENTS WHERE MON$ATTACHMENT_ID <> "
                                    "CURRENT_CONNECTION AND MON$SYSTEM_FLAG = 0"));
        query.open();
        const qint64 others = query.value(0, 0).toLongLong();
        connection.close();
        if (others > 0)
            return QStringLiteral("o banco de dados está em uso por %1 conexão(ões). Feche o programa em "
                                  "todas as estações e tente de novo.")
                .arg(others);
    } catch (const fb::Error &error) {
        const DatabaseFailure failure = DatabaseFailure::of(error);
        if (failure.cause == DatabaseFailure::Cause::InUse)
            return failure.explanation();
        // A database too damaged to be opened is what a copy is put back for.
        printError(QStringLiteral("O banco atual não pôde ser aberto para ver se está em uso (%1); a cópia "
                                  "será recolocada assim mesmo.")
                       .arg(error.text().split(u'\n').first()));
    }
    return std::nullopt;
}

QString systemError()
{
    return QString::fromLocal8Bit(std::strerror(errno));
}

} // namespace

int runRestoreCommand(const QStringList &args)
{
    if (args.size() != 2)
        return usageError();
    const QString path = databasePathIn(args.at(0));
    const QString copia = QFileInfo(args.at(1)).absoluteFilePath();
    if (!QFileInfo(copia).isFile()) {
        printError(QStringLiteral("Cópia de segurança não encontrada: %1").arg(copia));
        return 1;
    }
    const bool existing = QFileInfo::exists(path);
    if (existing) {
        if (const std::optional<QString> busy = inUse(path)) {
            printError(QStringLiteral("A cópia não foi recolocada: %1").arg(*busy));
            return 1;
        }
    }
    const QString restoring = path + QStringLiteral(".restaurando");
    QFile::remove(restoring); // what an earlier restore that did not end left
    SqlConnection parameters;
    useLocalDatabase(parameters, restoring);
    printError(QStringLiteral("Recolocando %1 em %2...").arg(copia, restoring));
    try {
        fb::restoreDatabase(copia, restoring, parameters.attachOptions(), std::chrono::seconds(120));
    } catch (const fb::Error &error) {
        QFile::remove(restoring);
        printDatabaseFailure(QStringLiteral("A cópia não foi recolocada e o banco não foi alterado"), error);
        return 1;
    }
    QString kept;
    if (existing) {
        QFile::setPermissions(restoring, QFile::permissions(path));
        kept = QFileInfo(path).path() + QStringLiteral("/") + QFileInfo(path).completeBaseName() +
               QStringLiteral("-substituido-") +
               QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd-HHmmss")) +
               QStringLiteral(".FDB");
        // A second name for the current file: nothing of it is lost when the copy takes its place.
        if (::link(QFile::encodeName(path).constData(), QFile::encodeName(kept).constData()) != 0) {
            printError(
                QStringLiteral("A cópia não foi recolocada e o banco não foi alterado: não foi possível "
                               "guardar o banco atual como %1 (%2).")
                    .arg(kept, systemError()));
            QFile::remove(restoring);
            return 1;
        }
    }
    if (::rename(QFile::encodeName(restoring).constData(), QFile::encodeName(path).constData()) != 0) {
        printError(QStringLiteral("A cópia não foi recolocada e o banco não foi alterado: %1 (%2).")
                       .arg(path, systemError()));
        QFile::remove(restoring);
        if (!kept.isEmpty())
            QFile::remove(kept);
        return 1;
    }
    MarcaDeAtualizacao(path).remove();
    printLine(QStringLiteral("Cópia recolocada: %1 é agora a cópia %2.").arg(path, copia));
    if (!kept.isEmpty())
        printLine(QStringLiteral("O banco que estava em seu lugar foi guardado em %1.").arg(kept));
    return 0;
}
