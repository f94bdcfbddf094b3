#pragma once

#include <QString>

class RecordSet;

// The code of a new user, four digits: one above the greatest numeric code in the first column of
// codigos, or, once 9999 is taken, the lowest one free. A code that is not a number (written by
// another program) is passed over rather than stopping every new user. Throws fb::Error, with the
// message for the person, when every code is taken.
QString proximoCodigo(const RecordSet &codigos);
