#include "db/ServiceManager.h"

#include "db/FbApi.h"

#include <QElapsedTimer>
#include <functional>

namespace fb
{

using namespace Firebird;

namespace
{

// "server:service_mgr" for "server:path", "service_mgr" (the embedded engine) for a plain path;
// path is what the engine calls the database there.
struct Target {
    QString service;
    QString path;
};

Target targetOf(const QString &database)
{
    const qsizetype colon = database.indexOf(u':');
    if (database.startsWith(u'/') || colon < 0)
        return {QStringLiteral("service_mgr"), database};
    return {database.left(colon + 1) + QStringLiteral("service_mgr"), database.mid(colon + 1)};
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

// Reads the service's lines until it says it has finished; its failure arrives as the status of
// the last query.
void waitUntilFinished(ThrowStatusWrapper *status, IService *service, std::chrono::seconds silence)
{
    const auto timeout = std::min<qint64>(silence.count(), 5);
    const unsigned char send[] = {isc_info_svc_timeout, 4, 0, static_cast<unsigned char>(timeout), 0, 0, 0};
    const unsigned char receive[] = {isc_info_svc_line};
    unsigned char answer[4096];
    QElapsedTimer silent;
    silent.start();
    for (;;) {
        service->query(status, sizeof send, send, sizeof receive, receive, sizeof answer, answer);
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
        if (silent.elapsed() > qint64(silence.count()) * 1000) {
            Error error(QStringLiteral("O serviço do banco de dados não respondeu em %1 segundos")
                            .arg(silence.count()),
                        0, {isc_network_error});
            error.setTimedOut();
            throw error;
        }
    }
}

void runService(const QString &service, const AttachOptions &options, std::chrono::seconds silence,
                const std::function<void(ThrowStatusWrapper *, IXpbBuilder *)> &describe)
{
    api::guarded([&](ThrowStatusWrapper *status) {
        IService *handle = attachService(status, service, options);
        IXpbBuilder *spb = nullptr;
        try {
            spb = api::util()->getXpbBuilder(status, IXpbBuilder::SPB_START, nullptr, 0);
            describe(status, spb);
            // Verbose: the lines are what shows the engine is still at work.
            spb->insertTag(status, isc_spb_verbose);
            handle->start(status, spb->getBufferLength(status), spb->getBuffer(status));
            spb->dispose();
            spb = nullptr;
            waitUntilFinished(status, handle, silence);
        } catch (...) {
            if (spb)
                spb->dispose();
            handle->release();
            throw;
        }
        handle->detach(status);
    });
}

} // namespace

void backupDatabase(const QString &database, const QString &backupFile, const AttachOptions &options,
                    std::chrono::seconds silence)
{
    const Target target = targetOf(database);
    runService(target.service, options, silence, [&](ThrowStatusWrapper *status, IXpbBuilder *spb) {
        spb->insertTag(status, isc_action_svc_backup);
        spb->insertString(status, isc_spb_dbname, target.path.toLocal8Bit().constData());
        spb->insertString(status, isc_spb_bkp_file, backupFile.toLocal8Bit().constData());
    });
}

void restoreDatabase(const QString &backupFile, const QString &database, const AttachOptions &options,
                     std::chrono::seconds silence)
{
    const Target target = targetOf(database);
    runService(target.service, options, silence, [&](ThrowStatusWrapper *status, IXpbBuilder *spb) {
        spb->insertTag(status, isc_action_svc_restore);
        spb->insertString(status, isc_spb_bkp_file, backupFile.toLocal8Bit().constData());
        spb->insertString(status, isc_spb_dbname, target.path.toLocal8Bit().constData());
        spb->insertInt(status, isc_spb_options, isc_spb_res_create);
    });
}

} // namespace fb
