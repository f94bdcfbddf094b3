#include "widgets/DesktopWindows.h"

#include <QGuiApplication>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <xcb/xcb.h>

namespace
{

struct FreeReply {
    void operator()(void *reply) const { free(reply); }
};
template<typename Reply>
using ReplyPtr = std::unique_ptr<Reply, FreeReply>;

// A window may go away while it is being asked about: its error is taken here, so that it does
// not reach Qt's event queue as a fault of the program.
template<typename Reply, typename Cookie>
ReplyPtr<Reply> answer(Reply *(*replyOf)(xcb_connection_t *, Cookie, xcb_generic_error_t **),
                       xcb_connection_t *connection, Cookie cookie)
{
    xcb_generic_error_t *error = nullptr;
    ReplyPtr<Reply> reply(replyOf(connection, cookie, &error));
    free(error);
    return reply;
}

xcb_atom_t atom(xcb_connection_t *connection, const char *name)
{
    const auto reply = answer(xcb_intern_atom_reply, connection,
                              xcb_intern_atom(connection, 1, uint16_t(strlen(name)), name));
    return reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
}

xcb_get_property_cookie_t askProperty(xcb_connection_t *connection, xcb_window_t window, xcb_atom_t property)
{
    // 256 words: a title longer than 1 KiB is of no use here.
    return xcb_get_property(connection, 0, window, property, XCB_GET_PROPERTY_TYPE_ANY, 0, 256);
}

QByteArray propertyBytes(xcb_connection_t *connection, xcb_get_property_cookie_t cookie)
{
    const auto reply = answer(xcb_get_property_reply, connection, cookie);
    if (!reply || reply->format != 8)
        return {};
    return QByteArray(static_cast<const char *>(xcb_get_property_value(reply.get())),
                      xcb_get_property_value_length(reply.get()));
}

qint64 propertyCardinal(xcb_connection_t *connection, xcb_get_property_cookie_t cookie)
{
    const auto reply = answer(xcb_get_property_reply, connection, cookie);
    if (!reply || reply->format != 32 || xcb_get_property_value_length(reply.get()) < 4)
        return 0;
    return *static_cast<const uint32_t *>(xcb_get_property_value(reply.get()));
}

// The questions about one window, sent together so that the whole tree costs one round trip
// per level rather than several per window.
struct Pending {
    xcb_query_tree_cookie_t children;
    xcb_get_property_cookie_t netName, name, wmClass, pid;
};

} // namespace

QList<DesktopWindow> x11DesktopWindows()
{
    const auto *x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    xcb_connection_t *connection = x11 ? x11->connection() : nullptr;
    if (!connection)
        return {};
    const xcb_atom_t netWmName = atom(connection, "_NET_WM_NAME");
    const xcb_atom_t netWmPid = atom(connection, "_NET_WM_PID");

    QList<xcb_window_t> level;
    for (auto screens = xcb_setup_roots_iterator(xcb_get_setup(connection)); screens.rem;
         xcb_screen_next(&screens))
        level << screens.data->root;

    QList<DesktopWindow> windows;
    while (!level.isEmpty()) {
        QList<Pending> pending;
        pending.reserve(level.size());
        for (const xcb_window_t window : std::as_const(level)) {
            pending << Pending{xcb_query_tree(connection, window), askProperty(connection, window, netWmName),
                               askProperty(connection, window, XCB_ATOM_WM_NAME),
                               askProperty(connection, window, XCB_ATOM_WM_CLASS),
                               askProperty(connection, window, netWmPid)};
        }
        level.clear();
        for (const Pending &asked : std::as_const(pending)) {
            const auto tree = answer(xcb_query_tree_reply, connection, asked.children);
            if (tree) {
                const xcb_window_t *children = xcb_query_tree_children(tree.get());
                level.append(
                    QList<xcb_window_t>(children, children + xcb_query_tree_children_length(tree.get())));
            }
            DesktopWindow window;
            window.title = QString::fromUtf8(propertyBytes(connection, asked.netName));
            const QByteArray name = propertyBytes(connection, asked.name);
            if (window.title.isEmpty())
                window.title = QString::fromLatin1(name); // ICCCM's STRING
            // WM_CLASS: the instance and the class, each ended by a NUL.
            window.instance =
                QString::fromLatin1(propertyBytes(connection, asked.wmClass).split('\0').first());
            window.pid = propertyCardinal(connection, asked.pid);
            if (!window.title.isEmpty() || !window.instance.isEmpty() || window.pid != 0)
                windows << window;
        }
    }
    return windows;
}
