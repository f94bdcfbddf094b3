#include "users/CpfDoCadastro.h"

#include "common/TextHelpers.h"

#include <algorithm>

bool cpfIncorreto(const QString &cpf)
{
    const bool soDigitosDaMascara = std::all_of(
        cpf.cbegin(), cpf.cend(), [](QChar c) { return (c >= u'0' && c <= u'9') || c == u'.' || c == u'-'; });
    return !cpf.isEmpty() && (!soDigitosDaMascara || !VerificaCPF(cpf));
}
