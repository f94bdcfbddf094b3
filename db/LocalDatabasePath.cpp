#include "db/LocalDatabasePath.h"

#include "db/FbError.h"

#include <QFile>

#include <cerrno>
#include <firebird/Interface.h>
#include <sys/stat.h>

namespace fb
{

QString localDatabaseFile(const QString &database)
{
    if (database.isEmpty() || database.contains(QLatin1String("://")))
        return QString();
    // "server:/path" names a server; a path of this machine has no colon before its first slash.
    const qsizetype colon = database.indexOf(u':');
    const qsizetype slash = database.indexOf(u'/');
    if (colon >= 0 && (slash < 0 || colon < slash))
        return QString();
    return database;
}

void refuseIfNotRegularFile(const QString &database)
{
    const QString file = localDatabaseFile(database);
    struct stat status = {};
    if (file.isEmpty() || ::stat(QFile::encodeName(file).constData(), &status) != 0 ||
        S_ISREG(status.st_mode))
        return;
    const bool folder = S_ISDIR(status.st_mode);
    throw Error(QStringLiteral("%1: %2").arg(file, folder ? QStringLiteral("é uma pasta, não um arquivo")
                                                          : QStringLiteral("não é um arquivo comum (é um "
                                                                           "canal, soquete ou dispositivo)")),
                0, {isc_io_error, isc_io_open_err}, {}, {folder ? EISDIR : ENXIO});
}

} // namespace fb
