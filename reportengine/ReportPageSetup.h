#pragma once

#include <QMargins>
#include <QSize>

// Paper, orientation and margins, in hundredths of a millimetre.
struct ReportPageSetup {
    enum class Orientation { Portrait, Landscape };

    QSize paper{21000, 29700}; // portrait width and height; A4
    Orientation orientation = Orientation::Portrait;
    QMargins margins{1000, 1000, 1000, 1000};

    QSize pageSize() const { return orientation == Orientation::Portrait ? paper : paper.transposed(); }
    int bandWidth() const { return pageSize().width() - margins.left() - margins.right(); }
};
