#pragma once

#include <QString>
#include <QStringList>

// Titles of the windows on the X display, as the window manager's tree lists them
// ("xwininfo -root -tree"); empty when the display cannot be asked.
QStringList x11WindowTitles();

// The titles in the output of "xwininfo -root -tree".
QStringList parseXwininfoTree(const QString &output);
