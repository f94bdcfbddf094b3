#include "db/DatabaseFile.h"

#include "db/FbError.h"

#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <firebird/Interface.h>
#include <sys/stat.h>

namespace fb
{

DatabaseFile::Location DatabaseFile::locationOf(const QString &database)
{
    const qsizetype colon = database.indexOf(u':');
    if (database.startsWith(u'/') || colon < 0)
        return {QString(), database};
    return {database.left(colon), database.mid(colon + 1)};
}

QString DatabaseFile::localPath(const QString &database)
{
    if (database.startsWith(u'/'))
        return database;
    if (database.contains(QLatin1String("://")))
        return QString();
    // "server:path" and "server/port:path" alike: the server ends at the first colon.
    const qsizetype colon = database.indexOf(u':');
    if (colon < 0)
        return database;
    const QString afterServer = database.mid(colon + 1);
    return afterServer.startsWith(u'/') ? afterServer : QString();
}

void DatabaseFile::refuseIfNotRegularFile(const QString &database)
{
    const QString file = localPath(database);
    struct stat status {
    };
    if (file.isEmpty() || ::stat(QFile::encodeName(file).constData(), &status) != 0 ||
        S_ISREG(status.st_mode))
        return;
    const bool folder = S_ISDIR(status.st_mode);
    throw Error(QStringLiteral("%1: %2").arg(file, folder ? QStringLiteral("é uma pasta, não um arquivo")
                                                          : QStringLiteral("não é um arquivo comum (é um "
                                                                           "canal, soquete ou dispositivo)")),
                0, {isc_io_error, isc_io_open_err}, {}, {folder ? EISDIR : ENXIO});
}

std::optional<DatabaseFile::Identity> DatabaseFile::identityOf(const QString &path)
{
    struct stat status {
    };
    if (path.isEmpty() || ::stat(QFile::encodeName(path).constData(), &status) != 0 ||
        !S_ISREG(status.st_mode))
        return std::nullopt;
    return Identity{status.st_dev, status.st_ino};
}

void DatabaseFile::remember(const QString &database)
{
    m_path = localPath(database);
    m_watched = identityOf(m_path);
}

QString DatabaseFile::change() const
{
    if (!m_watched)
        return QString();
    const std::optional<Identity> now = identityOf(m_path);
    if (now && now->device == m_watched->device && now->inode == m_watched->inode)
        return QString();
    const QString name = QFileInfo(m_path).fileName();
    const QString folder = QFileInfo(m_path).absolutePath();
    if (now)
        return QStringLiteral(
                   "Atenção, o arquivo do banco de dados %1 na pasta %2 foi substituído por outro "
                   "enquanto o programa trabalhava nele: nada desta operação foi gravado no arquivo "
                   "que está agora na pasta. A próxima operação usa esse arquivo; confira os dados "
                   "e repita a operação.")
            .arg(name, folder);
    return QStringLiteral(
               "Atenção, o arquivo do banco de dados %1 foi removido ou movido da pasta %2 enquanto "
               "o programa trabalhava nele: nada desta operação foi gravado. Peça ao administrador "
               "que devolva o arquivo à pasta e repita a operação.")
        .arg(name, folder);
}

} // namespace fb
