#include "reportengine/ReportBandTexts.h"

#include <algorithm>

std::vector<const ReportElementInstance *> ReportBandTexts::inColumnOrder(const ReportBandInstance &band)
{
    std::vector<const ReportElementInstance *> texts;
    for (const ReportElementInstance &element : band.elements) {
        if (element.isText())
            texts.push_back(&element);
    }
    std::stable_sort(texts.begin(), texts.end(),
                     [](const auto *a, const auto *b) { return a->frame.left() < b->frame.left(); });
    return texts;
}
