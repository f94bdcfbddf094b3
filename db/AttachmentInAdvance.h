#pragma once

#include "db/Attachment.h"

#include <QString>
#include <chrono>
#include <memory>

namespace fb
{

// An attachment begun on a helper thread before it is needed, so that the engine's start and
// the opening of the database overlap the building of the windows. At most one is under way
// in each; nothing about it shows until it is taken over. Used from one thread (the one that
// begins it), which the destructor does not hold up: one still under way detaches itself.
class AttachmentInAdvance
{
public:
    AttachmentInAdvance() = default;
    ~AttachmentInAdvance() { drop(); }
    AttachmentInAdvance(const AttachmentInAdvance &) = delete;
    AttachmentInAdvance &operator=(const AttachmentInAdvance &) = delete;

    // Starts attaching database with options; one begun earlier and not taken over is dropped.
    void begin(const QString &database, const AttachOptions &options);

    // Hands the attachment begun for exactly this database and options to into, waiting for it
    // when it is still under way; its failure is thrown as attaching there and then would have
    // thrown it. False, with into untouched, when none was begun for them (one begun for others
    // is dropped): the caller attaches itself.
    bool takeOver(Attachment &into, const QString &database, const AttachOptions &options);

    // Waits at most waitAtMost for the one under way to complete; true when it has (or none was
    // begun), so that the caller may do something else between waits.
    bool waitFor(std::chrono::milliseconds waitAtMost);

    // Detaches one begun and never taken over. One still under way after waitAtMost is left to
    // detach itself when it completes, so a process on its way out is not held up by a server
    // that does not answer; false then.
    bool drop(std::chrono::milliseconds waitAtMost = std::chrono::milliseconds(0));

    // Shared by the helper thread and the thread that takes the attachment over or drops it.
    struct Pending;

private:
    std::shared_ptr<Pending> m_pending;
};

} // namespace fb
