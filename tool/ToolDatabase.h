#pragma once

#include <QString>

class SqlConnection;

// DIR/LICITACAO.FDB, absolute.
QString databasePathIn(const QString &dir);
// Points the connection at a database file, opened with the embedded engine as the program's local
// mode opens it.
void useLocalDatabase(SqlConnection &connection, const QString &path);
