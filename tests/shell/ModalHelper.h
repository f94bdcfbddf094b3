#pragma once

#include "widgets/Termination.h"

#include <QApplication>
#include <QTimer>
#include <QWidget>
#include <functional>

// For code under test that runs a window with exec(): act is called from inside that modal
// run, once the modal window is up and active. Call before starting the run.
inline void quandoModal(std::function<void(QWidget *)> act)
{
    auto *poll = new QTimer;
    poll->setInterval(5);
    QObject::connect(poll, &QTimer::timeout, poll, [poll, act] {
        QWidget *modal = QApplication::activeModalWidget();
        if (!modal || !modal->isActiveWindow())
            return;
        poll->stop();
        poll->deleteLater();
        act(modal);
    });
    poll->start();
}

// A termination requested by the code under test ends the event loop through
// QCoreApplication::exit(), which also makes every later exec() return at once until an
// application loop has run. Runs that loop for one turn and clears the request.
inline void discardTermination()
{
    QTimer end;
    end.setSingleShot(true);
    QObject::connect(&end, &QTimer::timeout, [] { QCoreApplication::exit(0); });
    end.start(0);
    QCoreApplication::exec();
    resetTermination();
}
