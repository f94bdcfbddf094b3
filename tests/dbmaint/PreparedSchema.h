#pragma once

// A database brought up to date by update I (and II unless told otherwise), prepared once per test
// program and copied for each test, so that every test starts from its own fresh file without paying
// for the DDL again.

#include "TestDatabase.h"
#include "db/Decimal.h"
#include "db/SqlQuery.h"
#include "dbmaint/ExecutaAtualizacao.h"

#include <QFile>
#include <QStringList>

class PreparedSchema
{
public:
    enum class Triggers { Installed, Absent };

    explicit PreparedSchema(Triggers triggers = Triggers::Installed)
    {
        executaAtualizacaoI(*m_template.connection());
        if (triggers == Triggers::Installed)
            executaAtualizacaoII(*m_template.connection());
        m_template.connection()->close();
    }

    // Gives db the prepared schema in place of its empty database.
    void copyInto(TestDatabase &db) const
    {
        db.connection()->close();
        if (!QFile::remove(db.path()) || !QFile::copy(m_template.path(), db.path()))
            qFatal("cannot copy the prepared database");
    }

private:
    TestDatabase m_template;
};

// The first row of a query as text: values separated by blanks, NULL as "NULL", money as "25.50".
inline QString firstRow(TestDatabase &db, const QString &sql)
{
    SqlQuery query(db.connection());
    query.setSql(sql);
    query.open();
    if (query.rowCount() == 0)
        return QStringLiteral("<no row>");
    QStringList values;
    for (int c = 0; c < query.columnNames().size(); ++c) {
        const QVariant v = query.value(0, c);
        if (v.isNull())
            values << QStringLiteral("NULL");
        else if (v.metaType() == QMetaType::fromType<fb::Decimal>())
            values << v.value<fb::Decimal>().toString();
        else
            values << v.toString();
    }
    return values.join(u' ');
}
