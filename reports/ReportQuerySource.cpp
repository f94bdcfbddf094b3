#include "reports/ReportQuerySource.h"

ReportQuerySource::ReportQuerySource(SqlConnection *connection, const QString &sql) : m_query(connection)
{
    m_query.setSql(sql);
}

void ReportQuerySource::open()
{
    m_query.open();
}

void ReportQuerySource::close()
{
    m_query.close();
}

int ReportQuerySource::rowCount() const
{
    return m_query.isActive() ? m_query.rowCount() : 0;
}

QVariant ReportQuerySource::value(int row, const QString &field) const
{
    if (row < 0 || row >= rowCount())
        return {};
    return m_query.value(row, field);
}
