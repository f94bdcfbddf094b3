#pragma once

#include <QString>

// One field of a record set: its name, whether it holds text or raw bytes, its size in
// characters (0 for unlimited), and the required and key flags.
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

    // The operator's explanation of a refused text that is too long for the field.
    QString tooLongMessage() const;
};
