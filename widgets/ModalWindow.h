#pragma once

#include "widgets/ReachableWindow.h"

#include <QString>

class QWidget;

// How the main window runs the windows of its commands: each is created on demand into its
// global reference, readied to stay within reach (ReachableWindow), shown modally, and
// afterwards, whatever happened, closed, released and the reference cleared. An error is passed
// on once the window is gone.
namespace ModalWindow
{

template<typename Window>
void release(Window *&reference)
{
    if (!reference)
        return;
    Window *window = reference;
    reference = nullptr;
    window->close();
    delete window;
}

template<typename Window, typename Create, typename BeforeShow>
void run(Window *&reference, Create create, BeforeShow beforeShow)
{
    try {
        if (!reference) {
            reference = create();
            ReachableWindow::prepare(*reference);
        }
        beforeShow(*reference);
        reference->exec();
    } catch (...) {
        release(reference);
        throw;
    }
    release(reference);
}

template<typename Window, typename Create>
void run(Window *&reference, Create create)
{
    run(reference, create, [](Window &) {});
}

// The message that the program will restart, then the termination request.
void announceRestart(QWidget *owner, const QString &message);

// For the windows after which the program has to be started again: the message and the
// termination follow the window also when running it failed.
template<typename Window, typename Create, typename BeforeShow>
void runThenRestart(QWidget *owner, const QString &message, Window *&reference, Create create,
                    BeforeShow beforeShow)
{
    try {
        run(reference, create, beforeShow);
    } catch (...) {
        announceRestart(owner, message);
        throw;
    }
    announceRestart(owner, message);
}

template<typename Window, typename Create>
void runThenRestart(QWidget *owner, const QString &message, Window *&reference, Create create)
{
    runThenRestart(owner, message, reference, create, [](Window &) {});
}

} // namespace ModalWindow
