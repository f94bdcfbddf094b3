#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>

class SqlConnection;

// A query on the connection it is given, which outlives it. A SELECT is fetched whole into
// memory; a command reports the rows it touched. Without a transaction of the connection's own,
// each run is a read-committed transaction committed at its end. A closed connection is opened
// first, with its parameters as they stand.
class SqlQuery
{
public:
    explicit SqlQuery(SqlConnection *connection);

    void setSql(const QString &sql);
    const QString &sql() const { return m_sql; }
    // Off: the text goes to the server as written, colons included (trigger bodies).
    void setParamCheck(bool check) { m_paramCheck = check; }
    void setParam(const QString &name, const QVariant &value);

    void open();
    qint64 execSQL();
    void close();

    bool isActive() const { return m_active; }
    int rowCount() const { return int(m_rows.size()); }
    const QStringList &columnNames() const { return m_columns; }
    int columnIndex(const QString &name) const; // -1 when absent
    QVariant value(int row, int column) const { return m_rows.at(row).at(column); }
    QVariant value(int row, const QString &column) const;
    bool isNull(int row, const QString &column) const { return value(row, column).isNull(); }

private:
    template<typename Run>
    auto run(Run &&body);

    SqlConnection *m_connection;
    QString m_sql;
    bool m_paramCheck = true;
    QList<QPair<QString, QVariant>> m_values;
    QStringList m_columns;
    QList<QList<QVariant>> m_rows;
    bool m_active = false;
};
