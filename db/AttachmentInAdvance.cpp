#include "db/AttachmentInAdvance.h"

#include "db/FbApi.h"

#include <condition_variable>
#include <csignal>
#include <exception>
#include <memory>
#include <mutex>
#include <pthread.h>
#include <thread>

namespace fb
{

struct AttachmentInAdvance::Pending {
    QString database;
    AttachOptions options;
    std::mutex mutex;
    std::condition_variable completed;
    bool done = false;
    bool abandoned = false; // nobody will take it: the helper detaches it itself
    Attachment attachment;
    std::exception_ptr failure;
};

namespace
{

void attachOnHelper(const std::shared_ptr<AttachmentInAdvance::Pending> &pending)
{
    // Termination signals belong to the user-interface thread; here they would only interrupt
    // the engine's system calls.
    sigset_t all;
    sigfillset(&all);
    pthread_sigmask(SIG_BLOCK, &all, nullptr);

    Attachment attachment;
    std::exception_ptr failure;
    try {
        attachment.attach(pending->database, pending->options);
    } catch (...) {
        failure = std::current_exception();
    }
    std::lock_guard lock(pending->mutex);
    if (pending->abandoned) {
        try {
            attachment.detach();
        } catch (...) {
            // Nobody is left to tell; the engine's shutdown closes what remains.
        }
    } else {
        pending->attachment = std::move(attachment);
        pending->failure = failure;
    }
    pending->done = true;
    pending->completed.notify_all();
}

} // namespace

void AttachmentInAdvance::begin(const QString &database, const AttachOptions &options)
{
    drop();
    // The library reads its configuration here, on this thread, before any helper uses it.
    api::master();
    auto pending = std::make_shared<Pending>();
    pending->database = database;
    pending->options = options;
    try {
        std::thread(attachOnHelper, pending).detach();
    } catch (const std::system_error &) {
        return; // no thread to be had: the connection attaches when it opens, as without this
    }
    m_pending = std::move(pending);
}

bool AttachmentInAdvance::takeOver(Attachment &into, const QString &database, const AttachOptions &options)
{
    const std::shared_ptr<Pending> pending = m_pending;
    if (!pending)
        return false;
    if (pending->database != database || !(pending->options == options)) {
        drop();
        return false;
    }
    m_pending.reset();
    std::unique_lock lock(pending->mutex);
    pending->completed.wait(lock, [&] { return pending->done; });
    if (pending->failure)
        std::rethrow_exception(pending->failure);
    into = std::move(pending->attachment);
    return true;
}

bool AttachmentInAdvance::waitFor(std::chrono::milliseconds waitAtMost)
{
    const std::shared_ptr<Pending> pending = m_pending;
    if (!pending)
        return true;
    std::unique_lock lock(pending->mutex);
    return pending->completed.wait_for(lock, waitAtMost, [&] { return pending->done; });
}

bool AttachmentInAdvance::drop(std::chrono::milliseconds waitAtMost)
{
    const std::shared_ptr<Pending> pending = std::exchange(m_pending, nullptr);
    if (!pending)
        return true;
    std::unique_lock lock(pending->mutex);
    if (!pending->completed.wait_for(lock, waitAtMost, [&] { return pending->done; })) {
        pending->abandoned = true;
        return false;
    }
    try {
        pending->attachment.detach();
    } catch (...) {
        // A connection already gone is closed all the same.
    }
    return true;
}

} // namespace fb
