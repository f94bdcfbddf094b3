#include "widgets/TerminationSignals.h"

#include "db/SignalShutdown.h"
#include "widgets/Termination.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QSocketNotifier>
#include <QThread>

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

namespace
{

// A signal handler may do almost nothing; it writes one byte into this pipe and the event loop
// (or the splash's wait) reads it on the user-interface thread.
int g_pipe[2] = {-1, -1};

void onSignal(int)
{
    const int saved = errno;
    const char byte = 1;
    [[maybe_unused]] const ssize_t written = ::write(g_pipe[1], &byte, 1);
    errno = saved;
}

// Empties the pipe; true when at least one signal had arrived.
bool drainSignals()
{
    char buffer[16];
    bool any = false;
    while (::read(g_pipe[0], buffer, sizeof buffer) > 0)
        any = true;
    return any;
}

} // namespace

void installTerminationSignals()
{
    if (g_pipe[0] >= 0)
        return;
    if (::pipe2(g_pipe, O_CLOEXEC | O_NONBLOCK) != 0)
        return;

    struct sigaction action = {};
    action.sa_handler = onSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (int signal : {SIGTERM, SIGINT, SIGHUP})
        ::sigaction(signal, &action, nullptr);
    fb::leaveSignalsToProgram();

    auto *notifier = new QSocketNotifier(g_pipe[0], QSocketNotifier::Read, QCoreApplication::instance());
    QObject::connect(notifier, &QSocketNotifier::activated, notifier, [] {
        if (!drainSignals())
            return;
        requestTermination();
        // A modal window or box keeps the request until a person closes it; a signal has nobody
        // behind it to do so. The program ends here instead, through the exit handler that
        // detaches the connection first, as when the display goes away. Before the main loop
        // runs (a message while the main window is made), the box's loop is the only one.
        if (QThread::currentThread()->loopLevel() > 1 || QApplication::activeModalWidget())
            std::exit(0);
    });
}

bool takeTerminationSignal()
{
    if (g_pipe[0] < 0 || !drainSignals())
        return false;
    requestTermination();
    return true;
}

void waitUnlessTerminated(int ms)
{
    const QDeadlineTimer deadline(ms);
    while (!deadline.hasExpired()) {
        pollfd readable = {g_pipe[0], POLLIN, 0};
        const int ready =
            ::poll(&readable, 1, int(deadline.remainingTime())); // a closed pipe (-1) just waits
        if (ready > 0 && drainSignals()) {
            requestTermination();
            return;
        }
        if (ready < 0 && errno != EINTR)
            return;
    }
}
