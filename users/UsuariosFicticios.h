#pragma once

#include "users/UsuarioNovo.h"

#include <QList>

// A valid CPF, formatted "###.###.###-##", made from a user code from 1 to 9999; distinct codes give
// distinct CPFs.
QString cpfFicticio(int codigo);

// count users with the codes first, first + 1, ...: made-up names, the CPF of their code, level
// cycling through the non-administrator levels, first-access password "1".
QList<UsuarioNovo> usuariosFicticios(int first, int count, const QString &digitado);
