#pragma once

#include "users/UsuarioNovo.h"

#include <QList>

namespace fb
{
class Attachment;
}

// Inserts the users into USUARIOS_ESTOC in one transaction through one prepared statement, storing
// password, confirmation and level encoded under key as the program does. All rows or none.
void insereUsuarios(fb::Attachment &attachment, const QList<UsuarioNovo> &users, int key);
