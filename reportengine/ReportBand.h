#pragma once

#include "reportengine/ReportBandInstance.h"
#include "reportengine/ReportBandKind.h"
#include "reportengine/ReportColour.h"
#include "reportengine/ReportContext.h"
#include "reportengine/ReportElement.h"

#include <functional>
#include <memory>
#include <vector>

// A band of the report definition: a height, a colour and elements. Its before-print
// notification runs once each time the band prints and may change the band's colour and its
// elements; the printed instance records what it left.
class ReportBand
{
public:
    using BeforePrint = std::function<void(ReportBand &band)>;

    ReportBand(ReportBandKind kind, int height);
    ReportBand(const ReportBand &) = delete;
    ReportBand &operator=(const ReportBand &) = delete;

    ReportBandKind kind() const { return m_kind; }
    int height() const { return m_height; }
    void setColour(const ReportColour &colour) { m_colour = colour; }
    void setBeforePrint(BeforePrint handler) { m_beforePrint = std::move(handler); }

    // The band owns its elements; the pointer stays valid for the band's life.
    template<class Element, class... Args>
    Element *add(Args &&...args)
    {
        auto element = std::make_unique<Element>(std::forward<Args>(args)...);
        Element *raw = element.get();
        m_elements.push_back(std::move(element));
        return raw;
    }

    // Runs the before-print notification, then records the band as it prints at area.
    ReportBandInstance print(const ReportContext &context, const QRect &area);

private:
    ReportBandKind m_kind;
    int m_height;
    ReportColour m_colour = ReportColour::white();
    BeforePrint m_beforePrint;
    std::vector<std::unique_ptr<ReportElement>> m_elements;
};
