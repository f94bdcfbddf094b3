#pragma once

#include "reportengine/ReportContext.h"
#include "reportengine/ReportElementInstance.h"

#include <QRect>
#include <QString>

// An element of a band, positioned relative to the band in hundredths of a millimetre.
class ReportElement
{
public:
    ReportElement(QString name, QRect frame);
    virtual ~ReportElement() = default;
    ReportElement(const ReportElement &) = delete;
    ReportElement &operator=(const ReportElement &) = delete;

    const QString &name() const { return m_name; }
    QRect frame() const { return m_frame; }

    // Appends the element as it prints now; nothing when it does not print.
    virtual void resolve(const ReportContext &context, std::vector<ReportElementInstance> &out) const = 0;

private:
    QString m_name;
    QRect m_frame;
};
