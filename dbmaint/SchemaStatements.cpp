#include "dbmaint/SchemaStatements.h"

#include "dbmaint/SchemaTables.h"

#include <algorithm>

namespace
{

// Column names are padded so that the types line up, never to fewer than 16 characters.
constexpr qsizetype MinimumNameWidth = 16;

QString foreignKeyName(const TableDefinition &detail)
{
    return QStringLiteral("FK_%1_1").arg(detail.name);
}

} // namespace

QString createTableText(const TableDefinition &table)
{
    qsizetype width = MinimumNameWidth;
    for (const ColumnDefinition &c : table.columns)
        width = std::max(width, c.name.size() + 1);

    QStringList definitions;
    for (const ColumnDefinition &c : table.columns) {
        QString line = QStringLiteral("    ") + c.name.leftJustified(width) + c.type;
        if (c.notNull)
            line += QStringLiteral(" NOT NULL");
        definitions << line;
    }
    return QStringLiteral("CREATE TABLE %1 (\r%2)").arg(table.name, definitions.join(QStringLiteral(",\r")));
}

QString addPrimaryKeyText(const TableDefinition &table)
{
    return QStringLiteral("ALTER TABLE %1 ADD CONSTRAINT PK_%1 PRIMARY KEY (%2)")
        .arg(table.name, table.primaryKey.join(u','));
}

QString dropForeignKeyText(const TableDefinition &detail)
{
    return QStringLiteral("ALTER TABLE %1 DROP CONSTRAINT %2").arg(detail.name, foreignKeyName(detail));
}

QString addForeignKeyText(const TableDefinition &detail)
{
    const QString columns = schemaTable(detail.header).primaryKey.join(u',');
    return QStringLiteral("ALTER TABLE %1 ADD CONSTRAINT %2 FOREIGN KEY (%3) REFERENCES %4(%3) "
                          "ON DELETE CASCADE ON UPDATE CASCADE;")
        .arg(detail.name, foreignKeyName(detail), columns, detail.header);
}

QString addColumnText(const QString &table, const QString &column, const QString &type)
{
    return QStringLiteral("ALTER TABLE %1 ADD %2 %3").arg(table, column, type);
}
