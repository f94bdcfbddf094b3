#pragma once

#include <QString>
#include <QVariant>

// The record set a report is bound to: records are read by index, in order, from 0.
class ReportDataSource
{
public:
    virtual ~ReportDataSource() = default;

    virtual int rowCount() const = 0;
    // A null QVariant for a missing field or a NULL value.
    virtual QVariant value(int row, const QString &field) const = 0;
};
