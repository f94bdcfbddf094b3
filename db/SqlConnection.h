#pragma once

#include "db/Attachment.h"
#include "db/AttachmentInAdvance.h"
#include "db/DatabaseFile.h"
#include "db/FbError.h"
#include "db/Transaction.h"

#include <QList>
#include <QPair>
#include <QString>
#include <chrono>
#include <functional>
#include <memory>
#include <type_traits>

namespace fb
{
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
// the next call attaches again with the parameters as they stand. A database file that is no
// longer the one at its path (removed, moved or replaced while attached) fails the call before
// and after its body, so nothing is reported done that went into a file nobody sees any more;
// the attachment is released and the next call attaches to the file at the path.
class SqlConnection
{
public:
    SqlConnection();
    ~SqlConnection();

    // What the program shows while a call waits for the server (the windows' busy cursor): made
    // when the outermost call starts and released when it ends. Programs without windows set none.
    using WaitIndicator = std::function<std::shared_ptr<void>()>;
    static void setWaitIndicator(WaitIndicator indicator);

    using Params = QList<QPair<QString, QString>>;
    const Params &params() const { return m_params; }
    QString param(const QString &name) const;
    // An empty value removes the entry.
    void setParam(const QString &name, const QString &value);
    // The user, password and the rest as an attachment (or the services manager) receives them.
    fb::AttachOptions attachOptions() const;

    void open();
    // Bounded like any call: a server that does not answer the detach is cut off. The
    // attachment is released whatever happens; one found already gone is closed without a word.
    void close();
    // Closes and opens again. Unlike close(), a detach the server did not answer in time is
    // reported (as a timed-out fb::Error), and the connection is left closed.
    void reconnect();
    // Starts attaching with the parameters as they stand on a helper thread (AttachmentInAdvance):
    // the next open with the same parameters takes that attachment over, or its failure.
    void attachInAdvance();
    // The attachment begun by attachInAdvance and not yet taken over, to wait for or drop.
    fb::AttachmentInAdvance &attachmentInAdvance() { return m_inAdvance; }
    bool isConnected() const { return m_attachment.isAttached(); }
    fb::Attachment &attachment() { return m_attachment; }

    // How long the transactions of queries wait for a lock another attachment holds, in seconds;
    // 0 (the default) waits as long as the call may last.
    void setLockTimeout(int seconds) { m_lockTimeoutSeconds = seconds; }
    int lockTimeout() const { return m_lockTimeoutSeconds; }

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
    void detach();
    void dropLostAttachment();
    // Throws our own fb::Error, the attachment released, when the file has changed under it.
    void requireSameFile();

    Params m_params;
    fb::Attachment m_attachment;
    fb::AttachmentInAdvance m_inAdvance;
    fb::DatabaseFile m_file;
    std::unique_ptr<fb::Transaction> m_transaction;
    std::unique_ptr<fb::Watchdog> m_watchdog;
    int m_callDepth = 0;
    int m_lockTimeoutSeconds = 0;
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
    // The outermost call checks that the database file is still the one at its path.
    void requireSameFile();
    void failed(fb::Error &error);
    // Ends the watch of a call that returned; true when the watchdog had to act on it (a detach
    // returns without an error once its connection has been cut).
    bool watchdogActed();

private:
    SqlConnection &m_connection;
    bool m_outermost;
    bool m_watching = false;
    std::shared_ptr<void> m_waitIndicator;
};

template<typename Body>
auto SqlConnection::call(Body &&body)
{
    CallScope scope(*this);
    try {
        attach();
        scope.requireSameFile();
        scope.watch();
        if constexpr (std::is_void_v<decltype(body())>) {
            body();
            scope.requireSameFile();
        } else {
            auto result = body();
            scope.requireSameFile();
            return result;
        }
    } catch (fb::Error &error) {
        scope.failed(error);
        throw;
    }
}
