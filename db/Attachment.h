#pragma once

#include <QString>
#include <functional>
#include <mutex>
#include <optional>

namespace Firebird
{
class IAttachment;
}

namespace fb
{

struct AttachOptions {
    QString user = QStringLiteral("SYSDBA");
    std::optional<QString> password; // absent: no password entry is sent at all
    QString role;                    // empty: no role
    QString charset = QStringLiteral("WIN1252");
    int dialect = 3;
    // Seconds a server may take to accept the attachment; 0 leaves the client's own default.
    int connectTimeout = 0;

    bool operator==(const AttachOptions &) const = default;
};

struct CreateOptions {
    QString defaultCharset = QStringLiteral("WIN1252");
    int pageSize = 8192;
    // Off only for throw-away databases (tests, benchmarks): writes are not flushed to disk.
    bool forcedWrites = true;
};

// One attachment to a database: a plain path opens the file with the embedded engine (or
// through a server that already holds it); "host:path" talks to a server.
class Attachment
{
public:
    Attachment() = default;
    ~Attachment();
    Attachment(const Attachment &) = delete;
    Attachment &operator=(const Attachment &) = delete;
    // Takes other's attachment over; one this object held is detached first.
    Attachment(Attachment &&other) noexcept;
    Attachment &operator=(Attachment &&other) noexcept;

    void attach(const QString &database, const AttachOptions &options);
    void create(const QString &database, const AttachOptions &options, const CreateOptions &create = {});
    void detach();
    bool isAttached() const { return m_handle != nullptr; }
    int dialect() const { return m_dialect; }

    // Safe to call from another thread while this one waits in a call on the attachment, the
    // detach included. Asks the server to stop the running request (it fails with isc_cancelled); with
    // abort, cuts the client's side of the connection instead, so a call that waits for a
    // server that no longer answers returns at once with a network error.
    void cancelOperation(bool abort);
    // Withdraws a cancel asked for while a call ran that then ended on its own: the server would
    // otherwise keep it and fail the attachment's next request with it.
    void withdrawCancel();

    Firebird::IAttachment *handle() const { return m_handle; }

    // Told of each step of a long transfer (a blob's segments), so that whoever watches the
    // call for silence sees it move. It stays with this object when another attachment is
    // moved into it.
    void setProgressListener(std::function<void()> listener) { m_progressListener = std::move(listener); }
    void progressed() const
    {
        if (m_progressListener)
            m_progressListener();
    }

private:
    Firebird::IAttachment *m_handle = nullptr;
    std::function<void()> m_progressListener;
    int m_dialect = 3;
    // Held while the handle is used for a cancel and while detach lets go of it, so that a cancel
    // never reaches an attachment already released.
    std::mutex m_cancelling;
};

} // namespace fb
