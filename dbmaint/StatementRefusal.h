#pragma once

#include <QString>

namespace fb
{
class Error;
}

// Why the database refused a statement of an update catalogue. Only AlreadySo means the database
// is already as the statement would make it (or the object it removes is not there); the others
// leave the position not applied.
enum class Refusal {
    None,
    AlreadySo,
    LockConflict,   // another attachment holds rows or a lock the statement needs
    InUse,          // the object is in use by another attachment
    ConnectionLost, // the attachment is gone, or the server did not answer in time
    Other,
};

Refusal refusalOf(const fb::Error &error);
// Short Portuguese reason for a position not applied.
QString refusalText(Refusal refusal);
