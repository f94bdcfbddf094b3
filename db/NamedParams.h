#pragma once

#include <QString>
#include <QStringList>

namespace fb
{

// Turns ":NAME" parameters into the positional '?' the server takes, skipping text inside
// quotes and comments. names lists the parameter of each position, in order.
struct NamedParams {
    QString sql;
    QStringList names;

    static NamedParams parse(const QString &text);
};

} // namespace fb
