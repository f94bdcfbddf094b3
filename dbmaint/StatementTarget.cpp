#include "dbmaint/StatementTarget.h"

#include <QRegularExpression>

namespace
{

struct Pattern {
    StatementTarget::Kind kind;
    QRegularExpression expression; // captures the table, then the object when there is one
};

const QList<Pattern> &patterns()
{
    using Kind = StatementTarget::Kind;
    static const QList<Pattern> all{
        {Kind::CreateTable, QRegularExpression(QStringLiteral("^CREATE TABLE (\\w+)"))},
        {Kind::AddPrimaryKey,
         QRegularExpression(QStringLiteral("^ALTER TABLE (\\w+) ADD CONSTRAINT (\\w+) PRIMARY KEY"))},
        {Kind::AddForeignKey,
         QRegularExpression(QStringLiteral("^ALTER TABLE (\\w+) ADD CONSTRAINT (\\w+) FOREIGN KEY"))},
        {Kind::DropForeignKey,
         QRegularExpression(QStringLiteral("^ALTER TABLE (\\w+) DROP CONSTRAINT (\\w+)"))},
        {Kind::AddColumn, QRegularExpression(QStringLiteral("^ALTER TABLE (\\w+) ADD (\\w+) "))},
        {Kind::CreateTrigger, QRegularExpression(QStringLiteral("^CREATE TRIGGER (\\w+) FOR (\\w+)"))},
        {Kind::DropTrigger, QRegularExpression(QStringLiteral("^DROP TRIGGER (\\w+)"))},
    };
    return all;
}

} // namespace

StatementTarget StatementTarget::of(const QString &statement)
{
    if (statement.trimmed().isEmpty())
        return {Kind::Nothing, QString(), QString()};
    for (const Pattern &pattern : patterns()) {
        const QRegularExpressionMatch match = pattern.expression.match(statement);
        if (!match.hasMatch())
            continue;
        // A trigger names itself before its table; the others name the table first.
        if (pattern.kind == Kind::CreateTrigger)
            return {pattern.kind, match.captured(2), match.captured(1)};
        if (pattern.kind == Kind::DropTrigger)
            return {pattern.kind, QString(), match.captured(1)};
        if (pattern.kind == Kind::CreateTable)
            return {pattern.kind, match.captured(1), match.captured(1)};
        return {pattern.kind, match.captured(1), match.captured(2)};
    }
    return {Kind::Unknown, QString(), QString()};
}

bool StatementTarget::isDropOf(const StatementTarget &creation) const
{
    const bool pair = (kind == Kind::DropForeignKey && creation.kind == Kind::AddForeignKey) ||
                      (kind == Kind::DropTrigger && creation.kind == Kind::CreateTrigger);
    return pair && object == creation.object;
}
