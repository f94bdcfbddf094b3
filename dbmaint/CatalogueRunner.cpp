#include "dbmaint/CatalogueRunner.h"

#include "db/FbError.h"
#include "db/SqlConnection.h"
#include "db/SqlQuery.h"

CatalogueRunner::CatalogueRunner(SqlQuery &comandos, SqlConnection &connection, Reconnect reconnect)
    : m_comandos(comandos), m_connection(connection), m_reconnect(reconnect)
{
    m_comandos.setParamCheck(false);
}

QList<StatementOutcome> CatalogueRunner::run(const QStringList &catalogue)
{
    QList<StatementOutcome> outcomes;
    for (int position = 1; position <= catalogue.size(); ++position) {
        m_comandos.setSql(catalogue.at(position - 1));
        if (m_reconnect == Reconnect::BeforeEachDrop && position % 2 == 1) {
            m_connection.close();
            m_connection.open();
        }
        if (m_onStep)
            m_onStep(position);
        outcomes << execute(position, catalogue.at(position - 1));
        if (m_onOutcome)
            m_onOutcome(outcomes.last());
    }
    return outcomes;
}

StatementOutcome CatalogueRunner::execute(int position, const QString &statement)
{
    if (statement.isEmpty())
        return {position, false, QStringLiteral("posição vazia")};
    try {
        m_comandos.execSQL();
        return {position, true, QString()};
    } catch (const fb::Error &e) {
        return {position, false, e.text()};
    }
}
