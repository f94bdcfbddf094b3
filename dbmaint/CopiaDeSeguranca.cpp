#include "dbmaint/CopiaDeSeguranca.h"

#include "db/DatabaseFile.h"
#include "db/ServiceManager.h"
#include "db/SqlConnection.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace
{

QString prefixFor(const QString &databaseFile)
{
    return QFileInfo(databaseFile).completeBaseName() + QStringLiteral("-copia-");
}

// A large table is read for a while without a line from the engine; a silence much longer than a
// query's bound still ends the wait.
constexpr std::chrono::seconds kSilencioMaximo{120};

} // namespace

QString CopiaDeSeguranca::caminhoPara(const QString &database, const QDateTime &quando)
{
    const QString file = fb::DatabaseFile::locationOf(database).path;
    const QFileInfo info(file);
    return info.path() + u'/' + prefixFor(file) + quando.toString(QStringLiteral("yyyy-MM-dd-HHmmss")) +
           QStringLiteral(".fbk");
}

QString CopiaDeSeguranca::caminhoNovo(const QString &database, const QDateTime &quando,
                                      const QString &preservada)
{
    const QString first = caminhoPara(database, quando);
    const bool seenHere = !fb::DatabaseFile::localPath(database).isEmpty();
    QString candidate = first;
    for (int n = 2; candidate == preservada || (seenHere && QFileInfo::exists(candidate)); ++n)
        candidate = first.chopped(4) + QStringLiteral("-%1.fbk").arg(n);
    return candidate;
}

QStringList CopiaDeSeguranca::existentes(const QString &databaseFile)
{
    const QFileInfo info(databaseFile);
    const QDir folder = info.dir();
    QStringList names = folder.entryList({prefixFor(databaseFile) + QStringLiteral("*.fbk")}, QDir::Files,
                                         QDir::Name | QDir::Reversed);
    for (QString &name : names)
        name = folder.absoluteFilePath(name);
    return names;
}

CopiaDeSeguranca CopiaDeSeguranca::faz(SqlConnection &connection, const QString &caminho,
                                       const QString &preservada)
{
    const QString database = connection.param(QStringLiteral("Database"));
    CopiaDeSeguranca copia;
    copia.caminho = caminho;
    try {
        fb::backupDatabase(database, copia.caminho, connection.attachOptions(), kSilencioMaximo);
    } catch (const fb::Error &) {
        // What a full disk left half written is no copy; the engine leaves it behind.
        if (!fb::DatabaseFile::localPath(database).isEmpty())
            QFile::remove(copia.caminho);
        throw;
    }
    const QString here = fb::DatabaseFile::localPath(database);
    if (here.isEmpty() || !QFileInfo::exists(here))
        return copia;
    int kept = 0;
    for (const QString &older : existentes(here)) {
        if (older == preservada || ++kept <= kCopiasGuardadas)
            continue;
        if (QFile::remove(older))
            copia.removidas << older;
    }
    return copia;
}
