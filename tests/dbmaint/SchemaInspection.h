#pragma once

// Reads the user tables, keys and columns of a database from its system tables, as lines that
// compare and print well in tests.

#include "db/Decimal.h"
#include "db/SqlConnection.h"
#include "db/SqlQuery.h"

#include <QMap>
#include <QStringList>

namespace inspect
{

inline QList<QStringList> rows(SqlConnection *connection, const QString &sql)
{
    SqlQuery query(connection);
    query.setSql(sql);
    query.open();
    QList<QStringList> result;
    for (int r = 0; r < query.rowCount(); ++r) {
        QStringList row;
        for (int c = 0; c < query.columnNames().size(); ++c) {
            const QVariant v = query.value(r, c);
            row << (v.metaType() == QMetaType::fromType<fb::Decimal>() ? v.value<fb::Decimal>().toString()
                                                                       : v.toString().trimmed());
        }
        result << row;
    }
    return result;
}

inline QStringList tables(SqlConnection *connection)
{
    QStringList names;
    for (const QStringList &row :
         rows(connection, "SELECT RDB$RELATION_NAME FROM RDB$RELATIONS "
                          "WHERE RDB$SYSTEM_FLAG = 0 AND RDB$VIEW_BLR IS NULL ORDER BY 1"))
        names << row.first();
    return names;
}

// "TABLE: CONSTRAINT(COL1,COL2)" for every primary key.
inline QStringList primaryKeys(SqlConnection *connection)
{
    QMap<QString, QStringList> keys;
    for (const QStringList &row :
         rows(connection, "SELECT C.RDB$RELATION_NAME, C.RDB$CONSTRAINT_NAME, S.RDB$FIELD_NAME "
                          "FROM RDB$RELATION_CONSTRAINTS C JOIN RDB$INDEX_SEGMENTS S ON S.RDB$INDEX_NAME = "
                          "C.RDB$INDEX_NAME "
                          "WHERE C.RDB$CONSTRAINT_TYPE = 'PRIMARY KEY' "
                          "ORDER BY C.RDB$RELATION_NAME, C.RDB$CONSTRAINT_NAME, S.RDB$FIELD_POSITION"))
        keys[row[0] + ": " + row[1]] << row[2];
    QStringList lines;
    for (auto it = keys.cbegin(); it != keys.cend(); ++it)
        lines << QStringLiteral("%1(%2)").arg(it.key(), it.value().join(','));
    return lines;
}

// "DETAIL: CONSTRAINT(COLS) -> UNIQUE_CONSTRAINT delete RULE update RULE" for every foreign key.
inline QStringList foreignKeys(SqlConnection *connection)
{
    QMap<QString, QStringList> columns;
    QMap<QString, QString> tails;
    for (const QStringList &row :
         rows(connection,
              "SELECT C.RDB$RELATION_NAME, C.RDB$CONSTRAINT_NAME, S.RDB$FIELD_NAME, R.RDB$CONST_NAME_UQ, "
              "R.RDB$DELETE_RULE, R.RDB$UPDATE_RULE "
              "FROM RDB$RELATION_CONSTRAINTS C "
              "JOIN RDB$REF_CONSTRAINTS R ON R.RDB$CONSTRAINT_NAME = C.RDB$CONSTRAINT_NAME "
              "JOIN RDB$INDEX_SEGMENTS S ON S.RDB$INDEX_NAME = C.RDB$INDEX_NAME "
              "ORDER BY C.RDB$RELATION_NAME, C.RDB$CONSTRAINT_NAME, S.RDB$FIELD_POSITION")) {
        const QString key = row[0] + ": " + row[1];
        columns[key] << row[2];
        tails[key] = QStringLiteral(" -> %1 delete %2 update %3").arg(row[3], row[4], row[5]);
    }
    QStringList lines;
    for (auto it = columns.cbegin(); it != columns.cend(); ++it)
        lines << QStringLiteral("%1(%2)%3").arg(it.key(), it.value().join(','), tails[it.key()]);
    return lines;
}

// The columns of one table in order.
inline QStringList columns(SqlConnection *connection, const QString &table)
{
    QStringList names;
    for (const QStringList &row :
         rows(connection,
              QStringLiteral("SELECT RDB$FIELD_NAME FROM RDB$RELATION_FIELDS WHERE RDB$RELATION_NAME = '%1' "
                             "ORDER BY RDB$FIELD_POSITION")
                  .arg(table)))
        names << row.first();
    return names;
}

// Every column of every user table with its position, type, size, scale, sub-type and nullability,
// and every key and trigger: two databases with equal snapshots have the same structure.
inline QStringList snapshot(SqlConnection *connection)
{
    QStringList lines;
    for (const QStringList &row :
         rows(connection,
              "SELECT RF.RDB$RELATION_NAME, RF.RDB$FIELD_POSITION, RF.RDB$FIELD_NAME, F.RDB$FIELD_TYPE, "
              "F.RDB$FIELD_LENGTH, F.RDB$FIELD_SCALE, F.RDB$FIELD_SUB_TYPE, F.RDB$FIELD_PRECISION, "
              "RF.RDB$NULL_FLAG "
              "FROM RDB$RELATION_FIELDS RF JOIN RDB$FIELDS F ON F.RDB$FIELD_NAME = RF.RDB$FIELD_SOURCE "
              "JOIN RDB$RELATIONS R ON R.RDB$RELATION_NAME = RF.RDB$RELATION_NAME "
              "WHERE R.RDB$SYSTEM_FLAG = 0 ORDER BY 1, 2"))
        lines << row.join(' ');
    lines << primaryKeys(connection) << foreignKeys(connection);
    for (const QStringList &row :
         rows(connection,
              "SELECT RDB$TRIGGER_NAME, RDB$RELATION_NAME, RDB$TRIGGER_TYPE, RDB$TRIGGER_SEQUENCE, "
              "RDB$TRIGGER_INACTIVE, RDB$TRIGGER_SOURCE FROM RDB$TRIGGERS "
              "WHERE COALESCE(RDB$SYSTEM_FLAG, 0) = 0 ORDER BY 1"))
        lines << row.join(' ');
    return lines;
}

} // namespace inspect
