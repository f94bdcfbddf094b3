#pragma once

#include "db/FbError.h"
#include "records/FieldDef.h"
#include "records/RecordChange.h"

#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <optional>

class SqlConnection;

// The connection was lost while the changes were being committed, so the commit may or may
// not have happened; the rows were then read back to learn what the database holds.
class LostCommit : public fb::Error
{
public:
    enum class Outcome { Stored, NotStored, Unknown };
    LostCommit(const fb::Error &cause, Outcome outcome) : fb::Error(cause), m_outcome(outcome) {}
    Outcome outcome() const { return m_outcome; }

private:
    Outcome m_outcome;
};

// Feeds a record set from a SELECT and writes its pending changes back to one table. An
// insertion writes every field; an update sets only the fields that differ from what was read
// and locates its row by the key fields and by those fields as they were read, so a change
// that another workstation made in between is not overwritten (the update finds no row and
// is refused with isc_update_conflict); a deletion locates its row by the key fields alone.
class RecordProvider
{
public:
    // The connection outlives the provider.
    explicit RecordProvider(SqlConnection *connection);

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
        std::optional<fb::Error> firstError; // why the database refused the first refused change
    };
    // Runs every change in one transaction. A change the database refuses, or an update or
    // deletion that finds no row, counts as an error and the run goes on; once the errors
    // exceed maxErrors the run stops and the transaction is rolled back, otherwise it is
    // committed. Failures outside the changes themselves (no connection, the connection lost
    // on the way, a failed commit) are thrown after the rollback; a connection lost during the
    // commit itself is thrown as LostCommit, once the rows have been read back.
    ApplyResult apply(const QList<FieldDef> &fields, const QList<RecordChange> &changes, int maxErrors);

private:
    void applyOne(SqlConnection *connection, const QList<FieldDef> &fields, const RecordChange &change) const;
    // Whether the database holds the change, read back after a commit whose answer was lost.
    bool isStored(const QList<FieldDef> &fields, const RecordChange &change) const;
    LostCommit::Outcome outcomeOf(const QList<FieldDef> &fields, const QList<RecordChange> &changes,
                                  const QList<bool> &applied) const;

    SqlConnection *m_connection;
    QString m_sql;
    QString m_updateTable;
};
