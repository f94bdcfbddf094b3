#pragma once

#include "reportengine/ReportColour.h"
#include "reportengine/ReportFont.h"
#include "reportengine/ReportImage.h"

#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>
#include <variant>
#include <vector>

// A page as positioned primitives, in hundredths of a millimetre from the top-left corner of
// the paper. Items are in painting order.
struct ReportPageRect {
    QRect rect;
    ReportColour colour;
};

struct ReportPageLine {
    QPoint from; // horizontal: to.y() == from.y()
    QPoint to;
    int width = 0;
};

struct ReportPageText {
    QPoint baselineStart; // left end of the baseline
    QString text;
    ReportFont font;
};

struct ReportPagePicture {
    QRect rect; // the picture is stretched to it
    ReportImage picture;
};

using ReportPageItem = std::variant<ReportPageRect, ReportPageLine, ReportPageText, ReportPagePicture>;

struct ReportPage {
    int number = 1;
    QSize size;
    std::vector<ReportPageItem> items;
};
