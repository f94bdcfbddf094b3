#include "dbmaint/InsereUsuarios.h"

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
        const QString password = encodedToColumn(Codificar(user.password, key));
        insert.setParam(0, user.code);
        insert.setParam(1, user.name);
        insert.setParam(2, user.cpf);
        insert.setParam(3, password);
        insert.setParam(4, password);
        insert.setParam(5, encodedToColumn(Codificar(user.level, key)));
        insert.setParam(6, user.firstAccess);
        insert.setParam(7, user.createdBy);
        insert.execute();
    }
    transaction.commit();
}
