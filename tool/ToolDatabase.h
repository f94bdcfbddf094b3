#pragma once

#include <QString>

class SqlConnection;
namespace fb
{
class Error;
}

// DIR/LICITACAO.FDB, absolute.
QString databasePathIn(const QString &dir);
// Points the connection at a database file, opened with the embedded engine as the program's local
// mode opens it.
void useLocalDatabase(SqlConnection &connection, const QString &path);

// A database failure as the program shows it: what happened and what to do, in Portuguese, after
// the step that failed; Firebird's or the system's own text on the line below.
void printDatabaseFailure(const QString &step, const fb::Error &error);
