#pragma once

// Shared by the tests of the users area: a database holding the user table, a signed-in
// session, and users stored the way the maintenance window stores them.
#include "DialogScript.h"
#include "TestDatabase.h"

#include "common/PasswordEncoding.h"
#include "db/SqlQuery.h"
#include "dbmaint/SchemaStatements.h"
#include "dbmaint/SchemaTables.h"
#include "session/uTotal.h"
#include "shell/EstocariumApplication.h"

#include <QFile>
#include <QTest>

// The signed-in operator whose stamps the records get.
inline const QString kOperadorCPF = QStringLiteral("123.456.789-09");
inline const QString kOperadorNome = QStringLiteral("MARIA");
inline const QString kCarimbo = QStringLiteral("123.456.789-09 - MARIA");

class UsersDatabase : public TestDatabase
{
public:
    UsersDatabase()
    {
        const TableDefinition &tabela = schemaTable(QStringLiteral("USUARIOS_ESTOC"));
        exec(createTableText(tabela));
        exec(addPrimaryKeyText(tabela));
        InicializaSessao();
        Usuario_CPF = kOperadorCPF;
        Usuario_Nome = kOperadorNome;
    }

    // Stores a user as a save of the window would: password, confirmation and level encoded.
    void addUser(const QString &code, const QString &name, const QString &cpf,
                 const QString &level = QStringLiteral("INICIANTE"), const QByteArray &photo = QByteArray(),
                 const QString &password = QStringLiteral("1"))
    {
        SqlQuery insert(connection());
        insert.setSql(
            QStringLiteral("INSERT INTO USUARIOS_ESTOC (IDUSUARIO, USUARIO, CPF, SENHA, CONFIRMA, NIVEL, "
                           "B_FOTO, PRIMEIRO_ACESSO, DIGITADO, ALTERADO) VALUES (:ID, :NOME, :CPF, :SENHA, "
                           ":SENHA, :NIVEL, :FOTO, 'S', 'ANTES', NULL)"));
        insert.setParam(QStringLiteral("ID"), code);
        insert.setParam(QStringLiteral("NOME"), name);
        insert.setParam(QStringLiteral("CPF"), cpf);
        insert.setParam(QStringLiteral("SENHA"), encodedToColumn(Codificar(password, Chave)));
        insert.setParam(QStringLiteral("NIVEL"), encodedToColumn(Codificar(level, Chave)));
        insert.setParam(QStringLiteral("FOTO"), photo.isEmpty() ? QVariant() : QVariant(photo));
        insert.execSQL();
    }

    QVariant column(const QString &code, const QString &name)
    {
        SqlQuery select(connection());
        select.setSql(QStringLiteral("SELECT %1 FROM USUARIOS_ESTOC WHERE IDUSUARIO = :ID").arg(name));
        select.setParam(QStringLiteral("ID"), code);
        select.open();
        return select.rowCount() ? select.value(0, 0) : QVariant();
    }

    // A stored encoded column, decoded.
    QString decoded(const QString &code, const QString &name)
    {
        return Decodificar(encodedFromColumn(column(code, name).toString()), Chave);
    }

    // Users 0001 to 9999: no code is left for a new one.
    void fillEveryCode()
    {
        exec(QStringLiteral("EXECUTE BLOCK AS DECLARE I INTEGER = 1; BEGIN WHILE (I <= 9999) DO BEGIN "
                            "INSERT INTO USUARIOS_ESTOC (IDUSUARIO, USUARIO, CPF) "
                            "VALUES (LPAD(:I, 4, '0'), 'USUARIO', '529.982.247-25'); I = I + 1; END END"));
    }

    int userCount() { return scalar(QStringLiteral("SELECT COUNT(*) FROM USUARIOS_ESTOC")).toInt(); }

    // The placeholder portrait as "Limpa.JPG" in the working folder.
    void putDefaultPicture()
    {
        QFile::copy(QStringLiteral(":/images/limpa.jpg"), folder() + QStringLiteral("/Limpa.JPG"));
    }
};

// The general error handler has to see what escapes an event handler, as in the program.
#define USERS_TEST_MAIN(TestClass)                                                                           \
    int main(int argc, char *argv[])                                                                         \
    {                                                                                                        \
        EstocariumApplication app(argc, argv);                                                               \
        TestClass test;                                                                                      \
        QTEST_SET_MAIN_SOURCE_PATH                                                                           \
        return QTest::qExec(&test, argc, argv);                                                              \
    }
