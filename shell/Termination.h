#pragma once

// Ends the event loop at its next turn without asking for confirmation; requested before the
// loop runs, the loop ends as soon as it starts.
void requestTermination();
bool terminationRequested();
// For tests that run several program lifetimes in one process.
void resetTermination();
