#pragma once

#include "reportengine/ReportElement.h"

// A horizontal line through the middle of its frame.
class ReportShape : public ReportElement
{
public:
    // A hair line that stays visible on paper and on screen at 100 %.
    static constexpr int kDefaultLineWidth = 20;

    ReportShape(QString name, QRect frame, int lineWidth = kDefaultLineWidth);

    void resolve(const ReportContext &context, std::vector<ReportElementInstance> &out) const override;

private:
    int m_lineWidth;
};
