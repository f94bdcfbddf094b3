#pragma once

// Ends the program's main event loop without asking for confirmation. The request is kept
// until the main loop can act on it: requested before the loop runs, the loop ends as soon as
// it starts; requested while a message box or a modal window runs its own loop, that window
// stays until it is closed and the main loop ends right after, so neither the request nor the
// box is lost.
void requestTermination();
bool terminationRequested();
// For tests that run several program lifetimes in one process.
void resetTermination();
