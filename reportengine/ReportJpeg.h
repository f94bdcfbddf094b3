#pragma once

#include "reportengine/ReportImage.h"

#include <optional>

// A JPEG file's picture, decoded by libjpeg as Qt's image reader decodes it (the same library
// with the same settings: accurate DCT, smooth upsampling; CMYK as Qt turns it into RGB), so that a
// picture comes out the same whether the program or estocarium-db reads it. Nothing when the
// bytes are not a JPEG picture libjpeg can read.
std::optional<ReportImage> decodeJpeg(const QByteArray &jpeg);
