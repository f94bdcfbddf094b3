#pragma once

#include "reportengine/ReportDataSource.h"

#include <QStringList>
#include <QVariantList>
#include <vector>

// Records held in memory, each a list of values in the order of the field names.
class ReportMemoryDataSource : public ReportDataSource
{
public:
    explicit ReportMemoryDataSource(QStringList fields);

    void append(QVariantList values);

    int rowCount() const override;
    QVariant value(int row, const QString &field) const override;

private:
    QStringList m_fields;
    std::vector<QVariantList> m_rows;
};
