#include "dbmaint/CatalogueRunner.h"

#include "db/SqlConnection.h"
#include "db/SqlQuery.h"
#include "dbmaint/SchemaDamage.h"

#include <algorithm>

CatalogueRunner::CatalogueRunner(SqlQuery &comandos, SqlConnection &connection, Reconnect reconnect)
    : m_comandos(comandos), m_connection(connection), m_reconnect(reconnect)
{
    m_comandos.setParamCheck(false);
}

namespace
{

// A statement that needs a lock another workstation holds (uncommitted rows in the table whose key
// it changes) gives up after this many seconds, well inside the call's bound, and is reported as
// such: the engine does not always act on a cancel while it waits there.
int lockTimeoutSeconds()
{
    const auto bound = std::chrono::duration_cast<std::chrono::seconds>(SqlConnection::answerBound());
    return std::max(1, int(bound.count() / 3));
}

// The connection's own lock timeout, given back when the run ends.
class LockTimeoutDuringTheRun
{
public:
    explicit LockTimeoutDuringTheRun(SqlConnection &connection)
        : m_connection(connection), m_previous(connection.lockTimeout())
    {
        connection.setLockTimeout(lockTimeoutSeconds());
    }
    ~LockTimeoutDuringTheRun() { m_connection.setLockTimeout(m_previous); }
    LockTimeoutDuringTheRun(const LockTimeoutDuringTheRun &) = delete;
    LockTimeoutDuringTheRun &operator=(const LockTimeoutDuringTheRun &) = delete;

private:
    SqlConnection &m_connection;
    int m_previous;
};

} // namespace

CatalogueRun CatalogueRunner::run(const QStringList &catalogue)
{
    const LockTimeoutDuringTheRun lockTimeout(m_connection);
    CatalogueRun result;
    const auto stopAt = [&](int position, const fb::Error &error) {
        result.stop = error;
        result.stoppedAt = position;
    };
    try {
        m_connection.open();
        result.danos = schemaDamage(m_connection);
    } catch (const fb::Error &error) {
        stopAt(1, error);
        return result;
    }
    if (!result.danos.isEmpty())
        return result;
    for (int position = 1; position <= catalogue.size(); ++position) {
        const QString &statement = catalogue.at(position - 1);
        m_comandos.setSql(statement);
        try {
            connect(position);
        } catch (const fb::Error &error) {
            stopAt(position, error);
            return result;
        }
        if (m_onStep)
            m_onStep(position);
        StatementOutcome outcome{position, true, QString(), Refusal::None};
        if (statement.isEmpty()) {
            outcome = {position, false, QStringLiteral("posição vazia"), Refusal::AlreadySo};
        } else {
            try {
                m_comandos.execSQL();
            } catch (const fb::Error &error) {
                outcome = {position, false, error.text(), refusalOf(error)};
                if (outcome.refusal == Refusal::ConnectionLost)
                    stopAt(position, error);
            }
        }
        result.outcomes << outcome;
        if (m_onOutcome)
            m_onOutcome(outcome);
        if (result.stop)
            return result;
    }
    return result;
}

void CatalogueRunner::connect(int position)
{
    if (m_reconnect == Reconnect::BeforeEachDrop && position % 2 == 1)
        m_connection.reconnect();
    else
        m_connection.open();
}
