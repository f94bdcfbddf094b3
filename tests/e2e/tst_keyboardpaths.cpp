#include "ProgramPaths.h"
#include "X11Desktop.h"
#include "common/PasswordEncoding.h"
#include "db/SqlConnection.h"
#include "db/SqlQuery.h"
#include "session/uTotal.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

// The real program on a virtual X display with a window manager, driven by keyboard along the
// paths where a button is pressed by its accelerator while the focus is still in a field:
// sign-in with a code typed over the one looked up, and a new user whose code is typed and
// pasted with letters and whose name is still in its field when Alt+S saves. Screenshots of
// each step are kept in <build>/e2e-artifacts/keyboardpaths.
class TestKeyboardPaths : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void cleanup();
    void signInActsOnTheCodeAsTyped();
    void newUserSavedByAcceleratorsFromItsFields();

private:
    // The database of the working folder, opened while the program is not running.
    std::unique_ptr<SqlConnection> database() const;
    QString decoded(SqlConnection &connection, const QString &code, const QString &column) const;
    // The window that becomes active after previous, once it is there.
    QString nextActive(const QString &previous) const;
    QString waitForLogin(QProcess *program);

    QTemporaryDir m_tmp;
    QString m_folder;
    X11Desktop m_desktop{QStringLiteral("keyboardpaths")};
};

void TestKeyboardPaths::initTestCase()
{
    QVERIFY2(missingProgram().isEmpty(), qPrintable(missingProgram()));
    const QString failure = m_desktop.start();
    QVERIFY2(failure.isEmpty(), qPrintable(failure));

    // The administrator 0001 has chosen a password; 0002 still has the first-access "1".
    m_folder = m_tmp.path() + "/trabalho";
    const QString created = createWorkingFolder(m_folder, {"--users", "1"});
    QVERIFY2(created.isEmpty(), qPrintable(created));
    QDir::setCurrent(m_folder);
    InicializaSessao();
    auto connection = database();
    SqlQuery update(connection.get());
    update.setSql("UPDATE USUARIOS_ESTOC SET SENHA = :S, CONFIRMA = :S WHERE IDUSUARIO = '0001'");
    update.setParam("S", encodedToColumn(Codificar("segredo", Chave)));
    update.execSQL();
}

void TestKeyboardPaths::cleanup()
{
    m_desktop.recordIfFailed();
}

void TestKeyboardPaths::cleanupTestCase()
{
    m_desktop.stop();
}

std::unique_ptr<SqlConnection> TestKeyboardPaths::database() const
{
    auto connection = std::make_unique<SqlConnection>();
    connection->setParam("Database", m_folder + "/LICITACAO.FDB");
    connection->setParam("ServerCharSet", "WIN1252");
    return connection;
}

QString TestKeyboardPaths::decoded(SqlConnection &connection, const QString &code,
                                   const QString &column) const
{
    SqlQuery query(&connection);
    query.setSql(QStringLiteral("SELECT %1 FROM USUARIOS_ESTOC WHERE IDUSUARIO = :C").arg(column));
    query.setParam("C", code);
    query.open();
    return Decodificar(encodedFromColumn(query.value(0, 0).toString()), Chave);
}

QString TestKeyboardPaths::nextActive(const QString &previous) const
{
    QString active;
    [&] {
        QTRY_VERIFY_WITH_TIMEOUT(!(active = m_desktop.activeWindow()).isEmpty() && active != previous, 10000);
    }();
    return active;
}

QString TestKeyboardPaths::waitForLogin(QProcess *program)
{
    QString login;
    [&] {
        QTRY_VERIFY_WITH_TIMEOUT(!(login = m_desktop.window("^Estocarium / Estocarium - 2017$")).isEmpty() ||
                                     program->state() == QProcess::NotRunning,
                                 30000);
        QTRY_COMPARE_WITH_TIMEOUT(m_desktop.activeWindow(), login, 10000);
    }();
    return login;
}

void TestKeyboardPaths::signInActsOnTheCodeAsTyped()
{
    QProcess *program = m_desktop.launch(programPath("estocarium"), {}, m_folder);
    const QString login = waitForLogin(program);
    QVERIFY(!login.isEmpty());

    // 0002 looked up and its first-access password typed; back in the code field (Shift+Tab
    // selects it), 0001 typed over it, and Alt+E with the focus still there.
    m_desktop.type("0002");
    m_desktop.key({"Tab"});
    m_desktop.type("1");
    m_desktop.key({"shift+Tab"});
    m_desktop.type("0001");
    QVERIFY(m_desktop.screenshot("01-codigo-redigitado.png"));
    m_desktop.key({"alt+e"});

    // "Atenção, senha inválida!": the password was checked against 0001, as typed.
    const QString recusa = nextActive(login);
    QVERIFY(m_desktop.screenshot("02-senha-invalida.png"));
    QVERIFY2(m_desktop.window("^Atenção$").isEmpty(), "the first-access box opened");
    m_desktop.key({"Return"});
    QCOMPARE(nextActive(recusa), login);
    m_desktop.key({"Escape"});
    QVERIFY(program->waitForFinished(20000));
    QCOMPARE(program->exitStatus(), QProcess::NormalExit);

    auto connection = database();
    QCOMPARE(decoded(*connection, "0001", "SENHA"), QStringLiteral("segredo"));
    QCOMPARE(decoded(*connection, "0001", "CONFIRMA"), QStringLiteral("segredo"));
    QCOMPARE(decoded(*connection, "0002", "SENHA"), QStringLiteral("1"));
}

void TestKeyboardPaths::newUserSavedByAcceleratorsFromItsFields()
{
    QProcess *program = m_desktop.launch(programPath("estocarium"), {}, m_folder);
    const QString login = waitForLogin(program);
    QVERIFY(!login.isEmpty());
    m_desktop.type("1");
    m_desktop.key({"Return"});
    m_desktop.type("segredo");
    m_desktop.key({"Return", "Return", "Return"});
    QString main;
    QTRY_VERIFY_WITH_TIMEOUT(!(main = m_desktop.window("Usuário: ")).isEmpty(), 10000);
    QTRY_COMPARE_WITH_TIMEOUT(m_desktop.activeWindow(), main, 10000);

    // "Usuários" > "Usuários", the first menu and its first entry.
    m_desktop.key({"alt"});
    m_desktop.key({"Down", "Return"});
    QString usuarios;
    QTRY_VERIFY_WITH_TIMEOUT(!(usuarios = m_desktop.window("^Usuários - Estocarium$")).isEmpty(), 10000);
    QTRY_COMPARE_WITH_TIMEOUT(m_desktop.activeWindow(), usuarios, 10000);

    // Novo: the code field has the focus and the proposed code 0003.
    m_desktop.key({"alt+n"});
    QTRY_COMPARE_WITH_TIMEOUT(m_desktop.windowName(usuarios),
                              QStringLiteral("Usuários - Estocarium - Incluindo"), 10000);
    m_desktop.key({"ctrl+a"});
    m_desktop.type("ab12");
    QVERIFY(m_desktop.screenshot("03-codigo-digitado.png"));
    // A code with a letter copied from the name field and pasted into the code field.
    m_desktop.key({"Tab"});
    m_desktop.type("A345");
    m_desktop.key({"ctrl+a", "ctrl+c", "shift+Tab", "ctrl+v"});
    QVERIFY(m_desktop.screenshot("04-codigo-colado.png"));

    // Name and CPF, then back to the name to finish it, and Alt+S from there.
    m_desktop.key({"Tab"});
    m_desktop.type("maria da silva");
    m_desktop.key({"Tab"});
    m_desktop.type("52998224725");
    m_desktop.key({"shift+Tab", "End"});
    m_desktop.type(" souza");
    QVERIFY(m_desktop.screenshot("05-nome-no-campo.png"));
    m_desktop.key({"alt+s"});
    QTRY_COMPARE_WITH_TIMEOUT(m_desktop.windowName(usuarios), QStringLiteral("Usuários - Estocarium"), 10000);
    QCOMPARE(m_desktop.activeWindow(), usuarios); // no message came up
    QVERIFY(m_desktop.screenshot("06-salvo.png"));

    // Fechar; the program says it restarts and ends.
    // The main window may be active for a moment between the two.
    m_desktop.key({"alt+f"});
    QString reinicio;
    QTRY_VERIFY_WITH_TIMEOUT(
        !(reinicio = m_desktop.activeWindow()).isEmpty() && reinicio != usuarios && reinicio != main, 10000);
    QVERIFY(m_desktop.screenshot("07-reinicio.png"));
    m_desktop.key({"Return"});
    QVERIFY(program->waitForFinished(20000));
    QCOMPARE(program->exitStatus(), QProcess::NormalExit);

    auto connection = database();
    SqlQuery query(connection.get());
    query.setSql(
        "SELECT U.USUARIO, U.CPF, U.DIGITADO, A.CPF || ' - ' || A.USUARIO AS CARIMBO "
        "FROM USUARIOS_ESTOC U JOIN USUARIOS_ESTOC A ON A.IDUSUARIO = '0001' WHERE U.IDUSUARIO = '0345'");
    query.open();
    QCOMPARE(query.rowCount(), 1);
    QCOMPARE(query.value(0, "USUARIO").toString(), QStringLiteral("MARIA DA SILVA SOUZA"));
    QCOMPARE(query.value(0, "CPF").toString(), QStringLiteral("529.982.247-25"));
    QCOMPARE(query.value(0, "DIGITADO").toString(), query.value(0, "CARIMBO").toString());
    QCOMPARE(decoded(*connection, "0345", "SENHA"), QStringLiteral("1"));
}

QTEST_GUILESS_MAIN(TestKeyboardPaths)
#include "tst_keyboardpaths.moc"
