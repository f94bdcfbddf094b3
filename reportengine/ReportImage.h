#pragma once

#include <QByteArray>

// A picture of the report model, decoded: its size and its pixels as rows of 8-bit red, green and
// blue, with an 8-bit opacity per pixel when it has one. The engine's own rather than Qt GUI's
// image, so that the writers, and estocarium-db with them, run without Qt GUI: the PDF takes these
// bytes as they are. Copies share their pixels.
struct ReportImage {
    int width = 0;
    int height = 0;
    QByteArray rgb;   // width * 3 bytes a row, the top row first
    QByteArray alpha; // empty when opaque, else width bytes a row

    bool isNull() const { return width <= 0 || height <= 0; }
    bool hasAlpha() const { return !alpha.isEmpty(); }

    friend bool operator==(const ReportImage &, const ReportImage &) = default;
};
