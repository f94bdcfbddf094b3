#pragma once

#include <QStringList>

class SqlConnection;

// The damage an interrupted schema change can leave in the database's own tables, looked for
// before an update sends anything: a table whose structure was never recorded (no format; the
// engine crashes on some changes to it) and system indexes that lack entries of their table.
// Each finding is a Portuguese line naming it; none means nothing was found. The checks read a
// few hundred catalogue rows and take milliseconds.
QStringList schemaDamage(SqlConnection &connection);

// The message that stops an update on a damaged database: the findings, and the safety copy to put
// back (copia, taken before the update that did not end; empty when none is known) and how.
QString schemaDamageText(const QStringList &danos, const QString &database, const QString &copia);
