#include "db/SqlConnection.h"

#include "db/Watchdog.h"

#include <QtGlobal>
#include <firebird/Interface.h>

namespace
{

SqlConnection::WaitIndicator &waitIndicator()
{
    static SqlConnection::WaitIndicator indicator;
    return indicator;
}

} // namespace

void SqlConnection::setWaitIndicator(WaitIndicator indicator)
{
    waitIndicator() = std::move(indicator);
}

SqlConnection::SqlConnection()
    : m_params{{QStringLiteral("DriverName"), QStringLiteral("Firebird")},
               {QStringLiteral("Database"), QStringLiteral("LICITACAO.FDB")},
               {QStringLiteral("RoleName"), QStringLiteral("RoleName")},
               {QStringLiteral("User_Name"), QStringLiteral("sysdba")},
               {QStringLiteral("Password"), QStringLiteral("quartzite")},
               {QStringLiteral("SQLDialect"), QStringLiteral("3")},
               {QStringLiteral("LocaleCode"), QStringLiteral("0000")},
               {QStringLiteral("BlobSize"), QStringLiteral("-1")},
               {QStringLiteral("CommitRetain"), QStringLiteral("False")},
               {QStringLiteral("WaitOnLocks"), QStringLiteral("True")},
               {QStringLiteral("IsolationLevel"), QStringLiteral("ReadCommitted")},
               {QStringLiteral("Trim Char"), QStringLiteral("False")}}
{
}

SqlConnection::~SqlConnection() = default;

std::chrono::milliseconds SqlConnection::answerBound()
{
    // ESTOCARIUM_DB_ANSWER_MS shortens the wait for the tests that stop a server on purpose.
    bool ok = false;
    const int ms = qEnvironmentVariableIntValue("ESTOCARIUM_DB_ANSWER_MS", &ok);
    return std::chrono::milliseconds(ok && ms > 0 ? ms : 15000);
}

std::chrono::milliseconds SqlConnection::cancelGrace()
{
    return std::min(answerBound(), std::chrono::milliseconds(5000));
}

QString SqlConnection::param(const QString &name) const
{
    for (const auto &entry : m_params) {
        if (entry.first.compare(name, Qt::CaseInsensitive) == 0)
            return entry.second;
    }
    return QString();
}

void SqlConnection::setParam(const QString &name, const QString &value)
{
    for (qsizetype i = 0; i < m_params.size(); ++i) {
        if (m_params[i].first.compare(name, Qt::CaseInsensitive) == 0) {
            if (value.isEmpty())
                m_params.removeAt(i);
            else
                m_params[i].second = value;
            return;
        }
    }
    if (!value.isEmpty())
        m_params.append({name, value});
}

void SqlConnection::open()
{
    call([] {});
}

fb::AttachOptions SqlConnection::attachOptions() const
{
    fb::AttachOptions options;
    options.user = param(QStringLiteral("User_Name"));
    // An entry is never empty (setting an empty value removes it): no entry, no password sent.
    if (const QString password = param(QStringLiteral("Password")); !password.isEmpty())
        options.password = password;
    options.role = param(QStringLiteral("RoleName"));
    options.charset = param(QStringLiteral("ServerCharSet"));
    bool dialectOk = false;
    const int dialect = param(QStringLiteral("SQLDialect")).toInt(&dialectOk);
    options.dialect = dialectOk ? dialect : 3;
    options.connectTimeout = kConnectTimeoutSeconds;
    return options;
}

void SqlConnection::attachInAdvance()
{
    m_inAdvance.begin(param(QStringLiteral("Database")), attachOptions());
}

void SqlConnection::attach()
{
    if (isConnected())
        return;
    const QString database = param(QStringLiteral("Database"));
    const fb::AttachOptions options = attachOptions();
    // Before attaching: a file replaced in between makes a false alarm at worst, never a miss.
    m_file.remember(database);
    if (!m_inAdvance.takeOver(m_attachment, database, options))
        m_attachment.attach(database, options);
}

void SqlConnection::requireSameFile()
{
    const QString change = m_file.change();
    if (change.isEmpty())
        return;
    // Whatever the attachment did or does goes into the file that left the path.
    dropLostAttachment();
    m_file.forget();
    throw fb::Error(change);
}

void SqlConnection::close()
{
    m_file.forget();
    try {
        detach();
    } catch (const fb::Error &error) {
        // A connection that is already gone is closed all the same.
        if (!error.connectionLost())
            throw;
    }
}

void SqlConnection::reconnect()
{
    try {
        detach();
    } catch (const fb::Error &error) {
        if (!error.connectionLost() || error.timedOut())
            throw;
    }
    open();
}

void SqlConnection::detach()
{
    if (!isConnected()) {
        m_transaction.reset();
        return;
    }
    CallScope scope(*this);
    try {
        scope.watch();
        // Its rollback waits for the server as much as the detach does.
        m_transaction.reset();
        m_attachment.detach();
    } catch (fb::Error &error) {
        scope.failed(error);
        throw;
    }
    if (scope.watchdogActed()) {
        fb::Error error(QStringLiteral("O servidor não respondeu ao fechamento da conexão."), 0,
                        {isc_network_error});
        error.setTimedOut();
        throw error;
    }
}

void SqlConnection::startTransaction()
{
    const auto start = [this] {
        call([this] {
            m_transaction = std::make_unique<fb::Transaction>(m_attachment, m_lockTimeoutSeconds);
        });
    };
    // An attachment left open by an earlier call may have died meanwhile: nothing has been done
    // in the new transaction yet, so it is started once more on a new attachment.
    if (!isConnected())
        return start();
    try {
        return start();
    } catch (const fb::Error &error) {
        if (!error.connectionLost() || error.timedOut())
            throw;
    }
    start();
}

void SqlConnection::commit()
{
    if (!m_transaction)
        return;
    call([this] {
        m_transaction->commit();
        m_transaction.reset();
    });
}

void SqlConnection::rollback()
{
    if (!m_transaction)
        return;
    call([this] {
        auto transaction = std::move(m_transaction);
        transaction->rollback();
    });
}

void SqlConnection::dropLostAttachment()
{
    // Neither can reach the server any more: both end on the client's side whatever they report.
    m_transaction.reset();
    try {
        m_attachment.detach();
    } catch (const fb::Error &) {
        // Released all the same.
    }
}

SqlConnection::CallScope::CallScope(SqlConnection &connection)
    : m_connection(connection), m_outermost(connection.m_callDepth++ == 0)
{
    if (m_outermost && waitIndicator())
        m_waitIndicator = waitIndicator()();
}

SqlConnection::CallScope::~CallScope()
{
    // The call ended well: a cancel the watchdog asked for too late must not end the next one.
    if (m_watching && m_connection.m_watchdog->disarm())
        m_connection.m_attachment.withdrawCancel();
    --m_connection.m_callDepth;
}

void SqlConnection::CallScope::watch()
{
    if (!m_outermost || m_watching)
        return;
    // Its thread starts with the first call: a connection that only carries parameters has none.
    if (!m_connection.m_watchdog) {
        m_connection.m_watchdog = std::make_unique<fb::Watchdog>();
        m_connection.m_attachment.setProgressListener(
            [watchdog = m_connection.m_watchdog.get()] { watchdog->progressed(); });
    }
    m_connection.m_watchdog->arm(m_connection.m_attachment, answerBound(), cancelGrace());
    m_watching = true;
}

void SqlConnection::CallScope::requireSameFile()
{
    if (m_outermost)
        m_connection.requireSameFile();
}

bool SqlConnection::CallScope::watchdogActed()
{
    if (!m_watching)
        return false;
    m_watching = false;
    return m_connection.m_watchdog->disarm();
}

void SqlConnection::CallScope::failed(fb::Error &error)
{
    if (!m_outermost)
        return;
    if (m_watching) {
        m_watching = false;
        if (m_connection.m_watchdog->disarm())
            error.setTimedOut();
    }
    if (error.connectionLost())
        m_connection.dropLostAttachment();
}
