#include "shell/ModalWindow.h"

#include "shell/Dialogs.h"
#include "shell/Termination.h"

namespace ModalWindow {

void announceRestart(QWidget *owner, const QString &message)
{
    Dialogs::message(owner, message);
    requestTermination();
}

} // namespace ModalWindow
