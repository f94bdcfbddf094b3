#include "common/PasswordEncoding.h"
#include "shell/SqlConnection.h"
#include "shell/SqlQuery.h"
#include "shell/uTotal.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

// The real program on a virtual X display with a window manager, driven by keyboard alone:
// splash, sign-in with first access, main window, exit. Screenshots of each step are kept in
// <build>/e2e-artifacts.
class TestProgram : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void signsInByKeyboardAndExits();

private:
    QProcessEnvironment displayEnvironment() const;
    // Runs an X client to its end; its standard output without the final line break.
    QString x(const QString &program, const QStringList &args, int *exitCode = nullptr) const;
    // The id of the one visible window whose whole name matches pattern, or empty.
    QString window(const QString &pattern) const;
    QString activeWindow() const { return x("xdotool", {"getactivewindow"}); }
    void key(const QStringList &keys) const { x("xdotool", QStringList{"key", "--delay", "50"} + keys); }
    void type(const QString &text) const { x("xdotool", {"type", "--delay", "50", text}); }
    void screenshot(const QString &name) const;
    std::unique_ptr<QProcess> start(const QString &program, const QStringList &args, const QString &folder = {});

    QTemporaryDir m_tmp;
    QString m_display;
    QString m_artifacts;
    std::unique_ptr<QProcess> m_xvfb;
    std::unique_ptr<QProcess> m_wm;
    std::unique_ptr<QProcess> m_program;
};

QProcessEnvironment TestProgram::displayEnvironment() const
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("DISPLAY", m_display);
    // The ctest settings of the widget tests must not reach the real program.
    env.remove("QT_QPA_PLATFORM");
    env.remove("ESTOCARIUM_SPLASH_MS");
    return env;
}

QString TestProgram::x(const QString &program, const QStringList &args, int *exitCode) const
{
    QProcess process;
    process.setProcessEnvironment(displayEnvironment());
    process.start(program, args);
    process.waitForFinished(20000);
    if (exitCode)
        *exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    QString out = QString::fromUtf8(process.readAllStandardOutput());
    if (out.endsWith('\n'))
        out.chop(1); // a window name keeps its blanks
    return out;
}

QString TestProgram::window(const QString &pattern) const
{
    const QStringList ids = x("xdotool", {"search", "--onlyvisible", "--name", pattern}).split('\n', Qt::SkipEmptyParts);
    return ids.size() == 1 ? ids.first() : QString();
}

void TestProgram::screenshot(const QString &name) const
{
    int code = 0;
    x("import", {"-window", "root", m_artifacts + "/" + name}, &code);
    QVERIFY2(code == 0 && QFile::exists(m_artifacts + "/" + name), qPrintable(name));
}

std::unique_ptr<QProcess> TestProgram::start(const QString &program, const QStringList &args, const QString &folder)
{
    auto process = std::make_unique<QProcess>();
    process->setProcessEnvironment(displayEnvironment());
    process->setProcessChannelMode(QProcess::ForwardedErrorChannel);
    if (!folder.isEmpty())
        process->setWorkingDirectory(folder);
    process->start(program, args);
    if (!process->waitForStarted())
        qWarning("cannot start %s", qPrintable(program));
    return process;
}

void TestProgram::initTestCase()
{
    for (const char *tool : {"Xvfb", "openbox", "xdotool", "import", "xprop"})
        QVERIFY2(!QStandardPaths::findExecutable(tool).isEmpty(), tool); // scripts/setup.sh installs them
    for (const char *program : {"/estocarium", "/estocarium-db"})
        QVERIFY2(QFile::exists(ESTOCARIUM_BUILD_DIR + QString(program)), program);
    m_artifacts = ESTOCARIUM_BUILD_DIR + QString("/e2e-artifacts");
    QDir(m_artifacts).removeRecursively();
    QVERIFY(QDir().mkpath(m_artifacts));

    // Xvfb picks a display number nobody holds and writes it on its standard output.
    m_xvfb = std::make_unique<QProcess>();
    m_xvfb->setProcessChannelMode(QProcess::SeparateChannels);
    m_xvfb->start("Xvfb", {"-displayfd", "1", "-screen", "0", "1280x800x24", "-nolisten", "tcp"});
    QVERIFY2(m_xvfb->waitForStarted(), "cannot start Xvfb");
    QTRY_VERIFY_WITH_TIMEOUT(m_xvfb->canReadLine() || m_xvfb->state() != QProcess::Running, 15000);
    m_display = ":" + QString::fromLatin1(m_xvfb->readLine()).trimmed();
    if (m_display == ":")
        m_xvfb.reset();
    QVERIFY2(m_xvfb, "no free X display");

    m_wm = start("openbox", {});
    QTRY_VERIFY2_WITH_TIMEOUT(x("xprop", {"-root", "_NET_SUPPORTING_WM_CHECK"}).contains("window id"),
                              qPrintable(QString("window manager on %1 %2, exit code %3")
                                             .arg(m_display)
                                             .arg(m_wm->state() == QProcess::Running ? "running" : "ended")
                                             .arg(m_wm->exitCode())),
                              15000);
}

void TestProgram::cleanupTestCase()
{
    for (auto *process : {m_program.get(), m_wm.get(), m_xvfb.get()}) {
        if (process && process->state() != QProcess::NotRunning) {
            process->terminate(); // lets Xvfb remove its lock file
            if (!process->waitForFinished(5000)) {
                process->kill();
                process->waitForFinished(5000);
            }
        }
    }
}

void TestProgram::signsInByKeyboardAndExits()
{
    const QString folder = m_tmp.path() + "/trabalho";
    QProcess create;
    create.start(ESTOCARIUM_BUILD_DIR + QString("/estocarium-db"), {"create", folder});
    QVERIFY(create.waitForFinished(120000));
    QCOMPARE(create.exitCode(), 0);

    m_program = start(ESTOCARIUM_BUILD_DIR + QString("/estocarium"), {}, folder);

    // The splash: borderless, 493 x 370, centred, for three seconds.
    QString splash;
    QTRY_VERIFY_WITH_TIMEOUT(!(splash = window("^Estocarium$")).isEmpty(), 20000);
    const QString geometry = x("xdotool", {"getwindowgeometry", splash});
    QVERIFY2(geometry.contains("Geometry: 493x370") && geometry.contains("Position: 393,215"), qPrintable(geometry));
    screenshot("01-abertura.png");

    // The login dialog, once the main window has been activated, with the splash gone.
    QString login;
    QTRY_VERIFY_WITH_TIMEOUT(!(login = window("^Estocarium / Estocarium - 2017$")).isEmpty(), 30000);
    QTRY_COMPARE_WITH_TIMEOUT(activeWindow(), login, 10000);
    QVERIFY(window("^Estocarium$").isEmpty());
    type("1");
    key({"Return"});
    type("1");
    screenshot("02-acesso.png");
    key({"Return", "Return", "Return"});

    // First access: the new password, with a quote in it.
    QString novaSenha;
    QTRY_VERIFY_WITH_TIMEOUT(!(novaSenha = window("^Atenção$")).isEmpty(), 10000);
    QTRY_COMPARE_WITH_TIMEOUT(activeWindow(), novaSenha, 10000);
    type("nova'1");
    screenshot("03-nova-senha.png");
    key({"Return"});

    // Signed in: the title carries the period and the administrator.
    const QRegularExpression signedIn(
        "^Estocarium / Estocarium - 2017 \\| PREFEITURA MUNICIPAL DE SERRA DOURADA - 12/2018 \\| "
        "Usuário: \\d{3}\\.\\d{3}\\.\\d{3}-\\d{2} - ADMINISTRADOR   \\* ADMINISTRADOR \\*   $");
    QString main;
    QTRY_VERIFY_WITH_TIMEOUT(!(main = window("Usuário: ")).isEmpty(), 10000);
    QTRY_COMPARE_WITH_TIMEOUT(activeWindow(), main, 10000);
    const QString title = x("xdotool", {"getwindowname", main});
    QVERIFY2(signedIn.match(title).hasMatch(), qPrintable(title));
    QVERIFY(x("xprop", {"-id", main, "_NET_WM_STATE"}).contains("_NET_WM_STATE_MAXIMIZED_HORZ"));
    screenshot("04-principal.png");

    // "Sair" by keyboard: the menu bar, then the last entry; Yes is the default answer.
    key({"alt"});
    key({"Left", "Return"});
    QString pergunta;
    QTRY_VERIFY_WITH_TIMEOUT(!(pergunta = window("^Estocarium / Estocarium - 2017$")).isEmpty(), 10000);
    QTRY_COMPARE_WITH_TIMEOUT(activeWindow(), pergunta, 10000);
    screenshot("05-sair.png");
    key({"Return"});
    QVERIFY(m_program->waitForFinished(20000));
    QCOMPARE(m_program->exitStatus(), QProcess::NormalExit);
    QCOMPARE(m_program->exitCode(), 0);

    // The new password reached the database encoded, quote included.
    QDir::setCurrent(folder);
    InicializaSessao();
    SqlConnection connection;
    connection.setParam("Database", folder + "/LICITACAO.FDB");
    connection.setParam("ServerCharSet", "WIN1252");
    SqlQuery query(&connection);
    query.setSql("SELECT SENHA, CONFIRMA FROM USUARIOS_ESTOC WHERE IDUSUARIO = '0001'");
    query.open();
    QCOMPARE(Decodificar(encodedFromColumn(query.value(0, "SENHA").toString()), Chave), QStringLiteral("nova'1"));
    QCOMPARE(Decodificar(encodedFromColumn(query.value(0, "CONFIRMA").toString()), Chave), QStringLiteral("nova'1"));
    connection.close();
}

QTEST_GUILESS_MAIN(TestProgram)
#include "tst_program.moc"
