#include "TestDatabase.h"
#include "db/SqlQuery.h"
#include "session/uTotal.h"
#include "signin/ConferenciaDoAcesso.h"
#include "tests/signin/UsuariosDeTeste.h"

#include <QTest>
#include <memory>

// The sign-in check without the dialog, against a database holding the users of UsuariosDeTeste.h.
class TestConferenciaDoAcesso : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanupTestCase();

    void lookupPadsTheCodeAndReadsTheUser_data();
    void lookupPadsTheCodeAndReadsTheUser();
    void eachSignInGetsItsOutcome_data();
    void eachSignInGetsItsOutcome();
    void closingSignsInOnlyAValidUser_data();
    void closingSignsInOnlyAValidUser();
    void sessionIsRecordedWithTheTitleSuffix_data();
    void sessionIsRecordedWithTheTitleSuffix();
    void newPasswordIsWrittenToBothColumnsOfThatUser_data();
    void newPasswordIsWrittenToBothColumnsOfThatUser();
    void newPasswordThatCannotBeStoredIsRefused_data();
    void newPasswordThatCannotBeStoredIsRefused();

private:
    UsuarioDoAcesso busca(const QString &codigo);

    std::unique_ptr<TestDatabase> m_db;
    std::unique_ptr<SqlQuery> m_sqlBusca;
};

void TestConferenciaDoAcesso::initTestCase()
{
    m_db = std::make_unique<TestDatabase>();
    m_db->createSchema();
    InicializaSessao();
    m_sqlBusca = std::make_unique<SqlQuery>(m_db->connection());
}

void TestConferenciaDoAcesso::init()
{
    gravaUsuariosDeTeste(*m_db);
}

void TestConferenciaDoAcesso::cleanupTestCase()
{
    m_sqlBusca.reset();
    m_db.reset();
}

UsuarioDoAcesso TestConferenciaDoAcesso::busca(const QString &codigo)
{
    return ConferenciaDoAcesso(*m_sqlBusca).busca(codigo);
}

void TestConferenciaDoAcesso::lookupPadsTheCodeAndReadsTheUser_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("codigo");
    QTest::addColumn<QString>("nome");
    QTest::addColumn<QString>("cpf");
    QTest::addColumn<QString>("senha"); // decoded
    QTest::addColumn<QString>("nivel"); // decoded
    QTest::addColumn<bool>("primeiroAcesso");
    QTest::newRow("four digits") << "0001"
                                 << "0001"
                                 << "MARIA DA SILVA"
                                 << "123.456.789-09"
                                 << "Segredo"
                                 << "ADMINISTRADOR" << false;
    QTest::newRow("padded, first access") << "42"
                                          << "0042"
                                          << "PEDRO ALVES"
                                          << "390.533.447-05"
                                          << "1"
                                          << "ADMINISTRADOR" << true;
    QTest::newRow("unknown") << "999"
                             << "0999"
                             << ""
                             << ""
                             << ""
                             << "" << false;
    QTest::newRow("empty") << ""
                           << "0000"
                           << ""
                           << ""
                           << ""
                           << "" << false;
}

void TestConferenciaDoAcesso::lookupPadsTheCodeAndReadsTheUser()
{
    QFETCH(QString, typed);
    const UsuarioDoAcesso usuario = busca(typed);
    QTEST(usuario.codigo, "codigo");
    QTEST(usuario.nome, "nome");
    QTEST(usuario.cpf, "cpf");
    // Held encoded, as stored: the checks decode them.
    QTEST(Decodificar(usuario.senhaCodificada, Chave), "senha");
    QTEST(Decodificar(usuario.nivelCodificado, Chave), "nivel");
    QTEST(usuario.primeiroAcesso(), "primeiroAcesso");
}

void TestConferenciaDoAcesso::eachSignInGetsItsOutcome_data()
{
    QTest::addColumn<QString>("codigo");
    QTest::addColumn<QString>("senha");
    QTest::addColumn<QString>("recusa"); // empty: signed in
    QTest::addColumn<bool>("focaSenha");
    QTest::addColumn<bool>("pedeNovaSenha");
    QTest::newRow("unknown code") << "77"
                                  << "1"
                                  << "Primeiro informe usuário válido!" << false << false;
    QTest::newRow("user without a name") << "3"
                                         << "x"
                                         << "Primeiro informe usuário válido!" << false << false;
    QTest::newRow("wrong password") << "1"
                                    << "errada"
                                    << "Atenção, senha inválida!" << true << false;
    QTest::newRow("other case") << "1"
                                << "segredo"
                                << "Atenção, senha inválida!" << true << false;
    QTest::newRow("trailing blank") << "1"
                                    << "Segredo "
                                    << "Atenção, senha inválida!" << true << false;
    QTest::newRow("empty password") << "1"
                                    << ""
                                    << "Atenção, senha inválida!" << true << false;
    QTest::newRow("valid") << "1"
                           << "Segredo"
                           << "" << false << false;
    QTest::newRow("first access") << "2"
                                  << "1"
                                  << "" << false << true;
}

void TestConferenciaDoAcesso::eachSignInGetsItsOutcome()
{
    QFETCH(QString, codigo);
    QFETCH(QString, senha);
    QFETCH(QString, recusa);
    const ResultadoDaEntrada resultado = ConferenciaDoAcesso::entra(busca(codigo), senha, "03/2018");
    QCOMPARE(resultado.sessao.has_value(), recusa.isEmpty());
    QCOMPARE(resultado.recusa, recusa);
    QTEST(resultado.focaSenha, "focaSenha");
    QTEST(resultado.pedeNovaSenha, "pedeNovaSenha");
    if (resultado.sessao)
        QCOMPARE(resultado.sessao->codigo, codigo.rightJustified(4, '0'));
}

void TestConferenciaDoAcesso::closingSignsInOnlyAValidUser_data()
{
    QTest::addColumn<QString>("codigo");
    QTest::addColumn<QString>("senha");
    QTest::addColumn<bool>("signedIn");
    QTest::newRow("valid") << "1"
                           << "Segredo" << true;
    // Still the looked-up "1" after the first-access password was replaced.
    QTest::newRow("first access") << "2"
                                  << "1" << true;
    QTest::newRow("wrong password") << "1"
                                    << "x" << false;
    QTest::newRow("unknown code") << "55"
                                  << "" << false;
    QTest::newRow("user without a name") << "3"
                                         << "x" << false;
}

void TestConferenciaDoAcesso::closingSignsInOnlyAValidUser()
{
    QFETCH(QString, codigo);
    QFETCH(QString, senha);
    const UsuarioDoAcesso usuario = busca(codigo);
    ConferenciaDoAcesso(*m_sqlBusca).trocaSenha(usuario.codigo, "nova");
    QTEST(ConferenciaDoAcesso::aoFechar(usuario, senha, "12/2017").has_value(), "signedIn");
}

void TestConferenciaDoAcesso::sessionIsRecordedWithTheTitleSuffix_data()
{
    QTest::addColumn<QString>("codigo");
    QTest::addColumn<QString>("periodo");
    QTest::addColumn<QString>("mes");
    QTest::addColumn<QString>("ano");
    QTest::addColumn<bool>("administrador");
    QTest::addColumn<QString>("sufixo");
    QTest::newRow("administrator")
        << "1"
        << "03/2018"
        << "03"
        << "2018" << true << " - 03/2018 | Usuário: 123.456.789-09 - MARIA DA SILVA   * ADMINISTRADOR *   ";
    QTest::newRow("mixed-case level") << "4"
                                      << "12/2017"
                                      << "12"
                                      << "2017" << false << " - 12/2017 | Usuário: 987.654.321-00 - ANA LIMA";
    QTest::newRow("beginner") << "2"
                              << "12/2017"
                              << "12"
                              << "2017" << false << " - 12/2017 | Usuário: 529.982.247-25 - JOSÉ SOUZA";
    // A client without the built-in profile has no working periods.
    QTest::newRow("no period") << "4"
                               << ""
                               << ""
                               << "" << false << " - / | Usuário: 987.654.321-00 - ANA LIMA";
}

void TestConferenciaDoAcesso::sessionIsRecordedWithTheTitleSuffix()
{
    QFETCH(QString, codigo);
    QFETCH(QString, periodo);
    const UsuarioDoAcesso usuario = busca(codigo);
    const std::optional<SessaoDoUsuario> sessao =
        ConferenciaDoAcesso::aoFechar(usuario, Decodificar(usuario.senhaCodificada, Chave), periodo);
    QVERIFY(sessao);
    Mes_Vero = Ano_Vero = Usuario_Codigo = Usuario_Nome = Usuario_CPF = "antes";
    uAdministrador = !sessao->administrador;
    uAdministradorTemporario = true;

    sessao->registra();
    QTEST(Mes_Vero, "mes");
    QTEST(Ano_Vero, "ano");
    QCOMPARE(Usuario_Codigo, usuario.codigo);
    QCOMPARE(Usuario_Nome, usuario.nome);
    QCOMPARE(Usuario_CPF, usuario.cpf);
    QTEST(uAdministrador, "administrador");
    QVERIFY(!uAdministradorTemporario);
    QTEST(sessao->sufixoDoTitulo(), "sufixo");
}

void TestConferenciaDoAcesso::newPasswordIsWrittenToBothColumnsOfThatUser_data()
{
    QTest::addColumn<QString>("novaSenha");
    QTest::newRow("plain") << "abc";
    QTest::newRow("quotes") << "O'Brien' OR '1'='1";
    QTest::newRow("empty") << "";
    QTest::newRow("longest") << QString(ConferenciaDoAcesso::kMaiorSenha, 'z');
    // Shifted into 0x80-0x9F, which Windows-1252 leaves without characters.
    QTest::newRow("shifted into the gap") << QString(QChar(char16_t(0x80 - Chave)));
}

void TestConferenciaDoAcesso::newPasswordIsWrittenToBothColumnsOfThatUser()
{
    QFETCH(QString, novaSenha);
    QCOMPARE(ConferenciaDoAcesso(*m_sqlBusca).trocaSenha("0002", novaSenha), std::nullopt);
    QCOMPARE(colunaDecodificada(*m_db, "SENHA", "0002"), novaSenha);
    QCOMPARE(colunaDecodificada(*m_db, "CONFIRMA", "0002"), novaSenha);
    QCOMPARE(colunaDecodificada(*m_db, "SENHA", "0042"), QStringLiteral("1"));
    // What the next lookup reads back is what was typed.
    QCOMPARE(Decodificar(busca("2").senhaCodificada, Chave), novaSenha);
}

void TestConferenciaDoAcesso::newPasswordThatCannotBeStoredIsRefused_data()
{
    QTest::addColumn<QString>("novaSenha");
    QTest::addColumn<QString>("recusa");
    QTest::newRow("too long")
        << QString(ConferenciaDoAcesso::kMaiorSenha + 1, 'z')
        << "Atenção, a senha pode ter no máximo 20 caracteres; nada foi gravado. Informe uma "
           "senha mais curta.";
    const QString naoGravavel = QStringLiteral(
        "Atenção, a senha ou o nível contém caracteres que não podem ser gravados no banco de dados.");
    QTest::newRow("euro sign") << "abc€" << naoGravavel;
    QTest::newRow("shifted past one byte") << QString(QChar(char16_t(0x100 - Chave))) << naoGravavel;
    const QString controle =
        QStringLiteral("Atenção, a senha não pode ter caracteres de controle (tabulação, "
                       "quebra de linha ou outros); nada foi gravado. Informe outra senha.");
    for (const auto &[row, senha] : {std::pair{"tab", "ab\tc"},
                                     {"start of heading", "\x01"},
                                     {"escape", "\x1b"
                                                "abc"},
                                     {"delete", "abc\x7f"},
                                     {"line feed", "abc\n"}})
        QTest::addRow("%s", row) << QString::fromUtf8(senha) << controle;
}

void TestConferenciaDoAcesso::newPasswordThatCannotBeStoredIsRefused()
{
    QFETCH(QString, novaSenha);
    QTEST(ConferenciaDoAcesso(*m_sqlBusca).trocaSenha("0002", novaSenha).value_or(QString()), "recusa");
    QCOMPARE(colunaDecodificada(*m_db, "SENHA", "0002"), QStringLiteral("1"));
    QCOMPARE(colunaDecodificada(*m_db, "CONFIRMA", "0002"), QStringLiteral("1"));
}

QTEST_GUILESS_MAIN(TestConferenciaDoAcesso)

#include "tst_conferenciadoacesso.moc"
