#include "widgets/Termination.h"

#include <QApplication>
#include <QMetaObject>
#include <QThread>
#include <QTimer>
#include <QWidget>

#include <algorithm>

namespace
{

bool g_requested = false;
bool g_queued = false;

// Only in the main loop, with no modal window over it: ending a nested loop would close a box
// before it could be read and leave the main loop running with the request spent. A box shown
// before the main loop runs is the only loop then, so the modal window is looked for as well.
bool inMainLoop()
{
    if (QThread::currentThread()->loopLevel() != 1)
        return false;
    if (!qobject_cast<QApplication *>(QCoreApplication::instance()))
        return true;
    const QWidgetList windows = QApplication::topLevelWidgets();
    return std::none_of(windows.cbegin(), windows.cend(),
                        [](const QWidget *window) { return window->isVisible() && window->isModal(); });
}

// Looks again until the program has ended: a box that has just been closed may still be running
// its own loop for a moment, and exit() would then end that loop instead of the main one. Once
// the main loop has ended, nothing runs the next look.
void endMainLoop()
{
    if (!g_requested) {
        g_queued = false;
        return;
    }
    // exit(), not quit(): quit() would close the windows and so ask the exit question.
    if (inMainLoop())
        QCoreApplication::exit(0);
    QTimer::singleShot(50, QCoreApplication::instance(), endMainLoop);
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
