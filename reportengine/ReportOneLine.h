#pragma once

#include <QString>

// A value printed in a column stays on its line: line breaks and tabs inside it print as blanks
// (a carriage return with its line feed as one), so no output hides, glues or shifts what
// follows them. Only CSV keeps values as they are, quoted.
QString reportOneLine(QString text);
