#pragma once

// Internal to the database layer: access to the Firebird client library's interfaces and
// conversion of its exceptions into fb::Error.
#include "db/FbError.h"

#include <firebird/Interface.h>

namespace fb::api
{

Firebird::IMaster *master();
Firebird::IUtil *util();
Firebird::IProvider *provider();

// The status text of a Firebird exception, as isql would print it.
QString statusText(const Firebird::IStatus *status);
int sqlCode(const Firebird::IStatus *status);
// The failure a Firebird status stands for: its text, codes and numeric arguments.
Error errorOf(const Firebird::IStatus *status);

// Runs body with a throwing status wrapper; any Firebird failure leaves as fb::Error.
template<typename Body>
auto guarded(Body &&body)
{
    struct Disposer {
        Firebird::IStatus *status;
        ~Disposer() { status->dispose(); }
    } disposer{master()->getStatus()};
    Firebird::ThrowStatusWrapper status(disposer.status);
    try {
        return body(&status);
    } catch (const Firebird::FbException &e) {
        throw errorOf(e.getStatus());
    }
}

constexpr unsigned kCharsetNone = 0;
constexpr unsigned kCharsetOctets = 1;
constexpr unsigned kCharsetWin1252 = 53;

} // namespace fb::api
