#include "shell/EstocariumApplication.h"

#include "shell/Dialogs.h"
#include "shell/db/FbError.h"

EstocariumApplication::EstocariumApplication(int &argc, char **argv) : QApplication(argc, argv)
{
    setApplicationName(QStringLiteral("Estocarium"));
    setOrganizationName(QStringLiteral("Nimbo Softwares"));
}

bool EstocariumApplication::notify(QObject *receiver, QEvent *event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (...) {
        showException(std::current_exception());
        return true;
    }
}

QString EstocariumApplication::errorText(std::exception_ptr error)
{
    try {
        std::rethrow_exception(error);
    } catch (const fb::Error &e) {
        return e.text();
    } catch (const std::exception &e) {
        return QString::fromUtf8(e.what());
    } catch (...) {
        return QStringLiteral("Erro desconhecido");
    }
}

void EstocariumApplication::showException(std::exception_ptr error)
{
    Dialogs::error(QApplication::activeWindow(), errorText(error));
}
