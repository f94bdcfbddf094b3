#pragma once

#include "shell/db/Attachment.h"
#include "shell/db/FbError.h"
#include "shell/db/Transaction.h"

#include <QList>
#include <QPair>
#include <QString>
#include <chrono>
#include <memory>

class BusyCursor;
namespace fb {
class Watchdog;
}

// The program's one database connection: an ordered list of name=value parameters, opened
// and closed as a whole. Opening maps the parameters onto Firebird: user, password, role,
// character set and dialect go into the attachment; transactions are read committed with
// record versions and wait on locks, a commit ends them, blobs are read whole and CHAR values
// keep their trailing blanks.
//
// Every use of the database runs through call(): the busy cursor shows meanwhile, a server
// that stops answering is given up on after answerBound(), and an attachment found gone
// (server stopped, killed, restarted, network down) is released with its transactions, so
// the next call attaches again with the parameters as they stand.
class SqlConnection
{
public:
    SqlConnection();
    ~SqlConnection();

    using Params = QList<QPair<QString, QString>>;
    const Params &params() const { return m_params; }
    QString param(const QString &name) const;
    // An empty value removes the entry.
    void setParam(const QString &name, const QString &value);

    void open();
    void close();
    bool isConnected() const { return m_attachment.isAttached(); }
    fb::Attachment &attachment() { return m_attachment; }

    // A transaction shared by every query until commit or rollback; without one, each
    // query runs in a transaction of its own.
    void startTransaction();
    void commit();
    void rollback();
    fb::Transaction *activeTransaction() const { return m_transaction.get(); }

    // Opens the connection when it is closed, then runs body. An fb::Error leaving body is
    // marked as a time-out when the watchdog ended the call, and a lost attachment is
    // released before the error goes on.
    template<typename Body>
    auto call(Body &&body);

    // How long a server may take to accept an attachment (seconds, in the attachment's
    // parameters), and how long one call may wait for its answer before it is cancelled;
    // a server that does not answer the cancel either is cut off a grace period later.
    static constexpr int kConnectTimeoutSeconds = 15;
    static std::chrono::milliseconds answerBound();
    static std::chrono::milliseconds cancelGrace();

private:
    class CallScope;
    void attach();
    void dropLostAttachment();

    Params m_params;
    fb::Attachment m_attachment;
    std::unique_ptr<fb::Transaction> m_transaction;
    std::unique_ptr<fb::Watchdog> m_watchdog;
    int m_callDepth = 0;
};

// One call on the database, outermost or nested: the outermost one shows the busy cursor,
// watches the attachment and deals with a failure.
class SqlConnection::CallScope
{
public:
    explicit CallScope(SqlConnection &connection);
    ~CallScope();
    CallScope(const CallScope &) = delete;
    CallScope &operator=(const CallScope &) = delete;

    void watch();
    void failed(fb::Error &error);

private:
    SqlConnection &m_connection;
    bool m_outermost;
    bool m_watching = false;
    std::unique_ptr<BusyCursor> m_cursor;
};

template<typename Body>
auto SqlConnection::call(Body &&body)
{
    CallScope scope(*this);
    try {
        attach();
        scope.watch();
        return body();
    } catch (fb::Error &error) {
        scope.failed(error);
        throw;
    }
}
