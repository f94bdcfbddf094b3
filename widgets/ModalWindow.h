#pragma once

#include "widgets/ReachableWindow.h"

#include <QPointer>
#include <QString>
#include <QWidget>

// How the main window runs the windows of its commands: each is created on demand into its
// global reference, readied to stay within reach (ReachableWindow), shown modally, and
// afterwards, whatever happened, closed, released and the reference cleared, and its owner takes
// the activation back. An error is passed on once the window is gone.
namespace ModalWindow
{

// Asks for the activation of the owner's window when a modal window has closed. A window manager
// that sees two windows close in the same moment (a question box, then the dialog it was asked
// from) can leave the activation on a window that is gone, and the keys then reach no window at
// all; the owner's request is what the owner of a modal window gets by itself elsewhere.
void returnActivation(QWidget *owner);

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
    QPointer<QWidget> owner;
    try {
        if (!reference) {
            reference = create();
            ReachableWindow::prepare(*reference);
        }
        owner = reference->parentWidget();
        beforeShow(*reference);
        reference->exec();
    } catch (...) {
        release(reference);
        returnActivation(owner);
        throw;
    }
    release(reference);
    returnActivation(owner);
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
