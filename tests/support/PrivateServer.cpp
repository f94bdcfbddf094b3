#include "PrivateServer.h"

#include "FreePort.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <signal.h>
#include <unistd.h>

namespace
{

// Every thread of process id has ended (what is left, if anything, waits to be collected).
bool ended(qint64 id)
{
    const QString process = QStringLiteral("/proc/%1").arg(id);
    const QStringList threads =
        QDir(process + QStringLiteral("/task")).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    if (threads.isEmpty())
        return true;
    if (threads.size() > 1)
        return false;
    QFile stat(process + QStringLiteral("/stat"));
    if (!stat.open(QIODevice::ReadOnly))
        return true;
    // "pid (name) state ...": the name may hold spaces and parentheses, the state follows the last ')'.
    const QByteArray line = stat.readAll();
    const int close = line.lastIndexOf(')');
    return close < 0 || line.mid(close + 2, 1) == "Z";
}

} // namespace

PrivateServer::PrivateServer() : m_port(freePort())
{
    run(QStringLiteral("start"));
}

PrivateServer::~PrivateServer()
{
    run(QStringLiteral("stop"));
}

bool PrivateServer::run(const QString &command)
{
    QProcess script;
    script.setProcessChannelMode(QProcess::MergedChannels);
    QStringList arguments{QStringLiteral(ESTOCARIUM_SOURCE_DIR "/scripts/firebird-server.sh"), command,
                          m_dir.path()};
    if (command == QLatin1String("start"))
        arguments << QString::number(m_port);
    script.start(QStringLiteral("bash"), arguments);
    if (!script.waitForFinished(60000) || script.exitCode() != 0) {
        m_failure = QString::fromUtf8(script.readAll()).trimmed();
        if (m_failure.isEmpty())
            m_failure = QStringLiteral("firebird-server.sh %1 failed").arg(command);
        return false;
    }
    m_failure.clear();
    return true;
}

QString PrivateServer::host() const
{
    return QStringLiteral("localhost/%1").arg(m_port);
}

QString PrivateServer::database(const QString &path) const
{
    return host() + u':' + path;
}

qint64 PrivateServer::pid() const
{
    QFile file(m_dir.path() + QStringLiteral("/server.pid"));
    return file.open(QIODevice::ReadOnly) ? file.readAll().trimmed().toLongLong() : 0;
}

void PrivateServer::signal(int number)
{
    if (const qint64 id = pid(); id > 0)
        ::kill(pid_t(id), number);
}

void PrivateServer::kill()
{
    const qint64 id = pid();
    signal(SIGKILL);
    // A crashed server is restarted once it has ended whole: its process becomes a zombie as soon
    // as its main thread has ended, while other threads may still hold the database file for a
    // moment on a busy machine. A server started meanwhile refuses every connection until then.
    for (int waited = 0; id > 0 && !ended(id) && waited < 10000; waited += 10)
        ::usleep(10000);
}

void PrivateServer::pause()
{
    signal(SIGSTOP);
}

void PrivateServer::resume()
{
    signal(SIGCONT);
}

void PrivateServer::restart()
{
    run(QStringLiteral("start"));
}
