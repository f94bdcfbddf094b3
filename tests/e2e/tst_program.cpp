#include "ProgramPaths.h"
#include "X11Desktop.h"
#include "common/PasswordEncoding.h"
#include "db/SqlConnection.h"
#include "db/SqlQuery.h"
#include "session/uTotal.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

// The real program on a virtual X display with a window manager, driven by keyboard alone:
// splash, sign-in with first access, main window, exit. Screenshots of each step are kept in
// <build>/e2e-artifacts/program.
class TestProgram : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void cleanup();
    void signsInByKeyboardAndExits();

private:
    QTemporaryDir m_tmp;
    X11Desktop m_desktop{QStringLiteral("program")};
};

void TestProgram::initTestCase()
{
    QVERIFY2(missingProgram().isEmpty(), qPrintable(missingProgram()));
    const QString failure = m_desktop.start();
    QVERIFY2(failure.isEmpty(), qPrintable(failure));
}

void TestProgram::cleanup()
{
    m_desktop.recordIfFailed();
}

void TestProgram::cleanupTestCase()
{
    m_desktop.stop();
}

void TestProgram::signsInByKeyboardAndExits()
{
    const QString folder = m_tmp.path() + "/trabalho";
    const QString created = createWorkingFolder(folder);
    QVERIFY2(created.isEmpty(), qPrintable(created));

    QProcess *program = m_desktop.launch(programPath("estocarium"), {}, folder);

    // The splash: borderless, 493 x 370, centred, for three seconds.
    QString splash;
    QTRY_VERIFY_WITH_TIMEOUT(!(splash = m_desktop.window("^Estocarium$")).isEmpty(), 20000);
    const QString geometry = m_desktop.x("xdotool", {"getwindowgeometry", splash});
    QVERIFY2(geometry.contains("Geometry: 493x370") && geometry.contains("Position: 393,215"),
             qPrintable(geometry));
    QVERIFY(m_desktop.screenshot("01-abertura.png"));

    // The login dialog, once the main window has been activated, with the splash gone.
    QString login;
    QTRY_VERIFY_WITH_TIMEOUT(!(login = m_desktop.window("^Estocarium / Estocarium - 2017$")).isEmpty(),
                             30000);
    QTRY_COMPARE_WITH_TIMEOUT(m_desktop.activeWindow(), login, 10000);
    QVERIFY(m_desktop.window("^Estocarium$").isEmpty());
    m_desktop.type("1");
    m_desktop.key({"Return"});
    m_desktop.type("1");
    QVERIFY(m_desktop.screenshot("02-acesso.png"));
    m_desktop.key({"Return", "Return", "Return"});

    // First access: the new password, with a quote in it.
    QString novaSenha;
    QTRY_VERIFY_WITH_TIMEOUT(!(novaSenha = m_desktop.window("^Atenção$")).isEmpty(), 10000);
    QTRY_COMPARE_WITH_TIMEOUT(m_desktop.activeWindow(), novaSenha, 10000);
    m_desktop.type("nova'1");
    QVERIFY(m_desktop.screenshot("03-nova-senha.png"));
    m_desktop.key({"Return"});

    // Signed in: the title carries the period and the administrator.
    const QRegularExpression signedIn(
        "^Estocarium / Estocarium - 2017 \\| PREFEITURA MUNICIPAL DE SERRA DOURADA - 12/2018 \\| "
        "Usuário: \\d{3}\\.\\d{3}\\.\\d{3}-\\d{2} - ADMINISTRADOR   \\* ADMINISTRADOR \\*   $");
    QString main;
    QTRY_VERIFY_WITH_TIMEOUT(!(main = m_desktop.window("Usuário: ")).isEmpty(), 10000);
    QTRY_COMPARE_WITH_TIMEOUT(m_desktop.activeWindow(), main, 10000);
    const QString title = m_desktop.x("xdotool", {"getwindowname", main});
    QVERIFY2(signedIn.match(title).hasMatch(), qPrintable(title));
    QVERIFY(m_desktop.x("xprop", {"-id", main, "_NET_WM_STATE"}).contains("_NET_WM_STATE_MAXIMIZED_HORZ"));
    QVERIFY(m_desktop.screenshot("04-principal.png"));

    // "Sair" by keyboard: the menu bar, then the last entry; Yes is the default answer.
    m_desktop.key({"alt"});
    m_desktop.key({"Left", "Return"});
    QString pergunta;
    QTRY_VERIFY_WITH_TIMEOUT(!(pergunta = m_desktop.window("^Estocarium / Estocarium - 2017$")).isEmpty(),
                             10000);
    QTRY_COMPARE_WITH_TIMEOUT(m_desktop.activeWindow(), pergunta, 10000);
    QVERIFY(m_desktop.screenshot("05-sair.png"));
    m_desktop.key({"Return"});
    QVERIFY(program->waitForFinished(20000));
    QCOMPARE(program->exitStatus(), QProcess::NormalExit);
    QCOMPARE(program->exitCode(), 0);

    // The new password reached the database encoded, quote included.
    QDir::setCurrent(folder);
    InicializaSessao();
    SqlConnection connection;
    connection.setParam("Database", folder + "/LICITACAO.FDB");
    connection.setParam("ServerCharSet", "WIN1252");
    SqlQuery query(&connection);
    query.setSql("SELECT SENHA, CONFIRMA FROM USUARIOS_ESTOC WHERE IDUSUARIO = '0001'");
    query.open();
    QCOMPARE(Decodificar(encodedFromColumn(query.value(0, "SENHA").toString()), Chave),
             QStringLiteral("nova'1"));
    QCOMPARE(Decodificar(encodedFromColumn(query.value(0, "CONFIRMA").toString()), Chave),
             QStringLiteral("nova'1"));
    connection.close();
}

QTEST_GUILESS_MAIN(TestProgram)
#include "tst_program.moc"
