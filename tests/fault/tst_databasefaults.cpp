#include "../users/UsersWindowFixture.h"
#include "MissingRequirement.h"
#include "PrivateServer.h"

#include "db/SqlConnection.h"
#include "shell/ConnectionSetup.h"
#include "signin/ui/TFrm_Senha_Estoc.h"
#include "widgets/Termination.h"

#include <QElapsedTimer>
#include <QLineEdit>
#include <chrono>
#include <thread>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

// The program against a Firebird server of the test's own that is killed, stopped and
// restarted under it, on the paths a person takes: working after sign-in, Salvar of a new
// user, the commit of that save, the first-access password, two workstations on one user.
class TestDatabaseFaults : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void serverRestartedWhileIdleGoesUnnoticed();
    void saveWithTheServerGone_data();
    void saveWithTheServerGone();
    void connectionLostDuringTheCommit_data();
    void connectionLostDuringTheCommit();
    void deletionLostDuringTheCommit_data();
    void deletionLostDuringTheCommit();
    void firstAccessPasswordIsWrittenWholeOrNotAtAll();
    void changeFromAnotherWorkstationIsNotOverwritten();
    void internetServerThatNeverAnswersEndsWithinTheConnectTimeout();

private:
    // Makes every commit of a transaction that wrote to the user table last kSlowCommitMs,
    // so a fault can be set off while the commit is under way.
    void slowCommits();
    // Runs fault on another thread after delay, while this one waits in a database call.
    void during(std::chrono::milliseconds delay, std::function<void()> fault);

    std::unique_ptr<PrivateServer> m_server;
    std::unique_ptr<UsersDatabase> m_db;
    std::thread m_fault;
};

namespace
{

constexpr int kAnswerMs = 3000; // the call bound for this suite (ESTOCARIUM_DB_ANSWER_MS)
constexpr int kSlowCommitMs = 1500;
constexpr std::chrono::milliseconds kDuringTheCommit(600);

const QString kSemServidor =
    QStringLiteral("Atenção, não foi possível conectar ao servidor do banco de dados. "
                   "Confira se ele está ligado e se a rede funciona, e tente de novo.");
const QString kSemResposta =
    QStringLiteral("Atenção, o banco de dados não respondeu em 6 segundos e a operação "
                   "foi cancelada. Confira a rede e o servidor e tente de novo.");
const QString kConexaoPerdida =
    QStringLiteral("Atenção, a conexão com o banco de dados foi perdida. Confira a "
                   "rede e o servidor; a próxima operação conecta de novo.");

} // namespace

void TestDatabaseFaults::init()
{
    m_server = std::make_unique<PrivateServer>();
    if (!m_server->failure().isEmpty())
        SKIP_FOR_MISSING(QStringLiteral("no private Firebird server: ") + m_server->failure());
    m_db = std::make_unique<UsersDatabase>();
    m_db->addUser("0001", "JOSE", "529.982.247-25");
    // From here on every query goes through the private server.
    m_db->connection()->close();
    m_db->connection()->setParam("Database", m_server->database(m_db->path()));
}

void TestDatabaseFaults::cleanup()
{
    if (m_fault.joinable())
        m_fault.join();
    m_db.reset();
    m_server.reset();
}

void TestDatabaseFaults::slowCommits()
{
    m_db->exec("CREATE TRIGGER MARCA_LENTO FOR USUARIOS_ESTOC AFTER INSERT OR UPDATE OR DELETE AS "
               "DECLARE X INTEGER; BEGIN X = RDB$SET_CONTEXT('USER_TRANSACTION', 'LENTO', '1'); END");
    m_db->exec("CREATE TRIGGER LENTO_AO_CONFIRMAR ON TRANSACTION COMMIT AS "
               "DECLARE T0 TIMESTAMP; DECLARE I INTEGER = 0; BEGIN "
               "IF (RDB$GET_CONTEXT('USER_TRANSACTION', 'LENTO') = '1') THEN BEGIN "
               "T0 = CAST('NOW' AS TIMESTAMP); "
               "WHILE (DATEDIFF(MILLISECOND FROM T0 TO CAST('NOW' AS TIMESTAMP)) < " +
               QString::number(kSlowCommitMs) +
               " AND I < 100000000) DO "
               "I = I + 1; END END");
}

void TestDatabaseFaults::during(std::chrono::milliseconds delay, std::function<void()> fault)
{
    m_fault = std::thread([delay, fault = std::move(fault)] {
        std::this_thread::sleep_for(delay);
        fault();
    });
}

void TestDatabaseFaults::serverRestartedWhileIdleGoesUnnoticed()
{
    auto janela = abreJanela();
    DialogScript dialogs;
    m_server->kill();
    m_server->restart();

    // The attachment left from before is found dead and replaced, without a word.
    clica(janela->Botao_Novo);
    QVERIFY2(dialogs.seen().isEmpty(),
             qPrintable(dialogs.texts().join(" | ") + " / " +
                        (dialogs.seen().isEmpty() ? QString() : dialogs.seen().first().detail)));
    QCOMPARE(janela->K1J->text(), QStringLiteral("0002"));
    digita(janela->C1J, "ANA");
    digita(janela->K2J, "12345678909");
    clica(janela->Botao_Salvar);

    QVERIFY2(dialogs.seen().isEmpty(), qPrintable(dialogs.texts().join(" | ")));
    QCOMPARE(m_db->column("0002", "USUARIO").toString(), QStringLiteral("ANA"));
}

void TestDatabaseFaults::saveWithTheServerGone_data()
{
    QTest::addColumn<bool>("stopped"); // stopped (SIGSTOP) rather than killed
    QTest::addColumn<QString>("message");
    QTest::newRow("killed") << false << kSemServidor;
    QTest::newRow("stopped") << true << kSemResposta;
}

void TestDatabaseFaults::saveWithTheServerGone()
{
    QFETCH(bool, stopped);
    QFETCH(QString, message);
    auto janela = abreJanela();
    DialogScript dialogs;
    clica(janela->Botao_Novo);
    digita(janela->C1J, "ANA");
    digita(janela->K2J, "12345678909");
    stopped ? m_server->pause() : m_server->kill();

    QElapsedTimer relogio;
    relogio.start();
    clica(janela->Botao_Salvar);
    // Within the bound and its grace, and never a false "já existe".
    QVERIFY2(relogio.elapsed() < 2 * kAnswerMs + 1500, qPrintable(QString::number(relogio.elapsed())));
    QCOMPARE(dialogs.onlyText(), message);
    QVERIFY(!dialogs.seen().first().detail.isEmpty());

    // The typed user is still there, as typed, to be saved again.
    QCOMPARE(usuarios(janela.get())->state(), RecordSet::State::Insert);
    QCOMPARE(janela->windowTitle(), QStringLiteral("Usuários - Estocarium - Incluindo"));
    QCOMPARE(janela->C1J->text(), QStringLiteral("ANA"));
    QCOMPARE(janela->K2J->text(), QStringLiteral("123.456.789-09"));
    QCOMPARE(janela->C5->currentText(), QStringLiteral("INICIANTE"));

    stopped ? m_server->resume() : m_server->restart();
    dialogs.clear();
    clica(janela->Botao_Salvar);
    QVERIFY2(dialogs.seen().isEmpty(), qPrintable(dialogs.texts().join(" | ")));
    QCOMPARE(usuarios(janela.get())->state(), RecordSet::State::Browse);
    QCOMPARE(m_db->userCount(), 2);
    QCOMPARE(m_db->column("0002", "USUARIO").toString(), QStringLiteral("ANA"));
    QCOMPARE(m_db->decoded("0002", "NIVEL"), QStringLiteral("Iniciante")); // encoded once
}

void TestDatabaseFaults::connectionLostDuringTheCommit_data()
{
    QTest::addColumn<bool>("stopped");
    QTest::addColumn<int>("fileHeldMs");
    // Killed in the middle of the commit: the commit never happened.
    QTest::newRow("killed") << false << 0;
    // Killed, and the database file still locked for a while as the server starts again (as by
    // the threads of the killed instance that have not ended yet on a busy machine): the
    // restarted server refuses the connection with an error of its own until the file is free.
    QTest::newRow("killed, file still held") << false << 2000;
    // Stopped in the middle of the commit and let go on once the connection has been cut:
    // whether the server then finishes the commit or acts on the cancel is its own affair;
    // what the person is told must match what the database holds.
    QTest::newRow("stopped") << true << 0;
}

void TestDatabaseFaults::connectionLostDuringTheCommit()
{
    QFETCH(bool, stopped);
    QFETCH(int, fileHeldMs);
    const QString caiu =
        QStringLiteral("Atenção, a conexão com o banco de dados caiu enquanto a gravação era "
                       "confirmada. Conferido no banco de dados: ");
    const QString gravado = caiu + QStringLiteral("o registro foi gravado.");
    const QString naoGravado =
        caiu + QStringLiteral("o registro não foi gravado. Clique em Salvar para gravá-lo.");
    slowCommits();
    auto janela = abreJanela();
    DialogScript dialogs;
    clica(janela->Botao_Novo);
    digita(janela->C1J, "ANA");
    digita(janela->K2J, "12345678909");

    PrivateServer *server = m_server.get();
    if (stopped) {
        during(kDuringTheCommit, [server] {
            server->pause();
            std::this_thread::sleep_for(std::chrono::milliseconds(2 * kAnswerMs + 1000));
            server->resume();
        });
    } else {
        during(kDuringTheCommit, [server, fileHeldMs, path = m_db->path().toLocal8Bit()] {
            server->kill();
            const int held = fileHeldMs > 0 ? ::open(path.constData(), O_RDWR) : -1;
            if (held >= 0)
                ::flock(held, LOCK_EX);
            server->restart();
            if (held >= 0) {
                std::this_thread::sleep_for(std::chrono::milliseconds(fileHeldMs));
                ::close(held);
            }
        });
    }
    clica(janela->Botao_Salvar);
    m_fault.join();

    const bool foiGravado = dialogs.onlyText() == gravado;
    QVERIFY2(foiGravado || dialogs.onlyText() == naoGravado,
             qPrintable(dialogs.onlyText() + " / " + dialogs.seen().value(0).detail));
    QVERIFY(stopped || !foiGravado);
    QCOMPARE(m_db->userCount(), foiGravado ? 2 : 1);
    if (foiGravado) {
        QCOMPARE(usuarios(janela.get())->state(), RecordSet::State::Browse);
        QCOMPARE(usuarios(janela.get())->changeCount(), 0);
        return;
    }
    QCOMPARE(usuarios(janela.get())->state(), RecordSet::State::Insert);
    QCOMPARE(janela->C1J->text(), QStringLiteral("ANA"));
    dialogs.clear();
    clica(janela->Botao_Salvar);
    QVERIFY2(dialogs.seen().isEmpty(), qPrintable(dialogs.texts().join(" | ")));
    QCOMPARE(m_db->column("0002", "USUARIO").toString(), QStringLiteral("ANA"));
}

void TestDatabaseFaults::deletionLostDuringTheCommit_data()
{
    QTest::addColumn<bool>("stopped");
    QTest::newRow("killed") << false;
    QTest::newRow("stopped") << true;
}

void TestDatabaseFaults::deletionLostDuringTheCommit()
{
    QFETCH(bool, stopped);
    slowCommits();
    auto janela = abreJanela();
    DialogScript dialogs; // Yes to "Confirma a exclusão ?"
    PrivateServer *server = m_server.get();
    during(kDuringTheCommit, [server, stopped] {
        if (stopped) {
            server->pause();
            std::this_thread::sleep_for(std::chrono::milliseconds(2 * kAnswerMs + 1000));
            server->resume();
        } else {
            server->kill();
            server->restart();
        }
    });
    clica(janela->Botao_Excluir);
    m_fault.join();

    // What the person is told must match what the database holds.
    const bool excluido = m_db->userCount() == 0;
    const QString texto = dialogs.texts().value(1);
    if (excluido) {
        QCOMPARE(texto, QStringLiteral("Atenção, a conexão com o banco de dados caiu enquanto a exclusão era "
                                       "confirmada. Conferido no banco de dados: o registro foi excluído."));
    } else {
        QCOMPARE(texto, QStringLiteral("Atenção, exclusão cancelada!"));
    }
    QVERIFY(stopped || !excluido);
    QCOMPARE(usuarios(janela.get())->recordCount(), excluido ? 0 : 1);
    QCOMPARE(usuarios(janela.get())->changeCount(), 0);
    QCOMPARE(janela->Botao_Excluir->isEnabled(), !excluido);
}

void TestDatabaseFaults::firstAccessPasswordIsWrittenWholeOrNotAtAll()
{
    slowCommits();
    TFrm_Senha_Estoc dialogo(nullptr);
    DialogScript dialogs;
    dialogs.answer(true, QStringLiteral("nova"));
    dialogo.show();
    QVERIFY(QTest::qWaitForWindowActive(&dialogo));
    QTest::keyClicks(dialogo.Campo1, "1");
    QTest::keyClick(dialogo.Campo1, Qt::Key_Return);
    QTest::keyClicks(dialogo.Campo2, "1");

    PrivateServer *server = m_server.get();
    during(kDuringTheCommit, [server] {
        server->kill();
        server->restart();
    });
    clica(dialogo.Botao_Entrar);
    m_fault.join();

    QCOMPARE(dialogs.texts(), QStringList({QStringLiteral("Informe sua nova senha : "), kConexaoPerdida}));
    QCOMPARE(dialogs.seen().at(1).kind, Dialogs::Kind::Error);
    // Neither column took the new password: the user is not left half-written.
    QCOMPARE(m_db->decoded("0001", "SENHA"), QStringLiteral("1"));
    QCOMPARE(m_db->decoded("0001", "CONFIRMA"), QStringLiteral("1"));

    // Once the server is back the same sign-in writes both.
    dialogs.clear();
    dialogs.answer(true, QStringLiteral("nova"));
    clica(dialogo.Botao_Entrar);
    QCOMPARE(dialogs.texts(), QStringList({QStringLiteral("Informe sua nova senha : ")}));
    QCOMPARE(m_db->decoded("0001", "SENHA"), QStringLiteral("nova"));
    QCOMPARE(m_db->decoded("0001", "CONFIRMA"), QStringLiteral("nova"));
}

void TestDatabaseFaults::changeFromAnotherWorkstationIsNotOverwritten()
{
    auto janela = abreJanela();
    DialogScript dialogs;
    clica(janela->Botao_Alterar);
    janela->C1J->selectAll();
    digita(janela->C1J, "PELA JANELA");

    // Another workstation: a connection of its own to the same server.
    SqlConnection outra;
    outra.setParam("Database", m_server->database(m_db->path()));
    outra.setParam("ServerCharSet", "WIN1252");
    SqlQuery alteracao(&outra);
    alteracao.setSql("UPDATE USUARIOS_ESTOC SET USUARIO = 'PELA OUTRA' WHERE IDUSUARIO = '0001'");
    alteracao.execSQL();
    outra.close();

    clica(janela->Botao_Salvar);
    QCOMPARE(dialogs.onlyText(),
             QStringLiteral(
                 "Atenção, este usuário foi alterado ou excluído em outra estação depois que você começou "
                 "a alteração. Nada foi gravado; os dados atuais estão na tela. Clique em Alterar para "
                 "refazer a sua alteração."));
    QCOMPARE(m_db->column("0001", "USUARIO").toString(), QStringLiteral("PELA OUTRA"));
    QCOMPARE(janela->C1J->text(), QStringLiteral("PELA OUTRA"));
    QCOMPARE(usuarios(janela.get())->state(), RecordSet::State::Browse);
    QCOMPARE(usuarios(janela.get())->changeCount(), 0);
}

void TestDatabaseFaults::internetServerThatNeverAnswersEndsWithinTheConnectTimeout()
{
    // The server accepts the connection (the system does it for a stopped process) and never answers.
    m_server->pause();
    Sistema_na_WEB = true;
    Rede_Caminho = m_server->database(m_db->path());
    resetTermination();
    DialogScript dialogs;
    QElapsedTimer relogio;
    relogio.start();
    QVERIFY(!ConfiguraConexao());
    const qint64 passado = relogio.elapsed();
    Sistema_na_WEB = false;
    m_server->resume();

    QVERIFY2(passado < (SqlConnection::kConnectTimeoutSeconds + 2) * 1000,
             qPrintable(QString::number(passado)));
    QCOMPARE(dialogs.onlyText(),
             QStringLiteral("Atenção, procedimento abortado, internet desligada ou problema no seu "
                            "servidor web"));
    QCOMPARE(dialogs.seen().first().detail.section(u'\n', 0, 0), kSemServidor);
    QVERIFY(terminationRequested());
}

int main(int argc, char *argv[])
{
    qputenv("ESTOCARIUM_DB_ANSWER_MS", QByteArray::number(kAnswerMs));
    EstocariumApplication app(argc, argv);
    TestDatabaseFaults test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "tst_databasefaults.moc"
