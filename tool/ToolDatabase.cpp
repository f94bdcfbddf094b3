#include "tool/ToolDatabase.h"

#include "db/FbApi.h"
#include "db/FbError.h"
#include "db/SharedEngine.h"
#include "db/SqlConnection.h"
#include "session/DatabaseFailure.h"
#include "tool/ToolOutput.h"

#include <QDir>

QString databasePathIn(const QString &dir)
{
    return QDir(dir).absoluteFilePath(QStringLiteral("LICITACAO.FDB"));
}

void useLocalDatabase(SqlConnection &connection, const QString &path)
{
    connection.setParam(QStringLiteral("Database"), path);
    connection.setParam(QStringLiteral("ServerCharSet"), QStringLiteral("WIN1252"));
    fb::api::master(); // the engine set up, so that its sharing is known
    if (fb::engineSharing() == fb::EngineSharing::Unshared)
        printError(fb::unsharedEngineWarning());
}

void printDatabaseFailure(const QString &step, const fb::Error &error)
{
    printError(step + QStringLiteral(": ") + DatabaseFailure::of(error).explanation());
}
