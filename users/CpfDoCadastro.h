#pragma once

#include <QString>

// A CPF the user record refuses: one typed through the mask holds digits, dots and the dash, and
// its check digits hold; anything else came from somewhere else and is not a CPF, even when its
// digits are. An empty CPF (none typed yet) is not refused here.
bool cpfIncorreto(const QString &cpf);
