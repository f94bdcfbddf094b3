#pragma once

#include <QString>

// What a statement of the update catalogues does, read back from its text: the kind of change,
// the table it concerns and the object it makes or removes (key, column or trigger).
struct StatementTarget {
    enum class Kind {
        Nothing, // an empty position
        CreateTable,
        AddPrimaryKey,
        AddForeignKey,
        DropForeignKey,
        AddColumn,
        DropTrigger,
        CreateTrigger,
        Unknown,
    };

    Kind kind = Kind::Unknown;
    QString table;
    QString object; // the table itself for CreateTable

    static StatementTarget of(const QString &statement);
    // The drop that the creation restores: same object, dropped (a key or a trigger).
    bool isDropOf(const StatementTarget &creation) const;
};
