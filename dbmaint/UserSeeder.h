#pragma once

#include "dbmaint/SeedUser.h"

#include <QList>

namespace fb
{
class Attachment;
}

// Inserts the users into USUARIOS_ESTOC in one transaction through one prepared statement, storing
// password, confirmation and level encoded under key as the program does. All rows or none.
void insereUsuarios(fb::Attachment &attachment, const QList<SeedUser> &users, int key);
