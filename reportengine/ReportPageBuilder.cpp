#include "reportengine/ReportPageBuilder.h"

#include "codec/Win1252.h"
#include "reportengine/ReportFontMetrics.h"

#include <cmath>

namespace
{

// Pages carry only what the font can show, so every page output draws the same glyphs.
QString printable(const QString &text)
{
    for (const QChar c : text) {
        if (fb::Win1252::byteFor(c.unicode()) < 0)
            return fb::Win1252::toUnicode(fb::Win1252::fromUnicode(text));
    }
    return text;
}

int alignedLeft(const QRect &frame, const ReportTextLine &line, ReportAlignment alignment)
{
    switch (alignment) {
    case ReportAlignment::Left:
        break;
    case ReportAlignment::Centre:
        return frame.left() + (frame.width() - line.width) / 2;
    case ReportAlignment::Right:
        return frame.left() + frame.width() - line.width;
    }
    return frame.left();
}

void appendText(ReportPage &page, const ReportElementInstance &element, const QRect &frame)
{
    if (element.background)
        page.items.emplace_back(std::in_place_type<ReportPageRect>, frame, *element.background);
    const ReportFontMetrics &metrics = ReportFontMetrics::instance();
    const double ascent = metrics.ascent(element.font);
    const double lineHeight = metrics.lineHeight(element.font);
    for (qsizetype i = 0; i < element.lines.size(); ++i) {
        const ReportTextLine &line = element.lines[i];
        if (line.text.isEmpty())
            continue;
        const int baseline = frame.top() + int(std::lround(ascent + lineHeight * double(i)));
        page.items.emplace_back(std::in_place_type<ReportPageText>,
                                QPoint(alignedLeft(frame, line, element.alignment), baseline),
                                printable(line.text), element.font);
    }
}

} // namespace

void ReportPageBuilder::appendBand(ReportPage &page, const ReportBandInstance &band)
{
    // The paper is white: a white band needs no fill.
    if (band.colour.alpha > 0 && band.colour != ReportColour::white())
        page.items.emplace_back(std::in_place_type<ReportPageRect>, band.area, band.colour);
    for (const ReportElementInstance &element : band.elements) {
        const QRect frame = element.frame.translated(band.area.topLeft());
        switch (element.kind) {
        case ReportElementKind::Label:
        case ReportElementKind::DataText:
        case ReportElementKind::SystemData:
            appendText(page, element, frame);
            break;
        case ReportElementKind::Picture:
            page.items.emplace_back(std::in_place_type<ReportPagePicture>, frame, element.picture);
            break;
        case ReportElementKind::Shape: {
            const int y = frame.top() + frame.height() / 2;
            page.items.emplace_back(std::in_place_type<ReportPageLine>, QPoint(frame.left(), y),
                                    QPoint(frame.left() + frame.width(), y), element.lineWidth);
            break;
        }
        }
    }
}
