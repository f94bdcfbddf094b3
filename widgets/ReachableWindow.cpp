#include "widgets/ReachableWindow.h"

#include <QEvent>
#include <QGuiApplication>
#include <QTimer>
#include <QWidget>
#include <QWindow>
#include <cstdlib>
#include <xcb/xcb.h>

namespace ReachableWindow
{

namespace
{

// From the Motif window manager's hints, as every X window manager reads them.
enum : quint32 {
    kHintFunctions = 1 << 0,
    kHintDecorations = 1 << 1,
    kFuncResize = 1 << 1,
    kFuncMove = 1 << 2,
    kFuncMinimize = 1 << 3,
    kFuncMaximize = 1 << 4,
    kFuncClose = 1 << 5,
    kDecorBorder = 1 << 1,
    kDecorResizeHandle = 1 << 2,
    kDecorTitle = 1 << 3,
    kDecorMenu = 1 << 4,
    kDecorMinimize = 1 << 5,
    kDecorMaximize = 1 << 6,
};

// The five values of _MOTIF_WM_HINTS: flags, functions, decorations, input mode, status.
struct MotifHints {
    quint32 flags, functions, decorations, inputMode, status;
};

// Only the buttons the flags ask for; fixedSize: the window cannot be resized.
MotifHints motifHints(Qt::WindowFlags flags, bool fixedSize)
{
    quint32 functions = kFuncMove;
    quint32 decorations = kDecorBorder | kDecorTitle;
    if (!fixedSize) {
        functions |= kFuncResize;
        decorations |= kDecorResizeHandle;
    }
    if (flags & Qt::WindowSystemMenuHint)
        decorations |= kDecorMenu;
    if (flags & Qt::WindowMinimizeButtonHint) {
        functions |= kFuncMinimize;
        decorations |= kDecorMinimize;
    }
    if (flags & Qt::WindowMaximizeButtonHint) {
        functions |= kFuncMaximize;
        decorations |= kDecorMaximize;
    }
    if (flags & Qt::WindowCloseButtonHint)
        functions |= kFuncClose;
    return {kHintFunctions | kHintDecorations, functions, decorations, 0, 0};
}

void writeMotifHints(QWidget &window)
{
    const auto *x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    xcb_connection_t *connection = x11 ? x11->connection() : nullptr;
    if (!connection)
        return; // no X display: whatever shows the window reads Qt's flags
    static constexpr char kName[] = "_MOTIF_WM_HINTS";
    xcb_intern_atom_reply_t *atom =
        xcb_intern_atom_reply(connection, xcb_intern_atom(connection, 0, sizeof kName - 1, kName), nullptr);
    if (!atom)
        return;
    const MotifHints hints = motifHints(window.windowFlags(), window.minimumSize() == window.maximumSize());
    xcb_change_property(connection, XCB_PROP_MODE_REPLACE, xcb_window_t(window.winId()), atom->atom,
                        atom->atom, 32, 5, &hints);
    xcb_flush(connection);
    free(atom);
}

// Brings a minimised modal window back as soon as the window manager has minimised it.
class RestoreWhenMinimised : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        auto *window = static_cast<QWidget *>(watched);
        if (event->type() == QEvent::WindowStateChange && window->isModal() &&
            (window->windowState() & Qt::WindowMinimized)) {
            QTimer::singleShot(0, window, [window] {
                window->setWindowState(window->windowState() & ~Qt::WindowMinimized);
                window->activateWindow();
            });
        }
        return false;
    }
};

} // namespace

void prepare(QWidget &window)
{
    window.installEventFilter(new RestoreWhenMinimised(&window));
    // Creating the native window lets Qt write its own hints first; these replace them.
    window.winId();
    if (QWidget *owner = window.parentWidget(); owner && owner->window()->windowHandle())
        window.windowHandle()->setTransientParent(owner->window()->windowHandle());
    writeMotifHints(window);
}

} // namespace ReachableWindow
