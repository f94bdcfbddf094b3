#include "records/RecordProvider.h"

#include "db/FbError.h"
#include "db/SqlConnection.h"
#include "db/SqlQuery.h"

#include <QElapsedTimer>
#include <QThread>
#include <firebird/Interface.h>

namespace
{

bool sameValue(const QVariant &a, const QVariant &b)
{
    if (a.isNull() || b.isNull())
        return a.isNull() == b.isNull();
    return a == b;
}

// How long the outcome of a lost commit is sought before it is given up as unknown.
constexpr qint64 kCheckForMs = 10000;
constexpr int kCheckPauseMs = 500;

// The key fields as they were read, and the fields of checked (as they were read as well).
QString rowCondition(const QList<FieldDef> &fields, SqlQuery &query, const QList<QVariant> &original,
                     const QList<int> &checked = {})
{
    QStringList terms;
    for (int i = 0; i < fields.size(); ++i) {
        if (!fields.at(i).key)
            continue;
        terms.append(QStringLiteral("%1 = :OLD_%1").arg(fields.at(i).name));
        query.setParam(QStringLiteral("OLD_") + fields.at(i).name, original.value(i));
    }
    if (terms.isEmpty())
        throw fb::Error(QStringLiteral("Não há campo chave para localizar o registro."));
    for (const int i : checked) {
        if (fields.at(i).key)
            continue;
        terms.append(QStringLiteral("%1 IS NOT DISTINCT FROM :OLD_%1").arg(fields.at(i).name));
        query.setParam(QStringLiteral("OLD_") + fields.at(i).name, original.value(i));
    }
    return terms.join(QStringLiteral(" AND "));
}

// Firebird's own code for a row changed by another transaction: the same cause to the user.
void expectOneRow(qint64 rows)
{
    if (rows != 1)
        throw fb::Error(QStringLiteral("Registro não encontrado ou alterado por outro usuário."), 0,
                        {isc_update_conflict});
}

} // namespace

RecordProvider::RecordProvider(SqlConnection *connection) : m_connection(connection)
{
    Q_ASSERT(connection);
}

RecordProvider::Rows RecordProvider::fetch(const QString &commandText, const Params &params) const
{
    SqlQuery query(m_connection);
    query.setSql(commandText.isEmpty() ? m_sql : commandText);
    for (const auto &param : params)
        query.setParam(param.first, param.second);
    query.open();

    Rows rows;
    rows.columns = query.columnNames();
    rows.values.reserve(query.rowCount());
    for (int r = 0; r < query.rowCount(); ++r) {
        QList<QVariant> row;
        row.reserve(rows.columns.size());
        for (int c = 0; c < rows.columns.size(); ++c)
            row.append(query.value(r, c));
        rows.values.append(std::move(row));
    }
    return rows;
}

void RecordProvider::applyOne(SqlConnection *connection, const QList<FieldDef> &fields,
                              const RecordChange &change) const
{
    SqlQuery query(connection);
    switch (change.kind) {
    case RecordChange::Kind::Insert: {
        QStringList names;
        QStringList params;
        for (int i = 0; i < fields.size(); ++i) {
            names.append(fields.at(i).name);
            params.append(QStringLiteral(":NEW_") + fields.at(i).name);
            query.setParam(QStringLiteral("NEW_") + fields.at(i).name, change.values.value(i));
        }
        query.setSql(
            QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                .arg(m_updateTable, names.join(QStringLiteral(", ")), params.join(QStringLiteral(", "))));
        query.execSQL();
        return;
    }
    case RecordChange::Kind::Update: {
        QStringList assignments;
        QList<int> changed;
        for (int i = 0; i < fields.size(); ++i) {
            if (sameValue(change.values.value(i), change.original.value(i)))
                continue;
            assignments.append(QStringLiteral("%1 = :NEW_%1").arg(fields.at(i).name));
            query.setParam(QStringLiteral("NEW_") + fields.at(i).name, change.values.value(i));
            changed.append(i);
        }
        if (assignments.isEmpty())
            return;
        const QString where = rowCondition(fields, query, change.original, changed);
        query.setSql(QStringLiteral("UPDATE %1 SET %2 WHERE %3")
                         .arg(m_updateTable, assignments.join(QStringLiteral(", ")), where));
        expectOneRow(query.execSQL());
        return;
    }
    case RecordChange::Kind::Delete: {
        const QString where = rowCondition(fields, query, change.original);
        query.setSql(QStringLiteral("DELETE FROM %1 WHERE %2").arg(m_updateTable, where));
        expectOneRow(query.execSQL());
        return;
    }
    }
}

RecordProvider::ApplyResult RecordProvider::apply(const QList<FieldDef> &fields,
                                                  const QList<RecordChange> &changes, int maxErrors)
{
    if (m_updateTable.isEmpty())
        throw fb::Error(QStringLiteral("Estes dados são somente para leitura."));
    ApplyResult result;
    result.applied = QList<bool>(changes.size(), false);
    if (changes.isEmpty())
        return result;

    SqlConnection *target = m_connection;
    target->startTransaction();
    try {
        for (int i = 0; i < changes.size(); ++i) {
            try {
                applyOne(target, fields, changes.at(i));
                result.applied[i] = true;
            } catch (const fb::Error &error) {
                // Without the connection the transaction is gone: nothing more can be applied.
                if (error.connectionLost())
                    throw;
                if (!result.firstError)
                    result.firstError = error;
                if (++result.errors > maxErrors)
                    break;
            }
        }
        if (result.errors > maxErrors) {
            target->rollback();
            result.applied.fill(false);
            return result;
        }
    } catch (...) {
        try {
            target->rollback();
        } catch (const fb::Error &) {
            // The original failure is the one worth reporting.
        }
        throw;
    }
    try {
        target->commit();
    } catch (const fb::Error &error) {
        if (!error.connectionLost()) {
            try {
                target->rollback();
            } catch (const fb::Error &) {
                // The failed commit is the one worth reporting.
            }
            throw;
        }
        // The commit went out and its answer did not come back: only the rows can tell.
        throw LostCommit(error, outcomeOf(fields, changes, result.applied));
    }
    return result;
}

bool RecordProvider::isStored(const QList<FieldDef> &fields, const RecordChange &change) const
{
    SqlQuery query(m_connection);
    QStringList names;
    for (const FieldDef &field : fields)
        names.append(field.name);
    const bool deletion = change.kind == RecordChange::Kind::Delete;
    // A deletion and an update are located by the key as read, an insertion by the key written.
    const QList<QVariant> &key = change.kind == RecordChange::Kind::Insert ? change.values : change.original;
    query.setSql(QStringLiteral("SELECT %1 FROM %2 WHERE %3")
                     .arg(names.join(QStringLiteral(", ")), m_updateTable, rowCondition(fields, query, key)));
    query.open();
    if (deletion || query.rowCount() == 0)
        return deletion && query.rowCount() == 0;
    for (int i = 0; i < fields.size(); ++i) {
        const bool written = change.kind == RecordChange::Kind::Insert ||
                             !sameValue(change.values.value(i), change.original.value(i));
        if (written && !sameValue(query.value(0, i), change.values.value(i)))
            return false;
    }
    return true;
}

LostCommit::Outcome RecordProvider::outcomeOf(const QList<FieldDef> &fields,
                                              const QList<RecordChange> &changes,
                                              const QList<bool> &applied) const
{
    int stored = 0;
    int checked = 0;
    // A server that went down is often back within moments (its guardian restarts it): it is
    // asked again for a while before the outcome is given up as unknown.
    QElapsedTimer seeking;
    seeking.start();
    for (;;) {
        try {
            stored = checked = 0;
            for (int i = 0; i < changes.size(); ++i) {
                if (!applied.at(i))
                    continue;
                ++checked;
                if (isStored(fields, changes.at(i)))
                    ++stored;
            }
            break;
        } catch (const fb::Error &error) {
            // A server coming back up may refuse the connection in its own words before it serves
            // (its previous instance still holding the database file, say): as long as no
            // connection is made, the database has not been asked yet.
            const bool unreachable = error.connectionLost() || !m_connection->isConnected();
            if (!unreachable || seeking.elapsed() > kCheckForMs)
                return LostCommit::Outcome::Unknown; // the database cannot be asked yet
            QThread::msleep(kCheckPauseMs);
        }
    }
    if (stored == checked)
        return LostCommit::Outcome::Stored;
    // A commit is whole or nothing; anything in between means someone else wrote meanwhile.
    return stored == 0 ? LostCommit::Outcome::NotStored : LostCommit::Outcome::Unknown;
}
