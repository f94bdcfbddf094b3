#pragma once

#include "users/FieldDef.h"
#include "users/RecordChange.h"

#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>
#include <QVariant>

class SqlConnection;

// Feeds a record set from a SELECT and writes its pending changes back to one table. Changes
// locate their row by the key fields as they were read: an insertion writes every field, an
// update sets only the fields that differ from what was read, a deletion removes the row.
class RecordProvider
{
public:
    explicit RecordProvider(SqlConnection *connection = nullptr); // nullptr: dmPrincipal's connection

    void setSql(const QString &sql) { m_sql = sql; }
    // Empty: the provider only reads.
    void setUpdateTable(const QString &table) { m_updateTable = table; }

    using Params = QList<QPair<QString, QVariant>>;
    struct Rows {
        QStringList columns;
        QList<QList<QVariant>> values;
    };
    // commandText replaces the provider's own SELECT when it is not empty.
    Rows fetch(const QString &commandText, const Params &params) const;

    struct ApplyResult {
        int errors = 0;
        QList<bool> applied; // one flag per change; all false when the transaction was rolled back
    };
    // Runs every change in one transaction. A change the database refuses, or an update or
    // deletion that finds no row, counts as an error and the run goes on; once the errors
    // exceed maxErrors the run stops and the transaction is rolled back, otherwise it is
    // committed. Failures outside the changes themselves (no connection, a failed commit) are
    // thrown after the rollback.
    ApplyResult apply(const QList<FieldDef> &fields, const QList<RecordChange> &changes, int maxErrors);

private:
    SqlConnection *connection() const;
    void applyOne(SqlConnection *connection, const QList<FieldDef> &fields, const RecordChange &change) const;

    SqlConnection *m_connection;
    QString m_sql;
    QString m_updateTable;
};
