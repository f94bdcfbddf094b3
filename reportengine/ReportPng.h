#pragma once

#include "reportengine/ReportImage.h"

// A picture as a PNG file: 8-bit RGB, or RGBA when it has an opacity, each row unfiltered. For the
// HTML export, which embeds its pictures.
QByteArray encodePng(const ReportImage &picture);
