#pragma once

#include "reportengine/ReportTextElement.h"

// A text set at design or by a before-print notification.
class ReportLabel : public ReportTextElement
{
public:
    using ReportTextElement::ReportTextElement;

    void setText(const QString &text) { m_text = text; }

protected:
    ReportElementKind kind() const override { return ReportElementKind::Label; }
    QString resolveText(const ReportContext &) const override { return m_text; }

private:
    QString m_text;
};
