#pragma once

#include <QString>
#include <optional>
#include <sys/types.h>

namespace fb
{

// The file an attachment works on, as the file system knew it when the attachment was made
// (device and inode of its path). An engine keeps writing to a file it holds open after the
// file was deleted, renamed or replaced by another (mv), and then everything it stores is
// lost with it; comparing the path's file with the remembered one tells that apart from the
// file the person, the reports and the other workstations see at that path.
class DatabaseFile
{
public:
    // Where the engine that holds a connection's database is, and its name there: a plain path is
    // the embedded engine's (no server); "server:path" (or "server/port:path") the server's.
    struct Location {
        QString server; // empty: this machine's embedded engine
        QString path;   // as that engine names the file
        bool onAServer() const { return !server.isEmpty(); }
    };
    static Location locationOf(const QString &database);

    // The path this machine sees for a connection's database: a plain path as it is; for
    // "server:path" (or "server/port:path") the path after the server, when this machine
    // reaches the same path (the working folder shared with the server). Empty when the
    // database is named without one (an alias).
    static QString localPath(const QString &database);

    // Throws Error (isc_io_error, with EISDIR for a folder and ENXIO for a pipe, socket or
    // device) when database's local path leads to something that is not a regular file: the
    // engine would read a folder as a broken database and wait on a pipe for ever.
    static void refuseIfNotRegularFile(const QString &database);

    // Remembers the file at database's local path; nothing is watched when there is none here.
    void remember(const QString &database);
    void forget() { m_watched.reset(); }

    // Our own Portuguese text when the path no longer leads to the remembered file (removed,
    // moved, replaced); empty while it does, or when nothing is watched.
    QString change() const;

private:
    struct Identity {
        dev_t device;
        ino_t inode;
    };
    static std::optional<Identity> identityOf(const QString &path);

    QString m_path;
    std::optional<Identity> m_watched;
};

} // namespace fb
