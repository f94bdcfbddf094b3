#include "reportengine/ReportPainter.h"

#include "reportengine/ReportImageConversion.h"
#include "reportengine/ReportUnits.h"

#include <QFont>
#include <QPainter>

namespace
{

QFont fontFor(const ReportFont &reportFont)
{
    QFont font;
    font.setFamilies({QStringLiteral("Liberation Sans"), QStringLiteral("Arial")});
    // Painted in hundredths of a millimetre; unhinted so that advances keep Arial's widths.
    font.setPixelSize(int(ReportUnits::fromPoints(reportFont.pointSize) + 0.5));
    font.setBold(reportFont.bold);
    font.setHintingPreference(QFont::PreferNoHinting);
    font.setKerning(false);
    return font;
}

struct ItemPainter {
    QPainter &painter;

    void operator()(const ReportPageRect &item) const
    {
        painter.fillRect(item.rect,
                         QColor(item.colour.red, item.colour.green, item.colour.blue, item.colour.alpha));
    }

    void operator()(const ReportPageLine &item) const
    {
        painter.setPen(QPen(Qt::black, item.width, Qt::SolidLine, Qt::FlatCap));
        painter.drawLine(item.from, item.to);
    }

    void operator()(const ReportPageText &item) const
    {
        painter.setFont(fontFor(item.font));
        painter.setPen(Qt::black);
        painter.drawText(item.baselineStart, item.text);
    }

    void operator()(const ReportPagePicture &item) const
    {
        painter.drawImage(item.rect, toQImage(item.picture));
    }
};

} // namespace

void ReportPainter::paint(QPainter &painter, const ReportPage &page, const QRectF &target)
{
    painter.save();
    painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing |
                           QPainter::SmoothPixmapTransform);
    painter.fillRect(target, Qt::white);
    painter.translate(target.topLeft());
    painter.scale(target.width() / page.size.width(), target.height() / page.size.height());
    painter.setClipRect(QRect(QPoint(0, 0), page.size));
    const ItemPainter itemPainter{painter};
    for (const ReportPageItem &item : page.items)
        std::visit(itemPainter, item);
    painter.restore();
}
