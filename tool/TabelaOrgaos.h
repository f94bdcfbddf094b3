#pragma once

#include "tool/PerfilCliente.h"

#include <QByteArray>

namespace fb
{
class Attachment;
}

// Creates ORGAOS, which another module of the suite normally provides, with the columns this
// module reads, and its row 1 for the profile with logo as B_LOGOMARCA.
void criaOrgaos(fb::Attachment &attachment, const PerfilCliente &profile, const QByteArray &logo);
