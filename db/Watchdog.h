#pragma once

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

namespace fb
{

class Attachment;

// Ends a call on an attachment that outlasts its bound, from a thread of its own, since the
// waiting thread cannot. At the bound it asks the server to cancel the running request (a
// request waiting on a lock ends with isc_cancelled and the attachment stays usable); when
// the call still has not returned a grace period later, the server is not answering at all
// and the client's side of the connection is cut, so the call returns with a network error.
// The bound covers silence, not length: a call that reports progress (a large blob written
// segment by segment) gets the whole bound again from each step.
class Watchdog
{
public:
    Watchdog();
    ~Watchdog();
    Watchdog(const Watchdog &) = delete;
    Watchdog &operator=(const Watchdog &) = delete;

    void arm(Attachment &attachment, std::chrono::milliseconds bound, std::chrono::milliseconds grace);
    // Once this returns the watchdog no longer touches the attachment. True when it acted on the call.
    bool disarm();
    // The armed call has moved on: its bound starts again, unless the cancel was already asked for.
    void progressed();

private:
    void run();

    std::mutex m_mutex;
    std::condition_variable m_wake;
    Attachment *m_attachment = nullptr;
    std::chrono::steady_clock::time_point m_deadline;
    std::chrono::milliseconds m_bound{0};
    std::chrono::milliseconds m_grace{0};
    int m_cancels = 0;
    bool m_quit = false;
    std::thread m_thread; // last: it starts once the state above exists
};

} // namespace fb
