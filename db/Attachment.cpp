#include "db/Attachment.h"

#include "codec/Win1252.h"
#include "db/DatabaseFile.h"
#include "db/FbApi.h"

#include <cerrno>
#include <utility>

namespace fb
{

using namespace Firebird;

namespace
{

IXpbBuilder *buildDpb(ThrowStatusWrapper *status, const AttachOptions &options)
{
    IXpbBuilder *dpb = api::util()->getXpbBuilder(status, IXpbBuilder::DPB, nullptr, 0);
    dpb->insertString(status, isc_dpb_user_name, options.user.toUtf8().constData());
    if (options.password)
        dpb->insertString(status, isc_dpb_password, options.password->toUtf8().constData());
    if (!options.role.isEmpty())
        dpb->insertString(status, isc_dpb_sql_role_name, options.role.toUtf8().constData());
    if (!options.charset.isEmpty())
        dpb->insertString(status, isc_dpb_lc_ctype, options.charset.toUtf8().constData());
    dpb->insertInt(status, isc_dpb_sql_dialect, options.dialect);
    if (options.connectTimeout > 0)
        dpb->insertInt(status, isc_dpb_connect_timeout, options.connectTimeout);
    return dpb;
}

QByteArray pathBytes(const QString &database)
{
    return database.toLocal8Bit();
}

// Builds the parameter block for options (plus what extend adds) and hands it to open.
template<typename Extend, typename Open>
IAttachment *openWith(const AttachOptions &options, Extend &&extend, Open &&open)
{
    return api::guarded([&](ThrowStatusWrapper *status) {
        IXpbBuilder *dpb = buildDpb(status, options);
        IAttachment *handle = nullptr;
        try {
            extend(status, dpb);
            handle = open(status, dpb->getBufferLength(status), dpb->getBuffer(status));
        } catch (...) {
            dpb->dispose();
            throw;
        }
        dpb->dispose();
        return handle;
    });
}

} // namespace

Attachment::~Attachment()
{
    try {
        detach();
    } catch (...) {
        // Nothing sensible to do with a failed detach while tearing down.
    }
}

Attachment::Attachment(Attachment &&other) noexcept
    : m_handle(std::exchange(other.m_handle, nullptr)), m_dialect(other.m_dialect)
{
}

Attachment &Attachment::operator=(Attachment &&other) noexcept
{
    if (this == &other)
        return *this;
    try {
        detach();
    } catch (...) {
        // The attachment replaced is released all the same.
    }
    m_handle = std::exchange(other.m_handle, nullptr);
    m_dialect = other.m_dialect;
    return *this;
}

void Attachment::attach(const QString &database, const AttachOptions &options)
{
    detach();
    DatabaseFile::refuseIfNotRegularFile(database);
    const QByteArray path = pathBytes(database);
    m_handle = openWith(
        options, [](ThrowStatusWrapper *, IXpbBuilder *) {},
        [&](ThrowStatusWrapper *status, unsigned length, const unsigned char *buffer) {
            return api::provider()->attachDatabase(status, path.constData(), length, buffer);
        });
    m_dialect = options.dialect;
}

void Attachment::create(const QString &database, const AttachOptions &options, const CreateOptions &create)
{
    detach();
    const QByteArray path = pathBytes(database);
    m_handle = openWith(
        options,
        [&](ThrowStatusWrapper *status, IXpbBuilder *dpb) {
            dpb->insertInt(status, isc_dpb_page_size, create.pageSize);
            dpb->insertInt(status, isc_dpb_force_write, create.forcedWrites ? 1 : 0);
            if (!create.defaultCharset.isEmpty())
                dpb->insertString(status, isc_dpb_set_db_charset, create.defaultCharset.toUtf8().constData());
        },
        [&](ThrowStatusWrapper *status, unsigned length, const unsigned char *buffer) {
            return api::provider()->createDatabase(status, path.constData(), length, buffer);
        });
    m_dialect = options.dialect;
}

void Attachment::detach()
{
    if (!m_handle)
        return;
    IAttachment *handle = m_handle;
    // The handle stays reachable for a cancel while the server is asked to detach (a server that
    // stopped answering never would), and alive until no cancel can use it any more.
    handle->addRef();
    const auto letGo = [&](bool failed) {
        {
            const std::lock_guard lock(m_cancelling);
            m_handle = nullptr;
        }
        // A failed detach leaves the reference it would have dropped.
        if (failed)
            handle->release();
        handle->release();
    };
    // When this detach releases the database, the embedded engine (3.0) frees its monitoring
    // memory in a loop that retries while errno says "interrupted", without clearing errno
    // first: entered with a stale EINTR (a signal that interrupted the event loop's poll leaves
    // one behind), it spins forever holding /tmp/firebird/fb_init, the lock every embedded
    // attach on the machine needs.
    errno = 0;
    try {
        api::guarded([&](ThrowStatusWrapper *status) { handle->detach(status); });
    } catch (...) {
        letGo(true);
        throw;
    }
    letGo(false);
}

void Attachment::cancelOperation(bool abort)
{
    const std::lock_guard lock(m_cancelling);
    if (!m_handle)
        return;
    IStatus *status = api::master()->getStatus();
    CheckStatusWrapper wrapper(status);
    // A failure only means there was nothing left to cancel.
    m_handle->cancelOperation(&wrapper, abort ? fb_cancel_abort : fb_cancel_raise);
    status->dispose();
}

void Attachment::withdrawCancel()
{
    if (!m_handle)
        return;
    IStatus *status = api::master()->getStatus();
    CheckStatusWrapper wrapper(status);
    // Disabling drops a cancel that is still pending; enabling lets the next one through again.
    m_handle->cancelOperation(&wrapper, fb_cancel_disable);
    m_handle->cancelOperation(&wrapper, fb_cancel_enable);
    status->dispose();
}

} // namespace fb
