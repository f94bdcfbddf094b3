#include "records/ui/ShortcutHandOver.h"

#include <QApplication>
#include <QPointer>

void ShortcutHandOver::ensureInstalled(HandOver handOver)
{
    static QPointer<ShortcutHandOver> installed;
    if (installed || !QCoreApplication::instance())
        return;
    installed = new ShortcutHandOver(QCoreApplication::instance());
    installed->m_handOver = handOver;
    QCoreApplication::instance()->installEventFilter(installed);
}

bool ShortcutHandOver::eventFilter(QObject *, QEvent *event)
{
    if (event->type() == QEvent::Shortcut) {
        if (QWidget *focus = QApplication::focusWidget())
            m_handOver(focus);
    }
    return false;
}
