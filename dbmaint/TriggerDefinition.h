#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <utility>

// A trigger that keeps a parent row's totals: it sums columns of its own table over the rows that share
// the parent's key (into RT1, RT2, ... in order) and writes the results into the parent row.
struct TriggerDefinition {
    QString name;
    QString table;
    bool afterDelete = false;
    QStringList sums;
    bool zeroesVariables = true;
    QString parent;
    QStringList parentKey;
    // Parent column and the expression it receives, e.g. {"N_VALOR_TOTAL", ":RT1 + C.N_VALOR_ADITIVO"}.
    QList<std::pair<QString, QString>> assignments;
};
