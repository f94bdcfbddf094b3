#include "dbmaint/TriggerStatements.h"

namespace
{

constexpr qsizetype AssignedColumnWidth = 20;

// "A.KEY = OLD.KEY", "AND", ... as separate lines; the last one gets the terminator.
QStringList keyConditions(const QString &indent, const QString &alias, const QString &row,
                          const QStringList &key, const QString &terminator)
{
    QStringList lines;
    for (const QString &column : key) {
        if (!lines.isEmpty())
            lines << indent + QStringLiteral("AND");
        lines << QStringLiteral("%1%2.%3 = %4.%3").arg(indent, alias, column, row);
    }
    lines.last() += terminator;
    return lines;
}

QString variable(qsizetype index)
{
    return QStringLiteral("RT%1").arg(index + 1);
}

} // namespace

QString dropTriggerText(const TriggerDefinition &trigger)
{
    return QStringLiteral("DROP TRIGGER %1;").arg(trigger.name);
}

QString createTriggerText(const TriggerDefinition &trigger)
{
    const QString row = trigger.afterDelete ? QStringLiteral("OLD") : QStringLiteral("NEW");
    QStringList lines;
    lines << QStringLiteral("CREATE TRIGGER %1 FOR %2").arg(trigger.name, trigger.table);
    lines << (trigger.afterDelete ? QStringLiteral(" ACTIVE AFTER DELETE POSITION 0")
                                  : QStringLiteral(" ACTIVE AFTER INSERT OR UPDATE POSITION 0"));
    lines << QStringLiteral(" AS");
    for (qsizetype i = 0; i < trigger.sums.size(); ++i)
        lines << QStringLiteral("     DECLARE VARIABLE %1 NUMERIC(15,2);").arg(variable(i));
    lines << QStringLiteral("  begin");
    if (trigger.zeroesVariables) {
        for (qsizetype i = 0; i < trigger.sums.size(); ++i)
            lines << QStringLiteral("     %1 = 0;").arg(variable(i));
    }

    lines << QStringLiteral("     SELECT");
    QStringList into;
    for (qsizetype i = 0; i < trigger.sums.size(); ++i) {
        const QString separator = i + 1 < trigger.sums.size() ? QStringLiteral(",") : QString();
        lines << QStringLiteral("       COALESCE(SUM(A.%1),0) AS TOTAL%2%3")
                     .arg(trigger.sums[i])
                     .arg(i + 1)
                     .arg(separator);
        into << QLatin1Char(':') + variable(i);
    }
    lines << QStringLiteral("     FROM") << QStringLiteral("      %1 A").arg(trigger.table);
    lines << QStringLiteral("     WHERE");
    lines << keyConditions(QStringLiteral("      "), QStringLiteral("A"), row, trigger.parentKey, QString());
    lines << QStringLiteral("     INTO %1;").arg(into.join(QStringLiteral(", ")));
    lines << QString();

    lines << QStringLiteral("   UPDATE %1 C").arg(trigger.parent) << QStringLiteral("    SET");
    for (qsizetype i = 0; i < trigger.assignments.size(); ++i) {
        const auto &[column, expression] = trigger.assignments[i];
        const QString separator = i + 1 < trigger.assignments.size() ? QStringLiteral(",") : QString();
        lines << QStringLiteral("     C.%1= %2%3")
                     .arg(column.leftJustified(AssignedColumnWidth), expression, separator);
    }
    lines << QStringLiteral("    WHERE");
    lines << keyConditions(QStringLiteral("     "), QStringLiteral("C"), row, trigger.parentKey,
                           QStringLiteral(";"));
    lines << QStringLiteral(" end");

    return lines.join(QStringLiteral(" \r")) + QLatin1Char(' ');
}
