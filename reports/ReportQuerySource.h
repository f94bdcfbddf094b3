#pragma once

#include "db/SqlQuery.h"
#include "reportengine/ReportDataSource.h"

// A query's rows held on the client, as a report reads them. Closed, it holds no rows.
class ReportQuerySource : public ReportDataSource
{
public:
    // The connection outlives the source.
    ReportQuerySource(SqlConnection *connection, const QString &sql);

    // Reads the rows afresh; throws fb::Error.
    void open();
    void close();

    int rowCount() const override;
    QVariant value(int row, const QString &field) const override;

private:
    SqlQuery m_query;
};
