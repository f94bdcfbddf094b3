#pragma once

#include "reportengine/ReportColour.h"
#include "reportengine/ReportFont.h"
#include "reportengine/ReportImage.h"

#include <QRect>
#include <QString>
#include <QVarLengthArray>
#include <optional>

enum class ReportElementKind { Label, DataText, SystemData, Picture, Shape };
enum class ReportAlignment { Left, Centre, Right };

struct ReportTextLine {
    QString text;
    int width = 0; // measured, hundredths of a millimetre
};

// One element as it printed in one band instance. Only elements that print appear.
struct ReportElementInstance {
    ReportElementKind kind = ReportElementKind::Label;
    QString name;
    // Relative to the band, hundredths of a millimetre. For texts: the width after auto width
    // and the height of the laid-out lines.
    QRect frame;

    // Labels, data texts and system data.
    QString text;
    QVarLengthArray<ReportTextLine, 1> lines; // nearly always one: no allocation for it
    ReportFont font;
    ReportAlignment alignment = ReportAlignment::Left;
    std::optional<ReportColour> background; // none: transparent

    // Pictures: stretched to the frame.
    ReportImage picture;

    // Shapes: a horizontal line through the middle of the frame.
    int lineWidth = 0;

    bool isText() const
    {
        return kind == ReportElementKind::Label || kind == ReportElementKind::DataText ||
               kind == ReportElementKind::SystemData;
    }
};
