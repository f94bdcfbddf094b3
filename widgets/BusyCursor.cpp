#include "widgets/BusyCursor.h"

#include <QCursor>
#include <QGuiApplication>
#include <xcb/xcb.h>

namespace
{

void tellWindowSystem(QGuiApplication *app)
{
    // Other platforms (offscreen in the tests) may answer without a connection.
    if (auto *x11 = app->nativeInterface<QNativeInterface::QX11Application>(); x11 && x11->connection())
        xcb_flush(x11->connection());
}

} // namespace

BusyCursor::BusyCursor()
{
    auto *app = qobject_cast<QGuiApplication *>(QCoreApplication::instance());
    if (!app)
        return;
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    tellWindowSystem(app);
    m_shown = true;
}

BusyCursor::~BusyCursor()
{
    if (m_shown)
        QGuiApplication::restoreOverrideCursor();
}
