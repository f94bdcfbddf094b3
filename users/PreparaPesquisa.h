#pragma once

#include <QString>

// The typed search text made comparable with the values of the search column: the code
// zero-filled on the left to four characters, the CPF's digits laid into ###.###.###-## with
// zeros where none was typed, anything else in upper case.
QString preparaTextoPesquisa(const QString &campo, const QString &texto);
