#include "shell/Termination.h"

#include <QApplication>
#include <QMetaObject>
#include <QThread>
#include <QTimer>

namespace {

bool g_requested = false;
bool g_queued = false;

// Only in the main loop, with no modal window over it: ending a nested loop would close a box
// before it could be read and leave the main loop running with the request spent.
bool inMainLoop()
{
    if (QThread::currentThread()->loopLevel() != 1)
        return false;
    return !qobject_cast<QApplication *>(QCoreApplication::instance()) || !QApplication::activeModalWidget();
}

void endMainLoop()
{
    if (!g_requested) {
        g_queued = false;
        return;
    }
    if (!inMainLoop()) {
        QTimer::singleShot(50, QCoreApplication::instance(), endMainLoop);
        return;
    }
    g_queued = false;
    // exit(), not quit(): quit() would close the windows and so ask the exit question.
    QCoreApplication::exit(0);
}

} // namespace

void requestTermination()
{
    g_requested = true;
    QCoreApplication *app = QCoreApplication::instance();
    if (!app || g_queued)
        return;
    g_queued = true;
    QMetaObject::invokeMethod(app, endMainLoop, Qt::QueuedConnection);
}

bool terminationRequested()
{
    return g_requested;
}

void resetTermination()
{
    g_requested = false;
}
