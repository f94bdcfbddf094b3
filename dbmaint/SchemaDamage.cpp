#include "dbmaint/SchemaDamage.h"

#include "db/SqlQuery.h"
#include "dbmaint/TextosDaCopia.h"

namespace
{

QStringList column(SqlConnection &connection, const QString &sql)
{
    SqlQuery query(&connection);
    query.setSql(sql);
    query.open();
    QStringList values;
    for (int row = 0; row < query.rowCount(); ++row)
        values << query.value(row, 0).toString().trimmed();
    return values;
}

qint64 count(SqlConnection &connection, const QString &sql)
{
    SqlQuery query(&connection);
    query.setSql(sql);
    query.open();
    return query.value(0, 0).toLongLong();
}

// A system table and one of its indexed columns: the search by that column goes through the
// index, the one by the column joined to an empty text reads the table itself.
struct IndexedColumn {
    const char *table;
    const char *column;
};

constexpr IndexedColumn kIndexedColumns[] = {
    {"RDB$RELATIONS", "RDB$RELATION_NAME"},
    {"RDB$RELATION_FIELDS", "RDB$RELATION_NAME"},
    {"RDB$RELATION_CONSTRAINTS", "RDB$RELATION_NAME"},
    {"RDB$INDICES", "RDB$INDEX_NAME"},
    {"RDB$INDEX_SEGMENTS", "RDB$INDEX_NAME"},
    {"RDB$TRIGGERS", "RDB$TRIGGER_NAME"},
    {"RDB$DEPENDENCIES", "RDB$DEPENDENT_NAME"},
    {"RDB$DEPENDENCIES", "RDB$DEPENDED_ON_NAME"},
    {"RDB$REF_CONSTRAINTS", "RDB$CONSTRAINT_NAME"},
};

} // namespace

QStringList schemaDamage(SqlConnection &connection)
{
    QStringList danos;
    for (const QString &table :
         column(connection,
                QStringLiteral("SELECT RDB$RELATION_NAME FROM RDB$RELATIONS WHERE RDB$FORMAT IS NULL "
                               "AND RDB$VIEW_BLR IS NULL AND COALESCE(RDB$SYSTEM_FLAG, 0) = 0 "
                               "ORDER BY RDB$RELATION_NAME")))
        danos
            << QStringLiteral("a tabela %1 não tem a estrutura registrada (criação interrompida)").arg(table);
    for (const IndexedColumn &indexed : kIndexedColumns) {
        const QString table = QString::fromLatin1(indexed.table);
        const QString name = QString::fromLatin1(indexed.column);
        const qint64 byIndex =
            count(connection, QStringLiteral("SELECT COUNT(*) FROM %1 WHERE %2 >= ''").arg(table, name));
        const qint64 read = count(
            connection, QStringLiteral("SELECT COUNT(*) FROM %1 WHERE %2 || '' >= ''").arg(table, name));
        if (byIndex != read)
            danos << QStringLiteral("o índice de %1 por %2 não corresponde à tabela (%3 de %4 linhas)")
                         .arg(table, name)
                         .arg(byIndex)
                         .arg(read);
    }
    return danos;
}

QString schemaDamageText(const QStringList &danos, const QString &database, const QString &copia)
{
    return QStringLiteral("Atenção, o banco de dados está danificado e a atualização não foi feita:\n") +
           danos.join(u'\n') +
           QStringLiteral("\nNada foi alterado. Peça ao administrador que recoloque a cópia de segurança do "
                          "banco anterior à atualização interrompida, ou que o repare, antes de atualizar de "
                          "novo.\n") +
           comoRecolocarACopia(database, copia);
}
