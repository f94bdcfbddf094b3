#include "common/RegularFile.h"

#include <QFile>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

std::optional<QByteArray> readRegularFile(const QString &path, qint64 limit)
{
    // Opened without waiting: opening a pipe with no writer would block until one comes.
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0)
        return std::nullopt;
    struct stat status = {};
    std::optional<QByteArray> content;
    if (::fstat(fd, &status) == 0 && S_ISREG(status.st_mode)) {
        QByteArray bytes(qsizetype(qMin<qint64>(limit, qMax<qint64>(status.st_size, 0))), Qt::Uninitialized);
        qsizetype filled = 0;
        for (;;) {
            if (filled == bytes.size()) {
                // The file may have grown since fstat; read on up to the limit.
                if (bytes.size() >= limit)
                    break;
                bytes.resize(qsizetype(qMin<qint64>(limit, bytes.size() * 2 + 4096)));
            }
            const ssize_t got = ::read(fd, bytes.data() + filled, size_t(bytes.size() - filled));
            if (got < 0 && errno == EINTR)
                continue;
            if (got <= 0)
                break;
            filled += got;
        }
        bytes.truncate(filled);
        content = bytes;
    }
    ::close(fd);
    return content;
}
