#include "shell/Termination.h"

#include <QCoreApplication>
#include <QMetaObject>

namespace {
bool g_requested = false;
}

void requestTermination()
{
    g_requested = true;
    if (QCoreApplication *app = QCoreApplication::instance())
        // exit(), not quit(): quit() would close the windows and so ask the exit question.
        QMetaObject::invokeMethod(app, [] { QCoreApplication::exit(0); }, Qt::QueuedConnection);
}

bool terminationRequested()
{
    return g_requested;
}

void resetTermination()
{
    g_requested = false;
}
