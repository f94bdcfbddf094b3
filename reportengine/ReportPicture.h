#pragma once

#include "reportengine/ReportElement.h"
#include "reportengine/ReportImage.h"

// A picture stretched to its frame. It prints only while enabled and holding a picture.
class ReportPicture : public ReportElement
{
public:
    using ReportElement::ReportElement;

    void setPicture(const ReportImage &picture) { m_picture = picture; }
    void setEnabled(bool enabled) { m_enabled = enabled; }

    void resolve(const ReportContext &context, std::vector<ReportElementInstance> &out) const override;

private:
    ReportImage m_picture;
    bool m_enabled = true;
};
