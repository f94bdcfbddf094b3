#pragma once

#include "users/CadastroDeUsuarios.h"

class QWidget;

// The user maintenance window's data module: the users' data and rules on the program's
// connection, telling the person through the window that owns it when a CPF is refused.
class TdmUsuarios_Estoc : public CadastroDeUsuarios
{
    Q_OBJECT

public:
    explicit TdmUsuarios_Estoc(QWidget *owner);

protected:
    void cpfRecusado(const QString &mensagem) override;

private:
    QWidget *m_owner;
};
