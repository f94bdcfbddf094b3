#pragma once

#include "db/Attachment.h"

#include <QString>
#include <chrono>

namespace fb
{

// Backup and restore by the engine that holds the database, through its services manager: the
// embedded engine for a plain path, the server for "server:path". Files named here are on the
// machine of that engine. The backup reads the database in one snapshot transaction while others
// keep working, so the copy is consistent without stopping anyone.
//
// Each waits for the engine's progress lines; silence longer than silence (the engine working
// on one large table says nothing meanwhile) ends the wait with a timed-out Error, and so does an
// engine that stops answering at all (a stopped server) for a call's bound
// (SqlConnection::answerBound() and its grace). A failure
// leaves as fb::Error with Firebird's codes (isc_io_error and the system's error number for a
// file that cannot be written, for example).
void backupDatabase(const QString &database, const QString &backupFile, const AttachOptions &options,
                    std::chrono::seconds silence);
// Restores into a new file (refused when database already exists); the file is whole only when
// this returns.
void restoreDatabase(const QString &backupFile, const QString &database, const AttachOptions &options,
                     std::chrono::seconds silence);

} // namespace fb
