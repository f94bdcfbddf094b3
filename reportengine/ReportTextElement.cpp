#include "reportengine/ReportTextElement.h"

#include "reportengine/ReportFontMetrics.h"
#include "reportengine/ReportOneLine.h"

#include <cmath>

ReportTextElement::ReportTextElement(QString name, int left, int top, int width, ReportFont font)
    : ReportElement(std::move(name), QRect(left, top, width, 0)), m_font(font)
{
}

void ReportTextElement::resolve(const ReportContext &context, std::vector<ReportElementInstance> &out) const
{
    const ReportFontMetrics &metrics = ReportFontMetrics::instance();
    ReportElementInstance instance;
    instance.kind = kind();
    instance.name = name();
    instance.text = resolveText(context);
    instance.font = m_font;
    instance.alignment = m_alignment;
    instance.background = m_background;

    QRect area = frame();
    int widest = 0;
    // Every output prints these lines, so a text too long for its column is cut here, once, at
    // the column's right edge; what is cut shows from the column's left edge whatever the
    // alignment, so that its start is never lost.
    auto addLine = [&](const QString &text) {
        QString line = reportOneLine(text);
        int width = int(std::lround(metrics.width(line, m_font)));
        if (!m_autoWidth && width > area.width()) {
            line = metrics.fitting(line, m_font, area.width());
            width = area.width();
        }
        widest = std::max(widest, width);
        instance.lines.push_back({line, width});
    };
    if (m_wordWrap && !m_autoWidth) {
        // A label that breaks at blanks also breaks at its own line breaks.
        for (const QString &line : metrics.wrap(instance.text, m_font, area.width()))
            addLine(line);
    } else {
        addLine(instance.text);
    }
    if (m_autoWidth)
        area.setWidth(widest);
    area.setHeight(int(std::lround(metrics.lineHeight(m_font) * double(instance.lines.size()))));
    instance.frame = area;
    out.push_back(std::move(instance));
}
