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

// Sums the trigger's table over the rows with row's parent key and writes the totals into that parent.
QStringList recomputation(const TriggerDefinition &trigger, const QString &row)
{
    QStringList lines;
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
    return lines;
}

// A _T1 trigger reads the parent key from the new row; when an update moves the row to another
// parent, the parent it left is recomputed too, or its totals would still count the row.
QStringList oldParentRecomputation(const TriggerDefinition &trigger)
{
    QStringList changed;
    for (const QString &column : trigger.parentKey)
        changed << QStringLiteral("NEW.%1 IS DISTINCT FROM OLD.%1").arg(column);
    QStringList lines;
    lines << QString();
    lines << QStringLiteral("   IF (UPDATING AND (%1)) THEN").arg(changed.join(QStringLiteral(" OR ")));
    lines << QStringLiteral("   begin");
    lines << recomputation(trigger, QStringLiteral("OLD"));
    lines << QStringLiteral("   end");
    return lines;
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

    lines << recomputation(trigger, row);
    if (!trigger.afterDelete)
        lines << oldParentRecomputation(trigger);
    lines << QStringLiteral(" end");

    return lines.join(QStringLiteral(" \r")) + QLatin1Char(' ');
}
