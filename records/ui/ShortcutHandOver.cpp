#include "records/ui/ShortcutHandOver.h"

#include "records/ui/BoundLineEdit.h"

#include <QApplication>
#include <QPointer>

void ShortcutHandOver::ensureInstalled()
{
    static QPointer<ShortcutHandOver> installed;
    if (installed || !QCoreApplication::instance())
        return;
    installed = new ShortcutHandOver(QCoreApplication::instance());
    QCoreApplication::instance()->installEventFilter(installed);
}

bool ShortcutHandOver::eventFilter(QObject *, QEvent *event)
{
    if (event->type() == QEvent::Shortcut) {
        if (auto *edit = qobject_cast<BoundLineEdit *>(QApplication::focusWidget()))
            edit->updateField();
    }
    return false;
}
