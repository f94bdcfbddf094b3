#pragma once

#include "reportengine/ReportColour.h"
#include "reportengine/ReportElement.h"

#include <optional>

// Common ground of labels, data texts and system data: one text in a frame of fixed width (or of
// the text's width), aligned, optionally broken at blanks. The height follows the lines.
class ReportTextElement : public ReportElement
{
public:
    ReportTextElement(QString name, int left, int top, int width, ReportFont font);

    void setAlignment(ReportAlignment alignment) { m_alignment = alignment; }
    void setAutoWidth(bool on) { m_autoWidth = on; }
    void setWordWrap(bool on) { m_wordWrap = on; }
    // No background (the default) lets the band's colour show through.
    void setBackground(std::optional<ReportColour> colour) { m_background = colour; }

    void resolve(const ReportContext &context, std::vector<ReportElementInstance> &out) const override;

protected:
    virtual ReportElementKind kind() const = 0;
    virtual QString resolveText(const ReportContext &context) const = 0;

private:
    ReportFont m_font;
    ReportAlignment m_alignment = ReportAlignment::Left;
    bool m_autoWidth = false;
    bool m_wordWrap = false;
    std::optional<ReportColour> m_background;
};
