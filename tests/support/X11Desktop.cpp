#include "X11Desktop.h"

#include "ProgramPaths.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTest>
#include <QThread>

namespace
{

// Polls without sleeping blindly: the condition is tested every 50 ms until it holds or time is up.
template<typename Condition>
bool waitFor(Condition condition, int timeoutMs)
{
    const QDeadlineTimer deadline(timeoutMs);
    while (!condition()) {
        if (deadline.hasExpired())
            return false;
        QThread::msleep(50);
    }
    return true;
}

void endProcess(QProcess *process)
{
    if (!process || process->state() == QProcess::NotRunning)
        return;
    process->terminate(); // lets Xvfb remove its lock file
    if (!process->waitForFinished(5000)) {
        process->kill();
        process->waitForFinished(5000);
    }
}

} // namespace

X11Desktop::X11Desktop(const QString &suite)
    : m_artifacts(ESTOCARIUM_BUILD_DIR + QStringLiteral("/e2e-artifacts/") + suite)
{
}

X11Desktop::~X11Desktop()
{
    stop();
}

QString X11Desktop::start()
{
    for (const char *tool : {"Xvfb", "openbox", "xdotool", "import", "xprop"}) {
        if (QStandardPaths::findExecutable(tool).isEmpty())
            return QStringLiteral("%1 is missing (scripts/setup.sh installs it)").arg(tool);
    }
    QDir(m_artifacts).removeRecursively();
    if (!QDir().mkpath(m_artifacts))
        return QStringLiteral("cannot make ") + m_artifacts;

    // Xvfb picks a display number nobody holds and writes it on its standard output. Without
    // -noreset it resets itself whenever its last client leaves, as a probe does before the window
    // manager has connected on a busy machine.
    m_xvfb = std::make_unique<QProcess>();
    m_xvfb->setProcessChannelMode(QProcess::SeparateChannels);
    m_xvfb->start("Xvfb", {"-displayfd", "1", "-noreset", "-screen", "0", "1280x800x24", "-nolisten", "tcp"});
    if (!m_xvfb->waitForStarted())
        return QStringLiteral("cannot start Xvfb");
    while (!m_xvfb->canReadLine() && m_xvfb->state() == QProcess::Running)
        m_xvfb->waitForReadyRead(15000);
    m_display = ":" + QString::fromLatin1(m_xvfb->readLine()).trimmed();
    if (m_display == ":")
        return QStringLiteral("no free X display");

    // openbox has been seen to end at once, quietly and with status 0, on a loaded machine: it is
    // given three chances, and what became of the last one is told.
    QString failure;
    for (int attempt = 0; attempt < 3; ++attempt) {
        failure = startWindowManager();
        if (failure.isEmpty())
            return {};
        qWarning("%s", qPrintable(failure));
    }
    return failure;
}

QString X11Desktop::startWindowManager()
{
    m_wm = std::make_unique<QProcess>();
    m_wm->setProcessEnvironment(environment());
    m_wm->setProcessChannelMode(QProcess::ForwardedErrorChannel);
    m_wm->start("openbox", {});
    if (!m_wm->waitForStarted())
        return QStringLiteral("cannot start openbox");
    const bool managed = waitFor(
        [this] {
            // waitForFinished(0) takes note of an end that no event loop has reported yet.
            return m_wm->state() != QProcess::Running || m_wm->waitForFinished(0) ||
                   x("xprop", {"-root", "_NET_SUPPORTING_WM_CHECK"}).contains("window id");
        },
        15000);
    if (managed && m_wm->state() == QProcess::Running)
        return {};
    const QString state = m_wm->state() == QProcess::Running
                              ? QStringLiteral("running")
                              : QStringLiteral("ended: status %1, code %2, output %3")
                                    .arg(m_wm->exitStatus())
                                    .arg(m_wm->exitCode())
                                    .arg(QString::fromLocal8Bit(m_wm->readAllStandardOutput()));
    endProcess(m_wm.get());
    return QStringLiteral("no window manager on %1 (%2)").arg(m_display, state);
}

void X11Desktop::stop()
{
    for (auto &program : m_programs)
        endProcess(program.get());
    m_programs.clear();
    endProcess(m_wm.get());
    endProcess(m_xvfb.get());
}

void X11Desktop::killDisplay()
{
    if (m_xvfb && m_xvfb->state() != QProcess::NotRunning) {
        m_xvfb->kill();
        m_xvfb->waitForFinished(5000);
    }
}

QProcessEnvironment X11Desktop::environment() const
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("DISPLAY", m_display);
    // The ctest settings of the widget tests must not reach the real program.
    env.remove("QT_QPA_PLATFORM");
    env.remove("ESTOCARIUM_SPLASH_MS");
    // A desktop without a session bus, said outright: with no address, libdbus launches a bus by
    // forking Qt's D-Bus thread, and in the sanitizer build that child can stop before its exec on
    // an allocator lock another thread held at the fork, so the program waits for it for ever.
    env.insert("DBUS_SESSION_BUS_ADDRESS", "unix:path=" + m_artifacts + "/no-session-bus");
    return env;
}

QString X11Desktop::x(const QString &program, const QStringList &args, int *exitCode) const
{
    QProcess process;
    process.setProcessEnvironment(environment());
    process.start(program, args);
    process.waitForFinished(20000);
    if (exitCode)
        *exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    QString out = QString::fromUtf8(process.readAllStandardOutput());
    if (out.endsWith('\n'))
        out.chop(1); // a window name keeps its blanks
    return out;
}

QString X11Desktop::window(const QString &pattern) const
{
    const QStringList ids =
        x("xdotool", {"search", "--onlyvisible", "--name", pattern}).split('\n', Qt::SkipEmptyParts);
    return ids.size() == 1 ? ids.first() : QString();
}

void X11Desktop::key(const QStringList &keys) const
{
    x("xdotool", QStringList{"key", "--delay", "50"} + keys);
}

void X11Desktop::type(const QString &text) const
{
    x("xdotool", {"type", "--delay", "50", text});
}

bool X11Desktop::screenshot(const QString &name) const
{
    int code = 0;
    x("import", {"-window", "root", m_artifacts + "/" + name}, &code);
    return code == 0 && QFile::exists(m_artifacts + "/" + name);
}

void X11Desktop::recordIfFailed() const
{
    if (!QTest::currentTestFailed())
        return;
    QString function = QString::fromLatin1(QTest::currentTestFunction());
    if (const char *row = QTest::currentDataTag())
        function += QStringLiteral("-") + QString::fromUtf8(row);
    const QString base = m_artifacts + "/failed-" + function;
    screenshot(QFileInfo(base).fileName() + ".png");
    const QString active = activeWindow();
    QString windows;
    const QStringList ids =
        x("xdotool", {"search", "--onlyvisible", "--name", ""}).split('\n', Qt::SkipEmptyParts);
    for (const QString &id : ids) {
        windows += QStringLiteral("%1%2 \"%3\"\n")
                       .arg(id == active ? QStringLiteral("active ") : QString(), id, windowName(id));
    }
    QFile list(base + ".txt");
    if (list.open(QIODevice::WriteOnly))
        list.write(windows.toUtf8());
    qWarning("%s: the visible windows on %s\n%s", qPrintable(function), qPrintable(m_display),
             qPrintable(windows));
}

QProcess *X11Desktop::launch(const QString &program, const QStringList &args, const QString &folder)
{
    return launch(program, args, folder, environment());
}

QProcess *X11Desktop::launch(const QString &program, const QStringList &args, const QString &folder,
                             const QProcessEnvironment &env)
{
    auto process = std::make_unique<QProcess>();
    process->setProcessEnvironment(env);
    process->setProcessChannelMode(QProcess::ForwardedErrorChannel);
    if (!folder.isEmpty())
        process->setWorkingDirectory(folder);
    process->start(program, args);
    if (!process->waitForStarted())
        qWarning("cannot start %s", qPrintable(program));
    m_programs.push_back(std::move(process));
    return m_programs.back().get();
}

QString createWorkingFolder(const QString &folder, const QStringList &extraArgs)
{
    QProcess create;
    create.setProcessChannelMode(QProcess::MergedChannels);
    create.start(programPath(QStringLiteral("estocarium-db")), QStringList{"create", folder} + extraArgs);
    if (!create.waitForFinished(120000) || create.exitStatus() != QProcess::NormalExit ||
        create.exitCode() != 0)
        return QStringLiteral("estocarium-db create failed: ") + QString::fromUtf8(create.readAll());
    return {};
}
