#include "db/SignalShutdown.h"

#include "db/FbApi.h"

#include <ibase.h>

namespace fb
{

namespace
{

// Asked before the library shuts down; any answer but 0 cancels that shutdown.
int refuseSignalShutdown(const int reason, const int, void *)
{
    return reason == fb_shutrsn_signal ? 1 : 0;
}

} // namespace

void leaveSignalsToProgram()
{
    api::master(); // the library's first use: the engine settings must be in place before it
    ISC_STATUS_ARRAY status;
    fb_shutdown_callback(status, refuseSignalShutdown, fb_shut_confirmation, nullptr);
}

} // namespace fb
