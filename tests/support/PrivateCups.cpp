#include "PrivateCups.h"

#include "FreePort.h"

#include <QDir>
#include <QFile>
#include <QTest>

namespace
{

bool writeFile(const QString &path, const QString &text)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(text.toUtf8()) == text.toUtf8().size();
}

} // namespace

PrivateCups::PrivateCups() : m_port(freePort())
{
    const QString dir = m_dir.path();
    for (const char *sub : {"state", "cache", "spool", "tmp"})
        QDir(dir).mkpath(QString::fromLatin1(sub));
    QFile::setPermissions(dir, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | QFile::ReadGroup |
                                   QFile::ExeGroup | QFile::ReadOther | QFile::ExeOther);
    const QString service =
        QStringLiteral("Listen 127.0.0.1:%1\nLogLevel warn\nBrowsing No\nWebInterface No\n"
                       "DefaultAuthType None\n<Location />\n  Order allow,deny\n  Allow all\n"
                       "</Location>\n<Policy default>\n  <Limit All>\n    Order deny,allow\n"
                       "  </Limit>\n</Policy>\n")
            .arg(m_port);
    const QString files = QStringLiteral("ServerRoot %1\nStateDir %1/state\nCacheDir %1/cache\n"
                                         "RequestRoot %1/spool\nTempDir %1/tmp\nErrorLog %1/error_log\n"
                                         "AccessLog %1/access_log\nPageLog %1/page_log\n"
                                         "SystemGroup root\nSandboxing Relaxed\n")
                              .arg(dir);
    if (!m_port || !writeFile(dir + QStringLiteral("/cupsd.conf"), service) ||
        !writeFile(dir + QStringLiteral("/cups-files.conf"), files)) {
        m_failure = QStringLiteral("could not prepare the print service's folder");
        return;
    }
    m_cupsd.setProcessChannelMode(QProcess::MergedChannels);
    m_cupsd.start(QStringLiteral("cupsd"),
                  {QStringLiteral("-f"), QStringLiteral("-c"), dir + QStringLiteral("/cupsd.conf"),
                   QStringLiteral("-s"), dir + QStringLiteral("/cups-files.conf")});
    if (!m_cupsd.waitForStarted()) {
        m_failure = QStringLiteral("cupsd did not start: ") + m_cupsd.errorString();
        return;
    }
    // Ready once it answers; the queue is made through it.
    // lpstat -r ends well either way; its words (C locale) tell.
    QString answer;
    const bool ready = QTest::qWaitFor(
        [&] {
            answer = output(QStringLiteral("lpstat"), {QStringLiteral("-r")});
            return answer.contains(QLatin1String("scheduler is running")) ||
                   m_cupsd.state() != QProcess::Running;
        },
        20000);
    if (!ready || m_cupsd.state() != QProcess::Running) {
        m_failure = QStringLiteral("cupsd did not answer: ") + answer + QString::fromUtf8(m_cupsd.readAll());
        return;
    }
    m_failure = command(QStringLiteral("lpadmin"),
                        {QStringLiteral("-p"), queue(), QStringLiteral("-E"), QStringLiteral("-v"),
                         QStringLiteral("file:///dev/null"), QStringLiteral("-m"), QStringLiteral("raw")});
}

PrivateCups::~PrivateCups()
{
    if (m_cupsd.state() == QProcess::NotRunning)
        return;
    m_cupsd.terminate(); // SIGTERM to its own process id
    if (!m_cupsd.waitForFinished(10000)) {
        m_cupsd.kill();
        m_cupsd.waitForFinished();
    }
}

QString PrivateCups::output(const QString &program, const QStringList &arguments, bool *succeeded) const
{
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("CUPS_SERVER"), server());
    env.insert(QStringLiteral("LC_ALL"), QStringLiteral("C"));
    process.setProcessEnvironment(env);
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(program, arguments);
    if (!process.waitForFinished(20000)) {
        process.kill();
        process.waitForFinished();
        if (succeeded)
            *succeeded = false;
        return program + QStringLiteral(" did not end");
    }
    if (succeeded)
        *succeeded = process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
    return QString::fromUtf8(process.readAll()).trimmed();
}

QString PrivateCups::command(const QString &program, const QStringList &arguments) const
{
    bool succeeded = false;
    const QString text = output(program, arguments, &succeeded);
    if (succeeded)
        return QString();
    return text.isEmpty() ? program + QStringLiteral(" failed") : text;
}

int PrivateCups::jobCount() const
{
    bool succeeded = false;
    const QString jobs =
        output(QStringLiteral("lpstat"),
               {QStringLiteral("-W"), QStringLiteral("all"), QStringLiteral("-o"), queue()}, &succeeded);
    return succeeded ? int(jobs.split(u'\n', Qt::SkipEmptyParts).size()) : -1;
}

bool PrivateCups::reject()
{
    return command(QStringLiteral("cupsreject"), {queue()}).isEmpty();
}

bool PrivateCups::accept()
{
    return command(QStringLiteral("cupsaccept"), {queue()}).isEmpty();
}

bool PrivateCups::makeDefault()
{
    return command(QStringLiteral("lpadmin"), {QStringLiteral("-d"), queue()}).isEmpty();
}
