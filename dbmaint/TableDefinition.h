#pragma once

#include <QList>
#include <QString>
#include <QStringList>

struct ColumnDefinition {
    QString name;
    QString type;
    bool notNull = false;
};

// One table of the shared database as the first update creates it. A detail table names its header;
// its foreign key runs over the header's full key, with the same column names.
struct TableDefinition {
    QString name;
    QList<ColumnDefinition> columns;
    QStringList primaryKey;
    QString header;
};
