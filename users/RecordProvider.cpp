#include "users/RecordProvider.h"

#include "shell/SqlConnection.h"
#include "shell/SqlQuery.h"
#include "shell/TdmPrincipal.h"
#include "shell/db/FbError.h"

namespace
{

bool sameValue(const QVariant &a, const QVariant &b)
{
    if (a.isNull() || b.isNull())
        return a.isNull() == b.isNull();
    return a == b;
}

QString keyCondition(const QList<FieldDef> &fields, SqlQuery &query, const QList<QVariant> &original)
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
    return terms.join(QStringLiteral(" AND "));
}

void expectOneRow(qint64 rows)
{
    if (rows != 1)
        throw fb::Error(QStringLiteral("Registro não encontrado ou alterado por outro usuário."));
}

} // namespace

RecordProvider::RecordProvider(SqlConnection *connection) : m_connection(connection) {}

SqlConnection *RecordProvider::connection() const
{
    return m_connection ? m_connection : dmPrincipal->NimboConnection;
}

RecordProvider::Rows RecordProvider::fetch(const QString &commandText, const Params &params) const
{
    SqlQuery query(connection());
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
        for (int i = 0; i < fields.size(); ++i) {
            if (sameValue(change.values.value(i), change.original.value(i)))
                continue;
            assignments.append(QStringLiteral("%1 = :NEW_%1").arg(fields.at(i).name));
            query.setParam(QStringLiteral("NEW_") + fields.at(i).name, change.values.value(i));
        }
        if (assignments.isEmpty())
            return;
        const QString where = keyCondition(fields, query, change.original);
        query.setSql(QStringLiteral("UPDATE %1 SET %2 WHERE %3")
                         .arg(m_updateTable, assignments.join(QStringLiteral(", ")), where));
        expectOneRow(query.execSQL());
        return;
    }
    case RecordChange::Kind::Delete: {
        const QString where = keyCondition(fields, query, change.original);
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

    SqlConnection *target = connection();
    target->startTransaction();
    try {
        for (int i = 0; i < changes.size(); ++i) {
            try {
                applyOne(target, fields, changes.at(i));
                result.applied[i] = true;
            } catch (const fb::Error &) {
                if (++result.errors > maxErrors)
                    break;
            }
        }
        if (result.errors > maxErrors) {
            target->rollback();
            result.applied.fill(false);
            return result;
        }
        target->commit();
    } catch (...) {
        try {
            target->rollback();
        } catch (const fb::Error &) {
            // The original failure is the one worth reporting.
        }
        throw;
    }
    return result;
}
