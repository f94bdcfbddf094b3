#pragma once

#include <QString>

namespace fb
{

// Lets several processes of this program on one workstation (a second program, estocarium-db,
// and isql-fb started with the same FIREBIRD) open one database file with the embedded engine.
//
// The machine's configuration runs the embedded engine in SuperServer mode, where the first
// process to open a file locks it for itself and every other one is refused ("already opened
// with engine instance, incompatible with current"). In SuperClassic mode the processes share
// the file through the lock files in /tmp/firebird. The mode is read only from firebird.conf
// (neither databases.conf nor the attachment's parameters can change it), so this program's
// processes point the FIREBIRD variable at a folder of their own, under the user's cache
// folder (or, when that cannot be written, under the runtime folder), and leave the machine's
// configuration as it is. The folder holds:
//   - firebird.conf: "ServerMode = SuperClassic", then the machine's firebird.conf included
//     (the first value given for a setting wins), so every other setting stays the machine's;
//   - databases.conf and plugins.conf including the machine's;
//   - intl/libfbintl.so, a copy of the machine's character-set module: the character-set
//     list loads it from $(root)/intl, and the engine ignores a module whose real path is not
//     the one it asked for, so a symbolic link leaves WIN1252 "not defined".
// A file that a running server holds is still reached through that server: the embedded
// engine cannot lock it and the client goes on to the server on this machine.
//
// Must run before the client library reads its configuration (the database layer's first use).
// Leaves a FIREBIRD variable that is already set alone; when no folder can be prepared the
// engine keeps the machine's mode, and engineSharing() says so.
void useSharedEngine();

enum class EngineSharing {
    Shared,     // this program's folder, in SuperClassic mode
    Configured, // FIREBIRD was set before the program started: whoever set it chose the mode
    Unshared,   // the machine's mode: the first process to open a local file keeps it to itself
};
// As useSharedEngine left it: ask once the database layer has been used.
EngineSharing engineSharing();

// The folder FIREBIRD points at for this program's processes; empty unless Shared.
QString sharedEngineFolder();

// What Unshared means for the person, in Portuguese: a second program cannot open the file.
QString unsharedEngineWarning();

} // namespace fb
