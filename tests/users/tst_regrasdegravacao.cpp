#include "UsersFixture.h"

#include "users/RegrasDeGravacao.h"
#include "users/ui/TdmUsuarios_Estoc.h"

// The save and delete rules of the user record, on the data module's record set, without the
// window: what reaches the database, the messages, and the record left for another try.
class TestRegrasDeGravacao : public QObject
{
    Q_OBJECT

private slots:
    void savedUserIsStoredEncoded_data();
    void savedUserIsStoredEncoded();
    void unacceptableValueStopsTheSave_data();
    void unacceptableValueStopsTheSave();
    void levelThatCannotBeStoredStopsTheSave();
    void failedWriteKeepsTheTypedRecordForARetry_data();
    void failedWriteKeepsTheTypedRecordForARetry();
    void changeFromElsewhereIsShownNotOverwritten();
    void deletion_data();
    void deletion();
};

namespace
{

using Janela = ResultadoDaGravacao::Janela;

// User 0001 stored, and loaded as the window loads it.
struct Cadastro {
    Cadastro()
    {
        db.addUser("0001", "JOSE", "529.982.247-25", "EXPERIENTE", QByteArray(), "segredo");
        carrega("0001");
    }

    void carrega(const QString &codigo)
    {
        usuarios->close();
        usuarios->setParam("UM", codigo);
        usuarios->open();
    }

    // As Novo does, with a name and a CPF typed.
    void novo(const QString &nome = "ANA", const QString &cpf = "123.456.789-09")
    {
        usuarios->append();
        usuarios->setValue("NIVEL", "Iniciante");
        usuarios->setValue("USUARIO", nome);
        usuarios->setValue("CPF", cpf);
    }

    UsersDatabase db;
    TdmUsuarios_Estoc dm{nullptr};
    RecordSet *usuarios = dm.cdsUsuarios;
    RegrasDeGravacao regras{usuarios};
};

const QString kRecusaDoBanco =
    QStringLiteral("CREATE TRIGGER RECUSA_USUARIO FOR USUARIOS_ESTOC ACTIVE BEFORE "
                   "INSERT OR UPDATE OR DELETE POSITION 0 AS BEGIN EXCEPTION RECUSA; END");

void recusaTudo(UsersDatabase &db)
{
    db.exec("CREATE EXCEPTION RECUSA 'recusado pelo banco'");
    db.exec(kRecusaDoBanco);
}

} // namespace

void TestRegrasDeGravacao::savedUserIsStoredEncoded_data()
{
    QTest::addColumn<bool>("changed"); // the stored user changed rather than a new one
    QTest::addColumn<QString>("primeiroAcesso");
    QTest::addColumn<QString>("senha");
    QTest::newRow("new, first access") << false << "S"
                                       << "1";
    QTest::newRow("new, access not released") << false << "N"
                                              << "000";
    // The password the user chose at sign-in is replaced as well.
    QTest::newRow("changed, first access") << true << "S"
                                           << "1";
    QTest::newRow("changed, access not released") << true << "N"
                                                  << "000";
}

void TestRegrasDeGravacao::savedUserIsStoredEncoded()
{
    QFETCH(bool, changed);
    QFETCH(QString, primeiroAcesso);
    Cadastro cadastro;
    changed ? cadastro.regras.altera() : cadastro.novo();
    cadastro.usuarios->setValue("PRIMEIRO_ACESSO", primeiroAcesso);
    const QString codigo = cadastro.usuarios->text("IDUSUARIO");
    // Plain while the change lasts, and stored encoded once.
    const QString nivel = changed ? QStringLiteral("EXPERIENTE") : QStringLiteral("Iniciante");
    QCOMPARE(cadastro.usuarios->text("NIVEL"), nivel);

    const ResultadoDaGravacao resultado = cadastro.regras.salva();
    QCOMPARE(resultado.janela, Janela::Navegacao);
    QCOMPARE(resultado.mensagem, QString());
    QCOMPARE(cadastro.usuarios->state(), RecordSet::State::Browse);
    QCOMPARE(cadastro.usuarios->changeCount(), 0);
    QTEST(cadastro.db.decoded(codigo, "SENHA"), "senha");
    QTEST(cadastro.db.decoded(codigo, "CONFIRMA"), "senha");
    QCOMPARE(cadastro.db.decoded(codigo, "NIVEL"), nivel);
    // The record on screen holds what is stored: the encoded values.
    QCOMPARE(cadastro.usuarios->text("NIVEL"), cadastro.db.column(codigo, "NIVEL").toString());
}

void TestRegrasDeGravacao::unacceptableValueStopsTheSave_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QVariant>("value");
    QTest::addColumn<QString>("message");
    QTest::newRow("name") << "USUARIO" << QVariant()
                          << "Atenção, procedimento cancelado! Informe Nome do Usuário";
    QTest::newRow("CPF") << "CPF" << QVariant() << "Atenção, procedimento cancelado! Informe CPF";
    // Pasted, as nobody could type them: the name could never be typed again as stored.
    const QString controle =
        QStringLiteral("Atenção, o nome do usuário tem caracteres de controle (tabulação, "
                       "quebra de linha ou outros); nada foi gravado. Corrija o nome.");
    for (const auto &[row, name] : {std::pair{"tab", "ANA\tMARIA"},
                                    {"line feed", "ANA\nMARIA"},
                                    {"start of heading", "ANA\x01"},
                                    {"escape", "\x1b"
                                               "ANA"},
                                    {"delete", "ANA\x7f"},
                                    {"next line (C1)", "ANA\u0085"}})
        QTest::addRow("name with %s", row) << "USUARIO" << QVariant(QString::fromUtf8(name)) << controle;
}

void TestRegrasDeGravacao::unacceptableValueStopsTheSave()
{
    QFETCH(QString, field);
    QFETCH(QVariant, value);
    Cadastro cadastro;
    cadastro.novo();
    cadastro.usuarios->setValue(field, value);

    const ResultadoDaGravacao resultado = cadastro.regras.salva();
    QCOMPARE(resultado.janela, Janela::Mantem);
    QTEST(resultado.mensagem, "message");
    QCOMPARE(cadastro.usuarios->state(), RecordSet::State::Insert);
    QCOMPARE(cadastro.db.userCount(), 1);
    // The provisional password is set before the checks, and stays plain.
    QCOMPARE(cadastro.usuarios->text("SENHA"), QStringLiteral("1"));
    QCOMPARE(cadastro.usuarios->text("NIVEL"), QStringLiteral("Iniciante"));
}

void TestRegrasDeGravacao::levelThatCannotBeStoredStopsTheSave()
{
    Cadastro cadastro;
    cadastro.novo();
    cadastro.usuarios->setValue("NIVEL", "MÉDIO €");

    const ResultadoDaGravacao resultado = cadastro.regras.salva();
    QCOMPARE(resultado.janela, Janela::Mantem);
    QCOMPARE(resultado.mensagem, QStringLiteral("Atenção, a senha ou o nível contém caracteres que não podem "
                                                "ser gravados no banco de dados."));
    QCOMPARE(cadastro.usuarios->state(), RecordSet::State::Insert);
    QCOMPARE(cadastro.usuarios->text("NIVEL"), QStringLiteral("MÉDIO €"));
    QCOMPARE(cadastro.usuarios->text("SENHA"), QStringLiteral("1"));
    QCOMPARE(cadastro.db.userCount(), 1);
}

void TestRegrasDeGravacao::failedWriteKeepsTheTypedRecordForARetry_data()
{
    QTest::addColumn<QString>("fault");
    QTest::addColumn<Janela>("janela");
    QTest::addColumn<QString>("message");
    QTest::addColumn<RecordSet::State>("state");
    QTest::newRow("code taken meanwhile")
        << "duplicate" << Janela::Edicao << "Atenção, esse registro já existe, confirme informações!"
        << RecordSet::State::Insert;
    // Posted and refused: the record is put back into editing, its change still pending.
    QTest::newRow("refused by the database")
        << "refused" << Janela::Mantem
        << "Atenção, esse registro tem informações confusas, confirme informações ou cancele procedimento!"
        << RecordSet::State::Edit;
    QTest::newRow("database file gone")
        << "missing" << Janela::Edicao
        << "Atenção, o arquivo do banco de dados não foi encontrado. Confira a pasta de trabalho e o caminho "
           "configurado em clientes.ini."
        << RecordSet::State::Insert;
}

void TestRegrasDeGravacao::failedWriteKeepsTheTypedRecordForARetry()
{
    QFETCH(QString, fault);
    QFETCH(RecordSet::State, state);
    Cadastro cadastro;
    UsersDatabase &db = cadastro.db;
    cadastro.novo();
    if (fault == "duplicate") {
        db.addUser("0002", "OUTRA", "111.444.777-35");
    } else if (fault == "refused") {
        recusaTudo(db);
    } else {
        db.connection()->close();
        db.connection()->setParam("Database", db.folder() + "/SUMIU.FDB");
    }

    const ResultadoDaGravacao resultado = cadastro.regras.salva();
    QTEST(resultado.janela, "janela");
    QTEST(resultado.mensagem, "message");
    QVERIFY(!resultado.detalhe.isEmpty()); // the database's own text
    QCOMPARE(cadastro.usuarios->state(), state);
    QCOMPARE(cadastro.usuarios->changeCount(), 1);
    QCOMPARE(cadastro.usuarios->text("USUARIO"), QStringLiteral("ANA"));
    QCOMPARE(cadastro.usuarios->text("NIVEL"), QStringLiteral("Iniciante")); // plain again

    if (fault == "duplicate") {
        cadastro.usuarios->setValue("IDUSUARIO", "0003");
    } else if (fault == "refused") {
        db.exec("DROP TRIGGER RECUSA_USUARIO");
    } else {
        db.connection()->setParam("Database", db.path());
    }
    const QString codigo = cadastro.usuarios->text("IDUSUARIO");
    QCOMPARE(cadastro.regras.salva().mensagem, QString());
    QCOMPARE(db.column(codigo, "USUARIO").toString(), QStringLiteral("ANA"));
    QCOMPARE(db.decoded(codigo, "NIVEL"), QStringLiteral("Iniciante")); // encoded once, not twice
    QCOMPARE(db.decoded(codigo, "SENHA"), QStringLiteral("1"));
}

void TestRegrasDeGravacao::changeFromElsewhereIsShownNotOverwritten()
{
    Cadastro cadastro;
    cadastro.regras.altera();
    cadastro.usuarios->setValue("USUARIO", "PELA JANELA");
    cadastro.db.exec("UPDATE USUARIOS_ESTOC SET USUARIO = 'PELA OUTRA' WHERE IDUSUARIO = '0001'");

    const ResultadoDaGravacao resultado = cadastro.regras.salva();
    QCOMPARE(resultado.janela, Janela::Navegacao);
    QCOMPARE(resultado.mensagem,
             QStringLiteral(
                 "Atenção, este usuário foi alterado ou excluído em outra estação depois que você começou "
                 "a alteração. Nada foi gravado; os dados atuais estão na tela. Clique em Alterar para "
                 "refazer a sua alteração."));
    QCOMPARE(cadastro.db.column("0001", "USUARIO").toString(), QStringLiteral("PELA OUTRA"));
    QCOMPARE(cadastro.db.decoded("0001", "SENHA"), QStringLiteral("segredo"));
    // What the other workstation stored is on screen, and nothing is left pending.
    QCOMPARE(cadastro.usuarios->state(), RecordSet::State::Browse);
    QCOMPARE(cadastro.usuarios->text("USUARIO"), QStringLiteral("PELA OUTRA"));
    QCOMPARE(cadastro.usuarios->changeCount(), 0);
}

void TestRegrasDeGravacao::deletion_data()
{
    QTest::addColumn<QString>("fault");
    QTest::addColumn<QString>("message");
    QTest::addColumn<int>("usersLeft");
    QTest::newRow("deleted") << ""
                             << "" << 0;
    QTest::newRow("refused by the database") << "refused"
                                             << "Atenção, exclusão cancelada!" << 1;
    QTest::newRow("deleted elsewhere meanwhile") << "gone"
                                                 << "Atenção, exclusão cancelada!" << 0;
}

void TestRegrasDeGravacao::deletion()
{
    QFETCH(QString, fault);
    QFETCH(QString, message);
    Cadastro cadastro;
    QCOMPARE(cadastro.regras.impedeExclusao(), std::nullopt);
    if (fault == "refused")
        recusaTudo(cadastro.db);
    else if (fault == "gone")
        cadastro.db.exec("DELETE FROM USUARIOS_ESTOC");

    const ResultadoDaGravacao resultado = cadastro.regras.exclui();
    QCOMPARE(resultado.janela, Janela::Navegacao);
    QTEST(resultado.mensagem, "message");
    QTEST(cadastro.db.userCount(), "usersLeft");
    QCOMPARE(resultado.detalhe.isEmpty(), fault.isEmpty()); // why it was cancelled
    // Cancelled, the record is shown again and nothing stays pending.
    QCOMPARE(cadastro.usuarios->recordCount(), fault.isEmpty() ? 0 : 1);
    QCOMPARE(cadastro.usuarios->changeCount(), 0);
    QCOMPARE(cadastro.usuarios->state(), RecordSet::State::Browse);

    if (fault.isEmpty())
        QCOMPARE(cadastro.regras.impedeExclusao(),
                 QStringLiteral("Atenção, selecione registro para exclusão!"));
}

QTEST_GUILESS_MAIN(TestRegrasDeGravacao)

#include "tst_regrasdegravacao.moc"
