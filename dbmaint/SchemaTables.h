#pragma once

#include "dbmaint/TableDefinition.h"

// The tables that the first update creates, each with its columns in creation order (later added
// columns excluded). Throws std::out_of_range for a name that is not one of them.
const TableDefinition &schemaTable(const QString &nome);
