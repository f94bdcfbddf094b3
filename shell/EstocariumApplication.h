#pragma once

#include <QApplication>

// The application object. An exception that an event handler lets through is shown in the
// program's standard error box and the window it happened in stays open: Qt cannot carry
// exceptions across its event loop, so they are caught here, where every event is dispatched.
class EstocariumApplication : public QApplication
{
    Q_OBJECT

public:
    EstocariumApplication(int &argc, char **argv);

    bool notify(QObject *receiver, QEvent *event) override;

    // The text the general error box shows for a caught exception; for a database failure
    // the Portuguese text, with Firebird's own as the detail.
    static QString errorText(std::exception_ptr error, QString *detail = nullptr);
    // Shows a caught exception in the standard error box.
    static void showException(std::exception_ptr error);
};
