#include "db/Watchdog.h"

#include "db/Attachment.h"

namespace fb
{

Watchdog::Watchdog() : m_thread([this] { run(); }) {}

Watchdog::~Watchdog()
{
    {
        std::lock_guard lock(m_mutex);
        m_quit = true;
    }
    m_wake.notify_all();
    m_thread.join();
}

void Watchdog::arm(Attachment &attachment, std::chrono::milliseconds bound, std::chrono::milliseconds grace)
{
    {
        std::lock_guard lock(m_mutex);
        m_attachment = &attachment;
        m_deadline = std::chrono::steady_clock::now() + bound;
        m_bound = bound;
        m_grace = grace;
        m_cancels = 0;
    }
    m_wake.notify_all();
}

bool Watchdog::disarm()
{
    std::lock_guard lock(m_mutex);
    m_attachment = nullptr;
    return m_cancels > 0;
}

void Watchdog::progressed()
{
    std::lock_guard lock(m_mutex);
    // The watchdog's thread finds the later deadline when it wakes at the earlier one.
    if (m_attachment && m_cancels == 0)
        m_deadline = std::chrono::steady_clock::now() + m_bound;
}

void Watchdog::run()
{
    std::unique_lock lock(m_mutex);
    while (!m_quit) {
        if (!m_attachment || m_cancels >= 2) {
            m_wake.wait(lock);
            continue;
        }
        if (m_wake.wait_until(lock, m_deadline) == std::cv_status::no_timeout)
            continue; // re-armed, disarmed or quitting: look again
        if (!m_attachment || std::chrono::steady_clock::now() < m_deadline)
            continue;
        // Under the lock, so that disarm() cannot return while the attachment is being used here.
        m_attachment->cancelOperation(m_cancels == 1);
        ++m_cancels;
        m_deadline += m_grace;
    }
}

} // namespace fb
