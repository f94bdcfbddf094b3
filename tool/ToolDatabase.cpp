#include "tool/ToolDatabase.h"

#include "db/SqlConnection.h"

#include <QDir>

QString databasePathIn(const QString &dir)
{
    return QDir(dir).absoluteFilePath(QStringLiteral("LICITACAO.FDB"));
}

void useLocalDatabase(SqlConnection &connection, const QString &path)
{
    connection.setParam(QStringLiteral("Database"), path);
    connection.setParam(QStringLiteral("ServerCharSet"), QStringLiteral("WIN1252"));
}
