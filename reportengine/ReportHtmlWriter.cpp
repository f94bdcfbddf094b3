#include "reportengine/ReportHtmlWriter.h"

#include "reportengine/ReportFontMetrics.h"
#include "reportengine/ReportPng.h"
#include "reportengine/ReportUnits.h"

namespace
{

QString mm(int hundredths)
{
    QString text = QString::number(hundredths / 100.0, 'f', 2);
    while (text.endsWith(u'0'))
        text.chop(1);
    if (text.endsWith(u'.'))
        text.chop(1);
    return text + QStringLiteral("mm");
}

QString box(const QRect &rect)
{
    return QStringLiteral("left:%1;top:%2;width:%3;height:%4")
        .arg(mm(rect.left()), mm(rect.top()), mm(rect.width()), mm(rect.height()));
}

QString textAlign(const ReportElementInstance &element)
{
    // A line cut at its column's edge fills the column from its left edge, as on the page.
    if (element.lines.size() == 1 && element.lines.front().width >= element.frame.width())
        return QStringLiteral("left");
    switch (element.alignment) {
    case ReportAlignment::Left:
        break;
    case ReportAlignment::Centre:
        return QStringLiteral("center");
    case ReportAlignment::Right:
        return QStringLiteral("right");
    }
    return QStringLiteral("left");
}

size_t pictureKey(const ReportImage &picture)
{
    return qHash(picture.rgb, size_t(picture.width));
}

// The paper for a browser's printing, so that it keeps the pages' size and orientation: A4 by
// name, any other size by its measures. The pages carry their own margins.
QString cssPageSize(const QSize &pageSize)
{
    const QSize a4(21000, 29700);
    if (pageSize == a4)
        return QStringLiteral("A4 portrait");
    if (pageSize == a4.transposed())
        return QStringLiteral("A4 landscape");
    return mm(pageSize.width()) + u' ' + mm(pageSize.height());
}

constexpr auto kHead = R"(<!DOCTYPE html>
<html lang="pt-BR">
<head>
<meta charset="utf-8">
<title>Relatório</title>
<style>
body { background: #808080; margin: 0; padding: 8px 0; }
.page { position: relative; overflow: hidden; background: #fff; margin: 0 auto 8px auto; }
.band, .text, .picture, .line { position: absolute; }
.text { white-space: pre; font-family: Arial, "Liberation Sans", Helvetica, sans-serif; line-height: %1; color: #000; }
.line { border-top-style: solid; border-top-color: #000; }
@page { size: %2; margin: 0; }
@media print { body { background: none; padding: 0; } .page { margin: 0; break-after: page; } }
</style>
</head>
<body>
)";

} // namespace

ReportHtmlWriter::ReportHtmlWriter(QIODevice &device) : m_out(device) {}

void ReportHtmlWriter::write(const QString &text)
{
    m_out.write(text.toUtf8());
}

void ReportHtmlWriter::begin(const QSize &pageSize)
{
    m_pageSize = pageSize;
    // Text frames were sized with our line height; the browser's lines must match them.
    const ReportFont font;
    const double lineHeight =
        ReportFontMetrics::instance().lineHeight(font) / ReportUnits::fromPoints(font.pointSize);
    write(QString::fromUtf8(kHead).arg(lineHeight, 0, 'f', 3).arg(cssPageSize(pageSize)));
}

QString ReportHtmlWriter::pictureId(const ReportImage &picture)
{
    const size_t key = pictureKey(picture);
    for (auto it = m_pictures.constFind(key); it != m_pictures.cend() && it.key() == key; ++it) {
        if (it->picture == picture)
            return it->id;
    }
    const QString id = QStringLiteral("picture%1").arg(m_pictures.size() + 1);
    write(QStringLiteral(
              "<svg width=\"0\" height=\"0\" style=\"position:absolute\"><defs><image id=\"%1\" "
              "width=\"100\" height=\"100\" preserveAspectRatio=\"none\" href=\"data:image/png;base64,")
              .arg(id));
    m_out.write(encodePng(picture).toBase64());
    write(QStringLiteral("\"/></defs></svg>\n"));
    m_pictures.insert(key, Embedded{picture, id});
    return id;
}

void ReportHtmlWriter::band(const ReportBandInstance &band)
{
    if (band.page != m_page) {
        if (m_page > 0)
            write(QStringLiteral("</div>\n"));
        m_page = band.page;
        write(QStringLiteral("<div class=\"page\" style=\"width:%1;height:%2\">\n")
                  .arg(mm(m_pageSize.width()), mm(m_pageSize.height())));
    }
    QString html = QStringLiteral("<div class=\"band\" style=\"%1;background:%2\">\n")
                       .arg(box(band.area), band.colour.name());
    for (const ReportElementInstance &element : band.elements) {
        switch (element.kind) {
        case ReportElementKind::Label:
        case ReportElementKind::DataText:
        case ReportElementKind::SystemData: {
            QStringList lines;
            for (const ReportTextLine &line : element.lines)
                lines << line.text.toHtmlEscaped();
            html += QStringLiteral("<div class=\"text\" "
                                   "style=\"%1;font-size:%2pt;font-weight:%3;text-align:%4%5\">%6</div>\n")
                        .arg(box(element.frame), QString::number(element.font.pointSize),
                             element.font.bold ? QStringLiteral("bold") : QStringLiteral("normal"),
                             textAlign(element),
                             element.background ? QStringLiteral(";background:") + element.background->name()
                                                : QString(),
                             lines.join(u'\n'));
            break;
        }
        case ReportElementKind::Picture:
            html += QStringLiteral("<svg class=\"picture\" style=\"%1\" viewBox=\"0 0 100 100\" "
                                   "preserveAspectRatio=\"none\"><use href=\"#%2\"/></svg>\n")
                        .arg(box(element.frame), pictureId(element.picture));
            break;
        case ReportElementKind::Shape: {
            const QRect line(element.frame.left(),
                             element.frame.top() + (element.frame.height() - element.lineWidth) / 2,
                             element.frame.width(), 0);
            html += QStringLiteral("<div class=\"line\" style=\"%1;border-top-width:%2\"></div>\n")
                        .arg(box(line), mm(element.lineWidth));
            break;
        }
        }
    }
    html += QStringLiteral("</div>\n");
    write(html);
}

void ReportHtmlWriter::finish()
{
    if (m_page > 0)
        write(QStringLiteral("</div>\n"));
    write(QStringLiteral("</body>\n</html>\n"));
    m_out.flush();
}
