#pragma once

#include "reportengine/ReportColour.h"
#include "reportengine/ReportFont.h"

#include <QByteArray>
#include <QPoint>
#include <QRect>
#include <QStringView>
#include <string>

// The operators of one page's content stream. Positions come in hundredths of a millimetre from
// the top-left corner and go out in points from the bottom-left corner, text positions at the
// baseline. Everything is appended in place: a long list writes hundreds of thousands of them.
class ReportPdfContent
{
public:
    explicit ReportPdfContent(int pageHeight);

    void rect(const QRect &rect, const ReportColour &colour);
    void horizontalLine(const QPoint &from, const QPoint &to, int width);
    // Windows-1252 bytes for Helvetica's WinAnsi encoding; characters outside it print as '?'.
    void text(const QPoint &baselineStart, QStringView text, const ReportFont &font);
    void picture(const QRect &rect, const QByteArray &name);

    QByteArray bytes() const { return QByteArray::fromStdString(m_out); }

private:
    void fixed(double value, int decimals = 2);
    void x(int hundredths);
    void y(int hundredthsFromTop);
    void length(int hundredths);
    void fill(const ReportColour &colour);

    std::string m_out; // appends of single characters are inlined, unlike QByteArray's
    int m_pageHeight;
    ReportColour m_fill = ReportColour::black();
    int m_font = 0; // 0 none yet, 1 regular, 2 bold
    double m_fontSize = 0;
};
