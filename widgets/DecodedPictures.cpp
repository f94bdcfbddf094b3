#include "widgets/DecodedPictures.h"

#include "common/RegularFile.h"

#include <QBuffer>
#include <QDateTime>
#include <QFileInfo>
#include <QHash>
#include <QImageReader>

#include <atomic>
#include <future>
#include <system_error>

namespace DecodedPictures
{

namespace
{

struct Decoded {
    qint64 size = -1;
    QDateTime modified;
    QImage image;
    // A decode started by prefetch and not yet taken.
    std::shared_future<QImage> pending;

    void stampFrom(const QFileInfo &file)
    {
        size = file.size();
        modified = file.lastModified();
    }
    bool matches(const QFileInfo &file) const
    {
        return size == file.size() && modified == file.lastModified();
    }
};

// Only the user-interface thread reaches the table; helper threads see nothing but a path.
QHash<QString, Decoded> &decodedPictures()
{
    static QHash<QString, Decoded> decoded;
    return decoded;
}

std::atomic<int> decodes{0};

QImage decode(const QString &path)
{
    ++decodes;
    if (path.startsWith(u':'))
        return QImageReader(path).read();
    // Read as the program's other start-up files are: a pipe or a device in the picture's place
    // must not hold up the start-up.
    std::optional<QByteArray> bytes = readRegularFile(path, kLargestPicture);
    if (!bytes)
        return QImage();
    QBuffer buffer(&*bytes);
    return QImageReader(&buffer).read();
}

} // namespace

void prefetch(const QString &path)
{
    Decoded &entry = decodedPictures()[path];
    const QFileInfo file(path);
    if (entry.pending.valid() || (!entry.image.isNull() && entry.matches(file)))
        return;
    entry.stampFrom(file);
    try {
        entry.pending = std::async(std::launch::async, decode, path);
    } catch (const std::system_error &) {
        // No thread to spare: the picture is decoded when first asked for.
    }
}

QImage picture(const QString &path)
{
    auto &decoded = decodedPictures();
    Decoded &entry = decoded[path];
    const bool taken = entry.pending.valid();
    if (taken) {
        entry.image = entry.pending.get();
        entry.pending = {};
    }
    // Compared with the file as it was when its decode began: a change since then reads it again.
    const QFileInfo file(path);
    if ((!taken && entry.image.isNull()) || !entry.matches(file)) {
        entry.stampFrom(file);
        entry.image = decode(path);
    }
    if (entry.image.isNull()) {
        decoded.remove(path);
        return QImage();
    }
    return entry.image;
}

int decodeCount()
{
    return decodes;
}

} // namespace DecodedPictures
