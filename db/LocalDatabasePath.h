#pragma once

#include <QString>

namespace fb
{

// The file a database name leads to on this machine, when it names one: a plain or absolute
// path with no server in front ("server:/path", "inet://..." and aliases without a file give
// an empty string).
QString localDatabaseFile(const QString &database);

// Throws Error (isc_io_error, with EISDIR for a folder and ENXIO for a pipe, socket or device)
// when database leads to something on this machine that is not a regular file. The engine would
// read a folder as a broken database and wait on a pipe for ever.
void refuseIfNotRegularFile(const QString &database);

} // namespace fb
