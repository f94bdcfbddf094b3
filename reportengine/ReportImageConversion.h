#pragma once

#include "reportengine/ReportImage.h"

#include <QImage>

// Between Qt GUI's images and the report model's pictures, for what builds reports from images
// and what paints them on a screen or a printer. The pixels are Qt's conversion to 8-bit RGB (and
// 8-bit opacity when the image has an alpha channel), byte for byte.
ReportImage toReportImage(const QImage &image);
QImage toQImage(const ReportImage &picture);
