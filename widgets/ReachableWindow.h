#pragma once

class QWidget;

// Keeps a modal window, and the main window behind it, within the user's reach whatever the
// window manager. Qt describes a title bar without buttons to the X window manager with function
// hints alone, which some managers ignore; here the decoration hints are written too, naming only
// the buttons the window's flags ask for. A window manager may still offer a minimise button
// (openbox always does, and minimises the owner with its transient windows): a modal window that
// gets minimised is brought back at once, and with it its owner.
namespace ReachableWindow
{

// Call before the window is first shown.
void prepare(QWidget &window);

} // namespace ReachableWindow
