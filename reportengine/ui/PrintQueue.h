#pragma once

#include <QString>

// The CUPS queue behind a printer, asked directly: Qt's print engine hands the job over and
// drops CUPS's answer, so a queue that refuses jobs would print nothing without a word.
// Both answers are Portuguese texts for the person, empty when all is well.
namespace PrintQueue
{

// Why the queue will not take a job now (it rejects jobs, or does not exist).
QString refusal(const QString &printer);
// Why the job just handed over by this thread was refused.
QString jobRefusal(const QString &printer);

} // namespace PrintQueue
