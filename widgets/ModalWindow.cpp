#include "widgets/ModalWindow.h"

#include "widgets/Dialogs.h"
#include "widgets/Termination.h"

namespace ModalWindow
{

void returnActivation(QWidget *owner)
{
    if (owner && owner->window()->isVisible())
        owner->window()->activateWindow();
}

void announceRestart(QWidget *owner, const QString &message)
{
    Dialogs::message(owner, message);
    requestTermination();
}

} // namespace ModalWindow
