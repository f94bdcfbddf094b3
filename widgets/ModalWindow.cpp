#include "widgets/ModalWindow.h"

#include "widgets/Dialogs.h"
#include "widgets/Termination.h"

namespace ModalWindow
{

void announceRestart(QWidget *owner, const QString &message)
{
    Dialogs::message(owner, message);
    requestTermination();
}

} // namespace ModalWindow
