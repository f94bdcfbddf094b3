#include "reportengine/ReportPdfContent.h"

#include "codec/Win1252.h"
#include "reportengine/ReportUnits.h"

#include <charconv>
#include <cmath>

ReportPdfContent::ReportPdfContent(int pageHeight) : m_pageHeight(pageHeight)
{
    m_out.reserve(32 * 1024);
}

void ReportPdfContent::fixed(double value, int decimals)
{
    const long long scale = decimals == 3 ? 1000 : 100;
    long long units = std::llround(value * double(scale));
    if (units < 0) {
        m_out += '-';
        units = -units;
    }
    char digits[24];
    const auto end = std::to_chars(digits, digits + sizeof digits, units / scale).ptr;
    m_out.append(digits, std::size_t(end - digits));
    long long fraction = units % scale;
    if (fraction == 0)
        return;
    m_out += '.';
    for (long long unit = scale / 10; fraction > 0; unit /= 10) {
        m_out += char('0' + fraction / unit);
        fraction %= unit;
    }
}

void ReportPdfContent::x(int hundredths)
{
    fixed(ReportUnits::toPoints(hundredths));
}

void ReportPdfContent::y(int hundredthsFromTop)
{
    fixed(ReportUnits::toPoints(m_pageHeight - hundredthsFromTop));
}

void ReportPdfContent::length(int hundredths)
{
    fixed(ReportUnits::toPoints(hundredths));
}

void ReportPdfContent::fill(const ReportColour &colour)
{
    if (colour == m_fill)
        return;
    m_fill = colour;
    fixed(colour.red / 255.0, 3);
    m_out += ' ';
    fixed(colour.green / 255.0, 3);
    m_out += ' ';
    fixed(colour.blue / 255.0, 3);
    m_out += " rg\n";
}

void ReportPdfContent::rect(const QRect &rect, const ReportColour &colour)
{
    fill(colour);
    x(rect.left());
    m_out += ' ';
    y(rect.top() + rect.height());
    m_out += ' ';
    length(rect.width());
    m_out += ' ';
    length(rect.height());
    m_out += " re f\n";
}

void ReportPdfContent::horizontalLine(const QPoint &from, const QPoint &to, int width)
{
    length(width);
    m_out += " w 0 G ";
    x(from.x());
    m_out += ' ';
    y(from.y());
    m_out += " m ";
    x(to.x());
    m_out += ' ';
    y(to.y());
    m_out += " l S\n";
}

void ReportPdfContent::text(const QPoint &baselineStart, QStringView text, const ReportFont &font)
{
    fill(ReportColour::black());
    m_out += "BT ";
    // The font belongs to the graphics state and outlives ET.
    const int fontNumber = font.bold ? 2 : 1;
    if (fontNumber != m_font || font.pointSize != m_fontSize) {
        m_font = fontNumber;
        m_fontSize = font.pointSize;
        m_out += fontNumber == 2 ? "/F2 " : "/F1 ";
        fixed(font.pointSize);
        m_out += " Tf ";
    }
    x(baselineStart.x());
    m_out += ' ';
    y(baselineStart.y());
    m_out += " Td (";
    for (const QChar c : text) {
        const int byte = fb::Win1252::byteFor(c.unicode());
        if (byte < 0) {
            m_out += '?';
        } else if (byte == '(' || byte == ')' || byte == '\\') {
            m_out += '\\';
            m_out += char(byte);
        } else if (byte < 0x20) {
            const char escaped[] = {'\\', char('0' + (byte >> 6)), char('0' + ((byte >> 3) & 7)),
                                    char('0' + (byte & 7))};
            m_out.append(escaped, sizeof escaped);
        } else {
            m_out += char(byte);
        }
    }
    m_out += ") Tj ET\n";
}

void ReportPdfContent::picture(const QRect &rect, const QByteArray &name)
{
    m_out += "q ";
    length(rect.width());
    m_out += " 0 0 ";
    length(rect.height());
    m_out += ' ';
    x(rect.left());
    m_out += ' ';
    y(rect.top() + rect.height());
    m_out += " cm ";
    m_out.append(name.constData(), std::size_t(name.size()));
    m_out += " Do Q\n";
}
