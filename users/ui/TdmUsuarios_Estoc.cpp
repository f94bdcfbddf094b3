#include "users/ui/TdmUsuarios_Estoc.h"

#include "session/TdmPrincipal.h"
#include "widgets/Dialogs.h"

#include <QWidget>

TdmUsuarios_Estoc::TdmUsuarios_Estoc(QWidget *owner)
    : CadastroDeUsuarios(dmPrincipal->NimboConnection, owner), m_owner(owner)
{
}

void TdmUsuarios_Estoc::cpfRecusado(const QString &mensagem)
{
    Dialogs::message(m_owner, mensagem);
}
