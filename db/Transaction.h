#pragma once

class QString;

namespace Firebird
{
class ITransaction;
}

namespace fb
{

class Attachment;

// A read-write transaction at read-committed isolation with record versions that waits on
// locks, for lockTimeoutSeconds at most when that is above 0. Rolled back when it leaves scope
// without a commit.
class Transaction
{
public:
    explicit Transaction(Attachment &attachment, int lockTimeoutSeconds = 0);
    ~Transaction();
    Transaction(const Transaction &) = delete;
    Transaction &operator=(const Transaction &) = delete;

    void commit();
    void rollback();
    bool isActive() const { return m_handle != nullptr; }
    Firebird::ITransaction *handle() const { return m_handle; }
    Attachment &attachment() const { return m_attachment; }

private:
    Attachment &m_attachment;
    Firebird::ITransaction *m_handle = nullptr;
};

// Runs one statement in a transaction of its own, committed at once.
void executeImmediate(Attachment &attachment, const QString &sql);

} // namespace fb
