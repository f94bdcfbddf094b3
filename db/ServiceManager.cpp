#include "db/ServiceManager.h"

#include "db/DatabaseFile.h"
#include "db/FbApi.h"
#include "db/SqlConnection.h"

#include <QElapsedTimer>
#include <condition_variable>
#include <exception>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>

namespace fb
{

using namespace Firebird;

namespace
{

// "server:service_mgr" for a database on a server, "service_mgr" (the embedded engine) for a plain
// path; path is what the engine calls the database there.
struct Target {
    QString service;
    QString path;
};

Target targetOf(const QString &database)
{
    const DatabaseFile::Location location = DatabaseFile::locationOf(database);
    const QString manager = QStringLiteral("service_mgr");
    return {location.onAServer() ? location.server + u':' + manager : manager, location.path};
}

IService *attachService(ThrowStatusWrapper *status, const QString &service, const AttachOptions &options)
{
    IXpbBuilder *spb = api::util()->getXpbBuilder(status, IXpbBuilder::SPB_ATTACH, nullptr, 0);
    try {
        spb->insertString(status, isc_spb_user_name, options.user.toUtf8().constData());
        if (options.password)
            spb->insertString(status, isc_spb_password, options.password->toUtf8().constData());
        if (options.connectTimeout > 0)
            spb->insertInt(status, isc_spb_connect_timeout, options.connectTimeout);
        IService *handle = api::master()->getDispatcher()->attachServiceManager(
            status, service.toLocal8Bit().constData(), spb->getBufferLength(status), spb->getBuffer(status));
        spb->dispose();
        return handle;
    } catch (...) {
        spb->dispose();
        throw;
    }
}

// What the thread running a service and the thread waiting for it share. The waiting thread
// may give up and leave; the service's thread keeps its own share until the engine lets it go.
struct ServiceRun {
    std::mutex mutex;
    std::condition_variable changed;
    std::chrono::steady_clock::time_point lastAnswer = std::chrono::steady_clock::now();
    bool finished = false;
    std::exception_ptr failure;

    void answered()
    {
        const std::lock_guard lock(mutex);
        lastAnswer = std::chrono::steady_clock::now();
        changed.notify_all();
    }
};

Error timedOut(const QString &text)
{
    Error error(text, 0, {isc_network_error});
    error.setTimedOut();
    return error;
}

// Reads the service's lines until it says it has finished; its failure arrives as the status of
// the last query. Each query is answered within a second, lines or not, while the engine lives.
void waitUntilFinished(ThrowStatusWrapper *status, IService *service, std::chrono::seconds silence,
                       ServiceRun &run)
{
    const unsigned char send[] = {isc_info_svc_timeout, 4, 0, 1, 0, 0, 0};
    const unsigned char receive[] = {isc_info_svc_line};
    unsigned char answer[4096];
    QElapsedTimer silent;
    silent.start();
    for (;;) {
        service->query(status, sizeof send, send, sizeof receive, receive, sizeof answer, answer);
        run.answered();
        bool finished = false;
        bool waiting = false;
        for (unsigned char *p = answer; p < answer + sizeof answer && *p != isc_info_end;) {
            const unsigned char tag = *p++;
            if (tag == isc_info_svc_line) {
                const unsigned length = p[0] | unsigned(p[1]) << 8; // little-endian
                p += 2 + length;
                if (length > 0)
                    silent.restart();
                else if (!waiting)
                    finished = true;
            } else if (tag == isc_info_svc_timeout || tag == isc_info_data_not_ready) {
                waiting = true;
            } else if (tag != isc_info_truncated) {
                break;
            }
        }
        if (finished && !waiting)
            return;
        if (silent.elapsed() > qint64(silence.count()) * 1000)
            throw timedOut(QStringLiteral("O serviço do banco de dados não respondeu em %1 segundos")
                               .arg(silence.count()));
    }
}

using Describe = std::function<void(ThrowStatusWrapper *, IXpbBuilder *)>;

void runService(const QString &service, const AttachOptions &options, std::chrono::seconds silence,
                const Describe &describe, ServiceRun &run)
{
    api::guarded([&](ThrowStatusWrapper *status) {
        IService *handle = attachService(status, service, options);
        run.answered();
        IXpbBuilder *spb = nullptr;
        try {
            spb = api::util()->getXpbBuilder(status, IXpbBuilder::SPB_START, nullptr, 0);
            describe(status, spb);
            // Verbose: the lines are what shows the engine is still at work.
            spb->insertTag(status, isc_spb_verbose);
            handle->start(status, spb->getBufferLength(status), spb->getBuffer(status));
            spb->dispose();
            spb = nullptr;
            waitUntilFinished(status, handle, silence, run);
        } catch (...) {
            if (spb)
                spb->dispose();
            handle->release();
            throw;
        }
        handle->detach(status);
    });
}

// Firebird 3's services have no cancel, and a server stopped in the middle never answers a
// query: the service runs on a thread of its own, and the caller stops waiting once the engine
// has not answered for a call's bound. The thread is left to end whenever the engine lets it.
void runBounded(const QString &service, const AttachOptions &options, std::chrono::seconds silence,
                Describe describe)
{
    const auto run = std::make_shared<ServiceRun>();
    std::thread worker([run, service, options, silence, describe = std::move(describe)] {
        std::exception_ptr failure;
        try {
            runService(service, options, silence, describe, *run);
        } catch (...) {
            failure = std::current_exception();
        }
        const std::lock_guard lock(run->mutex);
        run->failure = failure;
        run->finished = true;
        run->changed.notify_all();
    });
    const auto bound = SqlConnection::answerBound() + SqlConnection::cancelGrace();
    std::unique_lock lock(run->mutex);
    while (!run->finished && std::chrono::steady_clock::now() < run->lastAnswer + bound)
        run->changed.wait_until(lock, run->lastAnswer + bound);
    if (!run->finished) {
        lock.unlock();
        worker.detach();
        throw timedOut(QStringLiteral("O servidor do banco de dados não respondeu em %1 segundos")
                           .arg(std::chrono::duration_cast<std::chrono::seconds>(bound).count()));
    }
    lock.unlock();
    worker.join();
    if (run->failure)
        std::rethrow_exception(run->failure);
}

} // namespace

void backupDatabase(const QString &database, const QString &backupFile, const AttachOptions &options,
                    std::chrono::seconds silence)
{
    const Target target = targetOf(database);
    runBounded(target.service, options, silence,
               [target, backupFile](ThrowStatusWrapper *status, IXpbBuilder *spb) {
                   spb->insertTag(status, isc_action_svc_backup);
                   spb->insertString(status, isc_spb_dbname, target.path.toLocal8Bit().constData());
                   spb->insertString(status, isc_spb_bkp_file, backupFile.toLocal8Bit().constData());
               });
}

void restoreDatabase(const QString &backupFile, const QString &database, const AttachOptions &options,
                     std::chrono::seconds silence)
{
    const Target target = targetOf(database);
    runBounded(target.service, options, silence,
               [target, backupFile](ThrowStatusWrapper *status, IXpbBuilder *spb) {
                   spb->insertTag(status, isc_action_svc_restore);
                   spb->insertString(status, isc_spb_bkp_file, backupFile.toLocal8Bit().constData());
                   spb->insertString(status, isc_spb_dbname, target.path.toLocal8Bit().constData());
                   spb->insertInt(status, isc_spb_options, isc_spb_res_create);
               });
}

} // namespace fb
