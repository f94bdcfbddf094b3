#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

// Reads a file the program finds by name in its working folder (clientes.ini, the pictures)
// without ever waiting on it: only a regular file is read, so a name that leads to a pipe, a
// device or a socket (a share that hangs, a link to /dev/zero) neither blocks nor runs on for
// ever. At most limit bytes are read; a longer file gives its beginning.
std::optional<QByteArray> readRegularFile(const QString &path, qint64 limit);
