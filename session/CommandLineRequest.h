#pragma once

#include <optional>

// Answers `estocarium --version` and `estocarium --help` on standard output before the application
// object exists, so that they need neither a display nor a database. Returns the exit status when the
// first argument was one of them; any other command line starts the program as usual.
std::optional<int> answerCommandLineRequest(int argc, char *argv[]);
