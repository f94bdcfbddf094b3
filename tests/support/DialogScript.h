#pragma once

#include "widgets/Dialogs.h"

#include <QList>
#include <QQueue>

// Installs itself as the dialog hook for its lifetime: every message box or dialog the code
// under test opens is recorded and answered from the queue (an empty queue answers OK/Yes
// with no value).
class DialogScript
{
public:
    DialogScript();
    ~DialogScript();
    DialogScript(const DialogScript &) = delete;
    DialogScript &operator=(const DialogScript &) = delete;

    DialogScript &answer(bool accepted, const QString &value = QString(), const QString &filter = QString());
    DialogScript &answerYes() { return answer(true); }
    DialogScript &answerNo() { return answer(false); }

    const QList<Dialogs::Request> &seen() const { return m_seen; }
    QStringList texts() const;
    // The text of the only dialog seen, or a description of what was seen instead.
    QString onlyText() const;
    void clear() { m_seen.clear(); }

private:
    QQueue<Dialogs::Answer> m_answers;
    QList<Dialogs::Request> m_seen;
};
