#pragma once

#include "tool/ClientProfile.h"

#include <QByteArray>

namespace fb
{
class Attachment;
}

// Creates ORGAOS, which another module of the suite normally provides, with the columns this
// module reads, and its row 1 for the profile with logo as B_LOGOMARCA.
void criaOrgaos(fb::Attachment &attachment, const ClientProfile &profile, const QByteArray &logo);
