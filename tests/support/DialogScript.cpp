#include "DialogScript.h"

#include <QStringList>

DialogScript::DialogScript()
{
    Dialogs::setHook([this](const Dialogs::Request &request) {
        m_seen.append(request);
        return m_answers.isEmpty() ? Dialogs::Answer{} : m_answers.dequeue();
    });
}

DialogScript::~DialogScript()
{
    Dialogs::setHook({});
}

DialogScript &DialogScript::answer(bool accepted, const QString &value, const QString &filter)
{
    m_answers.enqueue({accepted, value, filter});
    return *this;
}

QStringList DialogScript::texts() const
{
    QStringList list;
    for (const auto &request : m_seen)
        list.append(request.text);
    return list;
}

QString DialogScript::onlyText() const
{
    if (m_seen.size() == 1)
        return m_seen.first().text;
    return QStringLiteral("<%1 dialogs: %2>").arg(m_seen.size()).arg(texts().join(QStringLiteral(" | ")));
}
