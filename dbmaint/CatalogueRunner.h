#pragma once

#include "db/FbError.h"
#include "dbmaint/StatementRefusal.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

class SqlConnection;
class SqlQuery;

struct StatementOutcome {
    int position = 0; // from 1
    bool ok = false;
    QString reason;                  // the database's text when the statement was refused
    Refusal refusal = Refusal::None; // why it was refused

    // Applied, or refused because the database is already so.
    bool settled() const { return ok || refusal == Refusal::AlreadySo; }
};

// What a run did: the outcome of every position it reached and, when it stopped early, why.
struct CatalogueRun {
    QList<StatementOutcome> outcomes;
    // The failure that stopped the run (a lost connection, a call the server did not answer in
    // time, an attachment refused), at position stoppedAt; the positions after it were not sent.
    std::optional<fb::Error> stop;
    int stoppedAt = 0;
    // Damage found before the first statement (schemaDamage): then nothing was sent.
    QStringList danos;
};

// Looks for damage in the catalogue of the database first, and sends nothing when it finds any.
// Then runs a schema catalogue one statement at a time, each in a transaction of its own committed at
// once, so later statements see what earlier ones made. Every call of the run is bounded by the
// connection's deadline. A refused statement is recorded and the run goes on with the next; the
// run stops at the first step whose connection fails (attach, close, a lost attachment, a call
// that timed out), since every later step would only wait for the same server.
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

    CatalogueRun run(const QStringList &catalogue);

private:
    void connect(int position);

    SqlQuery &m_comandos;
    SqlConnection &m_connection;
    Reconnect m_reconnect;
    std::function<void(int)> m_onStep;
    std::function<void(const StatementOutcome &)> m_onOutcome;
};
