#pragma once

// SIGTERM, SIGINT and SIGHUP (kill, a system shutdown, a closed terminal, a session manager)
// end the program as a confirmed exit does, without the question: the event loop ends, the
// windows and the connection are released and the exit status is 0.
//
// Installs the handlers; the application object must exist. Also tells the Firebird client
// library to leave these signals to the program (see fb::leaveSignalsToProgram).
void installTerminationSignals();

// The splash's deliberate wait: blocks the calling thread for ms milliseconds without
// processing events, but a termination signal that arrives meanwhile ends the wait at once
// and requests the termination.
void waitUnlessTerminated(int ms);

// Requests the termination when a termination signal has arrived that nothing has acted on yet;
// true then. For waits that cannot watch the signals themselves.
bool takeTerminationSignal();
