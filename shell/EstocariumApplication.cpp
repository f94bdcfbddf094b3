#include "shell/EstocariumApplication.h"

#include "db/FbError.h"
#include "db/SqlConnection.h"
#include "session/DatabaseFailure.h"
#include "widgets/BusyCursor.h"
#include "widgets/Dialogs.h"

EstocariumApplication::EstocariumApplication(int &argc, char **argv) : QApplication(argc, argv)
{
    setApplicationName(QStringLiteral("Estocarium"));
    setOrganizationName(QStringLiteral("Nimbo Softwares"));
    SqlConnection::setWaitIndicator([] { return std::make_shared<BusyCursor>(); });
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

QString EstocariumApplication::errorText(std::exception_ptr error, QString *detail)
{
    try {
        std::rethrow_exception(error);
    } catch (const fb::Error &e) {
        const DatabaseFailure failure = DatabaseFailure::of(e);
        if (detail)
            *detail = failure.detail;
        return failure.message;
    } catch (const std::exception &e) {
        return QString::fromUtf8(e.what());
    } catch (...) {
        return QStringLiteral("Erro desconhecido");
    }
}

void EstocariumApplication::showException(std::exception_ptr error)
{
    QString detail;
    const QString text = errorText(error, &detail);
    Dialogs::error(QApplication::activeWindow(), text, detail);
}
