#pragma once

#include <QImage>
#include <QString>

// Start-up shows the same pictures more than once (the built-in picture and
// TELA_PRINCIPAL.JPG in the splash and again in the main window); each is decoded once per
// process. A file is decoded again when its size or modification time has changed, and a
// picture that cannot be read is not kept.
namespace DecodedPictures {

// The picture in a file or a resource (":/..."); a null image when it cannot be read.
QImage picture(const QString &path);

} // namespace DecodedPictures
