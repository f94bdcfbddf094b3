#include "reportengine/ReportMemoryDataSource.h"

ReportMemoryDataSource::ReportMemoryDataSource(QStringList fields) : m_fields(std::move(fields)) {}

void ReportMemoryDataSource::append(QVariantList values)
{
    m_rows.push_back(std::move(values));
}

int ReportMemoryDataSource::rowCount() const
{
    return int(m_rows.size());
}

QVariant ReportMemoryDataSource::value(int row, const QString &field) const
{
    const qsizetype column = m_fields.indexOf(field);
    if (row < 0 || row >= rowCount() || column < 0 || column >= m_rows[row].size())
        return {};
    return m_rows[row][column];
}
