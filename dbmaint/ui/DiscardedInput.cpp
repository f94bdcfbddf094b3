#include "dbmaint/ui/DiscardedInput.h"

#include <QEvent>
#include <QGuiApplication>

namespace
{

bool isUserInput(const QEvent &event)
{
    switch (event.type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::Wheel:
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::ShortcutOverride:
    case QEvent::TouchBegin:
    case QEvent::TouchUpdate:
    case QEvent::TouchEnd:
    case QEvent::ContextMenu:
        return true;
    case QEvent::Close:
        // The title bar's close button; the program's own close() is not spontaneous.
        return event.spontaneous();
    default:
        return false;
    }
}

} // namespace

DiscardedInput::DiscardedInput()
{
    QCoreApplication::instance()->installEventFilter(this);
}

DiscardedInput::~DiscardedInput()
{
    // A round trip to the window system brings in everything it queued until now; it is
    // delivered, and dropped, while the filter is still in place.
    QGuiApplication::sync();
    QCoreApplication::instance()->removeEventFilter(this);
}

bool DiscardedInput::eventFilter(QObject *, QEvent *event)
{
    return isUserInput(*event);
}
