#pragma once

#include "TestDatabase.h"
#include "common/PasswordEncoding.h"
#include "db/SqlQuery.h"
#include "session/uTotal.h"

// Users of the sign-in tests, stored the way the program stores them: password and level
// encoded with the session key.
struct UsuarioDeTeste {
    QString codigo;
    QString nome;
    QString cpf;
    QString senha;
    QString nivel;
};

inline const QList<UsuarioDeTeste> &usuariosDeTeste()
{
    static const QList<UsuarioDeTeste> list{
        {"0001", "MARIA DA SILVA", "123.456.789-09", "Segredo", "ADMINISTRADOR"},
        {"0002", "JOSÉ SOUZA", "529.982.247-25", "1", "INICIANTE"},
        {"0003", "", "111.444.777-35", "x", "INICIANTE"},
        {"0004", "ANA LIMA", "987.654.321-00", "abc", "Administrador"},
        {"0042", "PEDRO ALVES", "390.533.447-05", "1", "ADMINISTRADOR"},
    };
    return list;
}

inline QString codificaParaColuna(const QString &plain)
{
    return encodedToColumn(Codificar(plain, Chave));
}

// (Re)writes the test users; Chave must already hold the session key.
inline void gravaUsuariosDeTeste(TestDatabase &db)
{
    db.exec("DELETE FROM USUARIOS_ESTOC");
    SqlQuery insert(db.connection());
    insert.setSql(
        "INSERT INTO USUARIOS_ESTOC (IDUSUARIO, USUARIO, CPF, SENHA, CONFIRMA, NIVEL, PRIMEIRO_ACESSO) "
        "VALUES (:IDUSUARIO, :USUARIO, :CPF, :SENHA, :SENHA, :NIVEL, 'S')");
    for (const UsuarioDeTeste &u : usuariosDeTeste()) {
        insert.setParam("IDUSUARIO", u.codigo);
        insert.setParam("USUARIO", u.nome);
        insert.setParam("CPF", u.cpf);
        insert.setParam("SENHA", codificaParaColuna(u.senha));
        insert.setParam("NIVEL", codificaParaColuna(u.nivel));
        insert.execSQL();
    }
}

inline QString colunaDecodificada(TestDatabase &db, const QString &coluna, const QString &codigo)
{
    SqlQuery select(db.connection());
    select.setSql(QStringLiteral("SELECT %1 FROM USUARIOS_ESTOC WHERE IDUSUARIO = :C").arg(coluna));
    select.setParam("C", codigo);
    select.open();
    return Decodificar(encodedFromColumn(select.value(0, 0).toString()), Chave);
}
