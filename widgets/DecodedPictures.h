#pragma once

#include <QImage>
#include <QString>

// Start-up shows the same pictures more than once (the built-in picture and
// TELA_PRINCIPAL.JPG in the splash and again in the main window); each is decoded once per
// process. A file is decoded again when its size or modification time has changed, and a
// picture that cannot be read is not kept. Only regular files are read.
namespace DecodedPictures
{

// Starts decoding the picture on a helper thread, so that it is ready by the time a window
// first asks for it; the user-interface thread goes on meanwhile.
void prefetch(const QString &path);

// The picture in a file or a resource (":/..."); a null image when it cannot be read.
QImage picture(const QString &path);

// Of a larger file only this many bytes are read (and the picture comes out cut or not at all).
constexpr qint64 kLargestPicture = 256 * 1024 * 1024;

// How many times a picture has been decoded in this process.
int decodeCount();

} // namespace DecodedPictures
