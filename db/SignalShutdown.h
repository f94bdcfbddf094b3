#pragma once

namespace fb
{

// The Firebird client library catches SIGINT and SIGTERM itself (from the first attachment on)
// and answers them by shutting the whole client down from a thread of its own: every
// attachment dies under the program, which keeps running. A program that ends itself on those
// signals calls this once: the library's own shutdown is then refused, the attachments stay
// usable, and the program detaches them on its way out.
void leaveSignalsToProgram();

} // namespace fb
