#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <functional>

class SqlConnection;
class SqlQuery;

struct StatementOutcome {
    int position = 0; // from 1
    bool ok = false;
    QString reason; // the database's text when the statement was refused
};

// Runs a schema catalogue one statement at a time, each in a transaction of its own committed at
// once, so later statements see what earlier ones made. A refused statement is skipped and the run
// goes on; only a failed reconnection (with Reconnect::BeforeEachDrop) ends it, as fb::Error.
class CatalogueRunner
{
public:
    enum class Reconnect {
        Never,
        // Closes and reopens the connection before every odd position (the drops of the second
        // update), so that each drop runs on a fresh attachment.
        BeforeEachDrop,
    };

    // The query must run on the connection: its parameter check is switched off.
    CatalogueRunner(SqlQuery &comandos, SqlConnection &connection, Reconnect reconnect);

    // Called with each position after any reconnection, just before its statement is sent.
    void setStepHandler(std::function<void(int position)> handler) { m_onStep = std::move(handler); }
    // Called with each position's outcome as soon as it is known.
    void setOutcomeHandler(std::function<void(const StatementOutcome &)> handler)
    {
        m_onOutcome = std::move(handler);
    }

    QList<StatementOutcome> run(const QStringList &catalogue);

private:
    StatementOutcome execute(int position, const QString &statement);

    SqlQuery &m_comandos;
    SqlConnection &m_connection;
    Reconnect m_reconnect;
    std::function<void(int)> m_onStep;
    std::function<void(const StatementOutcome &)> m_onOutcome;
};
