#include "db/FbApi.h"

#include "db/SharedEngine.h"

#include <firebird/Interface.h>

namespace fb::api
{

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

Error errorOf(const IStatus *status)
{
    QList<qint64> codes;
    QList<Error::Number> numbers;
    QList<qint64> systemErrors;
    const ISC_STATUS *vector = const_cast<IStatus *>(status)->getErrors();
    // Each argument is a tag and a value, except a counted string: tag, length, address.
    for (int i = 0; vector[i] != isc_arg_end; i += vector[i] == isc_arg_cstring ? 3 : 2) {
        if (vector[i] == isc_arg_gds)
            codes.append(vector[i + 1]);
        else if (vector[i] == isc_arg_number)
            numbers.append({codes.isEmpty() ? 0 : codes.last(), vector[i + 1]});
        else if (vector[i] == isc_arg_unix)
            systemErrors.append(vector[i + 1]);
    }
    return Error(statusText(status), sqlCode(status), codes, numbers, systemErrors);
}

} // namespace fb::api
