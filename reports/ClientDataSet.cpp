#include "reports/ClientDataSet.h"

ClientDataSet::ClientDataSet(const QString &sql)
{
    m_query.setSql(sql);
}

void ClientDataSet::open()
{
    m_query.open();
}

void ClientDataSet::close()
{
    m_query.close();
}

int ClientDataSet::rowCount() const
{
    return m_query.isActive() ? m_query.rowCount() : 0;
}

QVariant ClientDataSet::value(int row, const QString &field) const
{
    if (row < 0 || row >= rowCount())
        return {};
    return m_query.value(row, field);
}
