#include "db/Transaction.h"

#include "codec/Win1252.h"
#include "db/Attachment.h"
#include "db/FbApi.h"

namespace fb
{

using namespace Firebird;

Transaction::Transaction(Attachment &attachment, int lockTimeoutSeconds) : m_attachment(attachment)
{
    if (!attachment.isAttached())
        throw Error(QStringLiteral("Conexão com o banco de dados fechada"));
    m_handle = api::guarded([&](ThrowStatusWrapper *status) {
        IXpbBuilder *tpb = api::util()->getXpbBuilder(status, IXpbBuilder::TPB, nullptr, 0);
        ITransaction *handle = nullptr;
        try {
            tpb->insertTag(status, isc_tpb_write);
            tpb->insertTag(status, isc_tpb_read_committed);
            tpb->insertTag(status, isc_tpb_rec_version);
            tpb->insertTag(status, isc_tpb_wait);
            if (lockTimeoutSeconds > 0)
                tpb->insertInt(status, isc_tpb_lock_timeout, lockTimeoutSeconds);
            handle = attachment.handle()->startTransaction(status, tpb->getBufferLength(status),
                                                           tpb->getBuffer(status));
        } catch (...) {
            tpb->dispose();
            throw;
        }
        tpb->dispose();
        return handle;
    });
}

Transaction::~Transaction()
{
    try {
        rollback();
    } catch (...) {
        // The attachment may already be gone; the server ends the transaction with it.
    }
}

void Transaction::commit()
{
    if (!m_handle)
        return;
    api::guarded([&](ThrowStatusWrapper *status) { m_handle->commit(status); });
    m_handle = nullptr;
}

void Transaction::rollback()
{
    if (!m_handle)
        return;
    ITransaction *handle = m_handle;
    m_handle = nullptr;
    api::guarded([&](ThrowStatusWrapper *status) {
        try {
            handle->rollback(status);
        } catch (...) {
            handle->release();
            throw;
        }
    });
}

void executeImmediate(Attachment &attachment, const QString &sql)
{
    Transaction transaction(attachment);
    bool ok = true;
    const QByteArray bytes = Win1252::fromUnicode(sql, &ok);
    if (!ok)
        throw Error(QStringLiteral("O comando contém caracteres que o banco de dados não aceita (WIN1252)"));
    api::guarded([&](ThrowStatusWrapper *status) {
        attachment.handle()->execute(status, transaction.handle(), 0, bytes.constData(),
                                     unsigned(attachment.dialect()), nullptr, nullptr, nullptr, nullptr);
    });
    transaction.commit();
}

} // namespace fb
