#pragma once

#include <QString>

namespace fb
{
class Error;
}

// What a failure of the database means for the person at the screen: a short Portuguese
// text that says what happened and what to do, told apart by Firebird's error codes, and
// Firebird's own text as the detail line below it.
struct DatabaseFailure {
    enum class Cause {
        FileMissing,
        NotARegularFile,
        NotADatabase,
        OlderOrNewerFormat,
        DiskFull,
        FileUnreadable,
        LockFolder,
        NoPermission,
        ReadOnly,
        InUse,
        ServerUnreachable,
        WrongPassword,
        ConnectionLost,
        TimedOut,
        TableUnknown,
        ValueTooLong,
        DuplicateKey,
        ChangedElsewhere,
        Other,
    };

    Cause cause = Cause::Other;
    QString message;
    QString detail; // Firebird's text; empty when the message is our own text already

    // The message with the detail on a line of its own, for a box that has a fixed text already.
    QString explanation() const { return detail.isEmpty() ? message : message + QLatin1Char('\n') + detail; }

    // field names the column a value too long was meant for, when the caller knows it.
    static DatabaseFailure of(const fb::Error &error, const QString &field = QString());
    static Cause causeOf(const fb::Error &error);
    // The longest value the column takes, from a truncation's status; 0 when not given.
    static int lengthLimit(const fb::Error &error);
};
