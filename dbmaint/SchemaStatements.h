#pragma once

#include "dbmaint/TableDefinition.h"

// Statement texts of the first update, in the exact form that other clients of the shared database
// have always received them: carriage-return line breaks and no terminator except on foreign keys.
QString createTableText(const TableDefinition &table);
QString addPrimaryKeyText(const TableDefinition &table);
QString dropForeignKeyText(const TableDefinition &detail);
QString addForeignKeyText(const TableDefinition &detail);
QString addColumnText(const QString &table, const QString &column, const QString &type);
