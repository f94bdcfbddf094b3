#include "shell/db/FbApi.h"

#include "shell/db/SharedEngine.h"

#include <firebird/Interface.h>

namespace fb::api {

using namespace Firebird;

IMaster *master()
{
    static IMaster *instance = [] {
        useSharedEngine();
        return fb_get_master_interface();
    }();
    return instance;
}

IUtil *util()
{
    static IUtil *instance = master()->getUtilInterface();
    return instance;
}

IProvider *provider()
{
    // The dispatcher tries the configured providers in turn (remote, embedded engine, loopback),
    // so a plain path already held by a running server is reached through that server.
    static IProvider *instance = master()->getDispatcher();
    return instance;
}

QString statusText(const IStatus *status)
{
    char buffer[2048];
    util()->formatStatus(buffer, sizeof buffer, const_cast<IStatus *>(status));
    return QString::fromLocal8Bit(buffer).trimmed();
}

int sqlCode(const IStatus *status)
{
    return isc_sqlcode(const_cast<IStatus *>(status)->getErrors());
}

} // namespace fb::api
