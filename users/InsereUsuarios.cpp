#include "users/InsereUsuarios.h"

#include "common/PasswordEncoding.h"
#include "db/Statement.h"
#include "db/Transaction.h"

void insereUsuarios(fb::Attachment &attachment, const QList<UsuarioNovo> &users, int key)
{
    fb::Transaction transaction(attachment);
    fb::Statement insert(
        transaction,
        QStringLiteral("INSERT INTO USUARIOS_ESTOC (IDUSUARIO, USUARIO, CPF, SENHA, CONFIRMA, NIVEL, "
                       "PRIMEIRO_ACESSO, DIGITADO) VALUES (?, ?, ?, ?, ?, ?, ?, ?)"));
    for (const UsuarioNovo &user : users) {
        const QString password = encodedToColumn(Codificar(user.senha, key));
        insert.setParam(0, user.codigo);
        insert.setParam(1, user.nome);
        insert.setParam(2, user.cpf);
        insert.setParam(3, password);
        insert.setParam(4, password);
        insert.setParam(5, encodedToColumn(Codificar(user.nivel, key)));
        insert.setParam(6, user.primeiroAcesso);
        insert.setParam(7, user.digitado);
        insert.execute();
    }
    transaction.commit();
}
