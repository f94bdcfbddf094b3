#include "widgets/DecodedPictures.h"

#include <QDateTime>
#include <QFileInfo>
#include <QHash>
#include <QImageReader>

namespace DecodedPictures {

namespace {

struct Decoded
{
    qint64 size = -1;
    QDateTime modified;
    QImage image;
};

} // namespace

QImage picture(const QString &path)
{
    static QHash<QString, Decoded> decoded;
    const QFileInfo file(path);
    Decoded &entry = decoded[path];
    if (entry.image.isNull() || entry.size != file.size() || entry.modified != file.lastModified()) {
        entry.image = QImageReader(path).read();
        entry.size = file.size();
        entry.modified = file.lastModified();
    }
    if (entry.image.isNull()) {
        decoded.remove(path);
        return QImage();
    }
    return entry.image;
}

} // namespace DecodedPictures
