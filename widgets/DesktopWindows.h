#pragma once

#include <QList>
#include <QString>

// A window of the X display as its program describes it.
struct DesktopWindow {
    QString title;    // _NET_WM_NAME, else WM_NAME
    QString instance; // WM_CLASS's first part, the name the program gives itself ("galculator")
    qint64 pid = 0;   // _NET_WM_PID: the process that owns the window; 0 when it does not say
};

// Every window of the display that carries a title, a class or a process id, asked through the
// X connection the program already holds; empty without an X display.
QList<DesktopWindow> x11DesktopWindows();
