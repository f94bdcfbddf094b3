#include "db/SharedEngine.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>

#include <cstdio>
#include <dlfcn.h>
#include <firebird/Interface.h>

namespace fb
{

namespace
{

// The Firebird installation the client library belongs to: on Debian, firebird/3.0 beside it.
QString machineRoot()
{
    Dl_info library = {};
    if (!dladdr(reinterpret_cast<void *>(&Firebird::fb_get_master_interface), &library) || !library.dli_fname)
        return QString();
    return QFileInfo(QString::fromLocal8Bit(library.dli_fname)).absolutePath() +
           QStringLiteral("/firebird/3.0");
}

bool writeIfChanged(const QString &path, const QByteArray &content)
{
    QFile current(path);
    if (current.open(QIODevice::ReadOnly) && current.readAll() == content)
        return true;
    QSaveFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(content) == content.size() && file.commit();
}

// Copies source unless an identical copy (size and time) is there; the copy replaces the old
// one in a single rename, so a process loading it meanwhile never sees half a file.
bool copyIfChanged(const QString &source, const QString &target)
{
    const QFileInfo from(source);
    const QFileInfo to(target);
    if (to.exists() && to.size() == from.size() && to.lastModified() == from.lastModified())
        return true;
    const QString partial = target + QStringLiteral(".%1").arg(QCoreApplication::applicationPid());
    QFile::remove(partial);
    if (!QFile::copy(source, partial))
        return false;
    QFile copy(partial);
    if (!copy.open(QIODevice::ReadWrite) ||
        !copy.setFileTime(from.lastModified(), QFileDevice::FileModificationTime)) {
        QFile::remove(partial);
        return false;
    }
    copy.close();
    return std::rename(QFile::encodeName(partial).constData(), QFile::encodeName(target).constData()) == 0;
}

bool prepare(const QString &folder, const QString &root)
{
    const auto include = [&root](const char *name) {
        return QByteArray("include ") + QFile::encodeName(root) + '/' + name + '\n';
    };
    return QDir().mkpath(folder + QStringLiteral("/intl")) &&
           writeIfChanged(folder + QStringLiteral("/firebird.conf"),
                          "# Written by Estocarium: the machine's settings in SuperClassic mode.\n"
                          "ServerMode = SuperClassic\n" +
                              include("firebird.conf")) &&
           writeIfChanged(folder + QStringLiteral("/databases.conf"), include("databases.conf")) &&
           writeIfChanged(folder + QStringLiteral("/plugins.conf"), include("plugins.conf")) &&
           copyIfChanged(root + QStringLiteral("/intl/libfbintl.so"),
                         folder + QStringLiteral("/intl/libfbintl.so"));
}

} // namespace

namespace
{

EngineSharing g_sharing = EngineSharing::Unshared;
QString g_folder;

// Where the folder may go, in order: the user's cache folder, then the runtime folder (which
// Qt makes private under /tmp when XDG_RUNTIME_DIR is not set). A read-only or missing home
// leaves the second, asked for only then.
QString candidateFolder(int index)
{
    const QString base = QStandardPaths::writableLocation(index == 0 ? QStandardPaths::GenericCacheLocation
                                                                     : QStandardPaths::RuntimeLocation);
    return base.isEmpty() ? QString() : base + QStringLiteral("/estocarium/firebird");
}

constexpr int kCandidates = 2;

} // namespace

QString sharedEngineFolder()
{
    return g_folder;
}

EngineSharing engineSharing()
{
    return g_sharing;
}

void useSharedEngine()
{
    if (qEnvironmentVariableIsSet("FIREBIRD")) {
        g_sharing = EngineSharing::Configured;
        return;
    }
    const QString root = machineRoot();
    if (root.isEmpty() || !QFileInfo::exists(root + QStringLiteral("/firebird.conf")))
        return;
    for (int candidate = 0; candidate < kCandidates; ++candidate) {
        const QString folder = candidateFolder(candidate);
        if (!folder.isEmpty() && prepare(folder, root)) {
            qputenv("FIREBIRD", QFile::encodeName(folder));
            g_folder = folder;
            g_sharing = EngineSharing::Shared;
            return;
        }
    }
}

QString unsharedEngineWarning()
{
    return QStringLiteral(
               "Atenção, não foi possível gravar a configuração do Firebird deste programa (%1): o banco de "
               "dados local fica reservado a este programa enquanto ele estiver aberto, e um segundo "
               "programa (outra janela do Estocarium ou o estocarium-db) não conseguirá abri-lo. Libere a "
               "gravação na pasta pessoal do usuário para usar os dois ao mesmo tempo.")
        .arg(candidateFolder(0));
}

} // namespace fb
