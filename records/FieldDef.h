#pragma once

#include <QString>

// One field of a record set: its name, whether it holds text or raw bytes, its size in
// characters (0 for unlimited), the required and key flags, and its label.
struct FieldDef {
    enum class Kind { Text, Binary };

    QString name;
    Kind kind = Kind::Text;
    int size = 0;
    bool required = false;
    bool key = false; // applied changes locate their row by the key fields as they were read
    // Text longer than the size is refused, unless the program writes the field itself (the
    // audit stamps): then it is cut to the size.
    bool cutToSize = false;
    // The name the operator sees beside the field's control; messages name the field by it.
    QString label = QString();

    // The label, or the field's own name when it has none.
    QString shownName() const { return label.isEmpty() ? name : label; }
    // The operator's explanation of a refused text that is too long for the field.
    QString tooLongMessage() const;
};
