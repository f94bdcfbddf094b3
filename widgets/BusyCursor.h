#pragma once

// Shows the busy cursor for its lifetime over every window of the program (nothing in a
// program without windows). The window system is told at once, since the thread that would
// otherwise pass the change on is about to wait for the database.
class BusyCursor
{
public:
    BusyCursor();
    ~BusyCursor();
    BusyCursor(const BusyCursor &) = delete;
    BusyCursor &operator=(const BusyCursor &) = delete;

private:
    bool m_shown = false;
};
