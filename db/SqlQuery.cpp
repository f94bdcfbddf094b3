#include "db/SqlQuery.h"

#include "db/FbError.h"
#include "db/NamedParams.h"
#include "db/SqlConnection.h"
#include "db/Statement.h"

#include <memory>

SqlQuery::SqlQuery(SqlConnection *connection) : m_connection(connection)
{
    Q_ASSERT(connection);
}

void SqlQuery::setSql(const QString &sql)
{
    close();
    m_sql = sql;
}

void SqlQuery::setParam(const QString &name, const QVariant &value)
{
    const QString key = name.toUpper();
    for (auto &entry : m_values) {
        if (entry.first == key) {
            entry.second = value;
            return;
        }
    }
    m_values.append({key, value});
}

void SqlQuery::close()
{
    m_active = false;
    m_columns.clear();
    m_rows.clear();
}

int SqlQuery::columnIndex(const QString &name) const
{
    return int(m_columns.indexOf(name.toUpper()));
}

QVariant SqlQuery::value(int row, const QString &column) const
{
    const int index = columnIndex(column);
    if (index < 0)
        throw fb::Error(QStringLiteral("Campo '%1' não encontrado").arg(column));
    return m_rows.at(row).at(index);
}

template<typename Run>
auto SqlQuery::run(Run &&body)
{
    fb::NamedParams parsed;
    if (m_paramCheck)
        parsed = fb::NamedParams::parse(m_sql);
    else
        parsed.sql = m_sql;

    bool committing = false;
    const auto attempt = [&] {
        return m_connection->call([&] {
            std::unique_ptr<fb::Transaction> own;
            fb::Transaction *transaction = m_connection->activeTransaction();
            if (!transaction) {
                own = std::make_unique<fb::Transaction>(m_connection->attachment(),
                                                        m_connection->lockTimeout());
                transaction = own.get();
            }
            auto result = [&] {
                fb::Statement statement(*transaction, parsed.sql);
                for (int i = 0; i < parsed.names.size(); ++i) {
                    const auto found =
                        std::find_if(m_values.cbegin(), m_values.cend(),
                                     [&](const auto &entry) { return entry.first == parsed.names.at(i); });
                    if (found == m_values.cend())
                        throw fb::Error(QStringLiteral("Parâmetro '%1' sem valor").arg(parsed.names.at(i)));
                    statement.setParam(i, found->second);
                }
                return body(statement);
            }();
            if (own) {
                committing = true;
                own->commit();
            }
            return result;
        });
    };
    // An attachment left open by an earlier call may have died meanwhile (the server was
    // restarted): then nothing of this query has been committed, and in a transaction of its
    // own it can run once more on a new attachment, so the person never sees the old one's end.
    const bool repeatable = m_connection->isConnected() && !m_connection->activeTransaction();
    if (!repeatable)
        return attempt();
    try {
        return attempt();
    } catch (const fb::Error &error) {
        if (!error.connectionLost() || error.timedOut() || committing)
            throw;
    }
    return attempt();
}

void SqlQuery::open()
{
    close();
    run([this](fb::Statement &statement) {
        auto cursor = statement.openCursor();
        QStringList columns;
        for (const QString &name : cursor->columnNames())
            columns.append(name.toUpper());
        QList<QList<QVariant>> rows;
        while (cursor->next()) {
            QList<QVariant> row;
            row.reserve(cursor->columnCount());
            for (int c = 0; c < cursor->columnCount(); ++c)
                row.append(cursor->value(c));
            rows.append(std::move(row));
        }
        m_columns = std::move(columns);
        m_rows = std::move(rows);
        return 0;
    });
    m_active = true;
}

qint64 SqlQuery::execSQL()
{
    close();
    return run([](fb::Statement &statement) { return statement.execute(); });
}
