#include "MissingRequirement.h"
#include "PrivateServer.h"
#include "ProgramPaths.h"
#include "X11Desktop.h"

#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <optional>

// The real program ended from outside: by a signal (kill, a system shutdown, a closed
// terminal) or by losing its X display. Each way it must end promptly, leave no process
// behind and leave the local database free for the next embedded attach. Two programs work
// on one database at once, each on a display of its own.
class TestExitPaths : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void displayLossAndTerminationEndBothPrograms();
    void signalEndsSignedInProgram_data();
    void signalEndsSignedInProgram();
    void signalDuringSplashEndsAtOnce();
    void signalEndsProgramWhileAModalWindowIsOpen();
    void signalEndsProgramHeldUpByItsServer_data();
    void signalEndsProgramHeldUpByItsServer();

private:
    // Starts the program in the shared folder and signs in as 0001; the first sign-in of the
    // suite answers the first-access question.
    QProcess *startSignedIn(X11Desktop &desktop);
    // An embedded attach to the folder's database, as estocarium-db makes it; empty when it
    // worked within 5 s, otherwise what went wrong.
    QString attachFailure() const;

    QTemporaryDir m_lockFolder;
    QTemporaryDir m_tmp;
    QString m_folder;
    QString m_password = QStringLiteral("1");
};

void TestExitPaths::initTestCase()
{
    // Every process of this test uses a lock folder of its own: an engine that spun at exit
    // would hold its init lock, and no other program on the machine must wait for that one.
    QVERIFY(m_lockFolder.isValid());
    qputenv("FIREBIRD_LOCK", QFile::encodeName(m_lockFolder.path()));
    QVERIFY2(missingProgram().isEmpty(), qPrintable(missingProgram()));
    m_folder = m_tmp.path() + "/trabalho";
    const QString created = createWorkingFolder(m_folder);
    QVERIFY2(created.isEmpty(), qPrintable(created));
}

QProcess *TestExitPaths::startSignedIn(X11Desktop &desktop)
{
    QProcess *program = desktop.launch(programPath("estocarium"), {}, m_folder);
    QString login;
    const bool loginShown =
        QTest::qWaitFor(
            [&] { return !(login = desktop.window("^Estocarium / Estocarium - 2017$")).isEmpty(); }, 30000) &&
        QTest::qWaitFor([&] { return desktop.activeWindow() == login; }, 10000);
    if (!loginShown)
        return nullptr;
    desktop.type("1");
    desktop.key({"Return"});
    desktop.type(m_password);
    desktop.key({"Return", "Return", "Return"});
    if (m_password == "1") {
        QString novaSenha;
        if (!QTest::qWaitFor([&] { return !(novaSenha = desktop.window("^Atenção$")).isEmpty(); }, 10000) ||
            !QTest::qWaitFor([&] { return desktop.activeWindow() == novaSenha; }, 10000))
            return nullptr;
        m_password = QStringLiteral("nova");
        desktop.type(m_password);
        desktop.key({"Return"});
    }
    QString main;
    const bool signedIn =
        QTest::qWaitFor([&] { return !(main = desktop.window("Usuário: ")).isEmpty(); }, 10000) &&
        QTest::qWaitFor([&] { return desktop.activeWindow() == main; }, 10000);
    return signedIn ? program : nullptr;
}

QString TestExitPaths::attachFailure() const
{
    QProcess tool;
    tool.setProcessChannelMode(QProcess::MergedChannels);
    tool.start(programPath("estocarium-db"),
               {"report", "usuarios", m_folder, "--format", "csv", "--out", m_tmp.path() + "/usuarios.csv"});
    if (!tool.waitForFinished(5000)) {
        tool.kill();
        tool.waitForFinished();
        return QStringLiteral("no attach within 5 s");
    }
    return tool.exitCode() == 0 ? QString() : QString::fromUtf8(tool.readAll());
}

void TestExitPaths::displayLossAndTerminationEndBothPrograms()
{
    X11Desktop lost(QStringLiteral("exitpaths-display"));
    X11Desktop kept(QStringLiteral("exitpaths-term"));
    for (X11Desktop *desktop : {&lost, &kept}) {
        const QString failure = desktop->start();
        QVERIFY2(failure.isEmpty(), qPrintable(failure));
    }
    QProcess *first = startSignedIn(lost);
    QVERIFY2(first, "the first program did not reach its main window");
    QProcess *second = startSignedIn(kept);
    QVERIFY2(second, "the second program did not reach its main window on the same database");
    QVERIFY(kept.screenshot("01-segundo-programa.png"));

    lost.killDisplay();
    second->terminate();
    QVERIFY2(first->waitForFinished(5000), "the program whose display went away is still running");
    QVERIFY2(second->waitForFinished(5000), "SIGTERM did not end the program");
    QCOMPARE(second->exitStatus(), QProcess::NormalExit);
    QCOMPARE(second->exitCode(), 0);

    const QString failure = attachFailure();
    QVERIFY2(failure.isEmpty(), qPrintable(failure));
}

void TestExitPaths::signalEndsSignedInProgram_data()
{
    QTest::addColumn<int>("signal");
    QTest::newRow("SIGINT") << SIGINT;
    QTest::newRow("SIGHUP") << SIGHUP;
}

void TestExitPaths::signalEndsSignedInProgram()
{
    QFETCH(int, signal);
    X11Desktop desktop(QStringLiteral("exitpaths-signal"));
    const QString started = desktop.start();
    QVERIFY2(started.isEmpty(), qPrintable(started));
    QProcess *program = startSignedIn(desktop);
    QVERIFY2(program, "the program did not reach its main window");

    ::kill(pid_t(program->processId()), signal);
    QVERIFY2(program->waitForFinished(5000), "the signal did not end the program");
    QCOMPARE(program->exitStatus(), QProcess::NormalExit);
    QCOMPARE(program->exitCode(), 0);
    const QString failure = attachFailure();
    QVERIFY2(failure.isEmpty(), qPrintable(failure));
}

void TestExitPaths::signalDuringSplashEndsAtOnce()
{
    X11Desktop desktop(QStringLiteral("exitpaths-splash"));
    const QString started = desktop.start();
    QVERIFY2(started.isEmpty(), qPrintable(started));
    QProcess *program = desktop.launch(programPath("estocarium"), {}, m_folder);
    QTRY_VERIFY_WITH_TIMEOUT(!desktop.window("^Estocarium$").isEmpty(), 20000);

    // The splash holds the program for 3 s; a termination signal cuts that wait short.
    program->terminate();
    QVERIFY2(program->waitForFinished(2000), "SIGTERM waited for the splash");
    QCOMPARE(program->exitStatus(), QProcess::NormalExit);
    QCOMPARE(program->exitCode(), 0);
}

void TestExitPaths::signalEndsProgramWhileAModalWindowIsOpen()
{
    X11Desktop desktop(QStringLiteral("exitpaths-modal"));
    const QString started = desktop.start();
    QVERIFY2(started.isEmpty(), qPrintable(started));
    QProcess *program = desktop.launch(programPath("estocarium"), {}, m_folder);
    QString login;
    QTRY_VERIFY_WITH_TIMEOUT(!(login = desktop.window("^Estocarium / Estocarium - 2017$")).isEmpty(), 30000);
    QTRY_COMPARE_WITH_TIMEOUT(desktop.activeWindow(), login, 10000);

    // The login dialog runs its own loop; nobody is there to close it for the signal.
    program->terminate();
    QVERIFY2(program->waitForFinished(2000), "SIGTERM waited for the login dialog to be closed");
    QCOMPARE(program->exitStatus(), QProcess::NormalExit);
    QCOMPARE(program->exitCode(), 0);
    const QString failure = attachFailure();
    QVERIFY2(failure.isEmpty(), qPrintable(failure));
}

void TestExitPaths::signalEndsProgramHeldUpByItsServer_data()
{
    QTest::addColumn<bool>("refused");
    QTest::newRow("server stopped: attaching until the connect timeout") << false;
    QTest::newRow("connection refused: its message shown before the main loop") << true;
}

void TestExitPaths::signalEndsProgramHeldUpByItsServer()
{
    QFETCH(bool, refused);
    // Nothing listens on port 1: the refusal comes at once.
    QString host = QStringLiteral("localhost/1");
    std::optional<PrivateServer> server;
    if (!refused) {
        server.emplace();
        if (!server->failure().isEmpty())
            SKIP_FOR_MISSING(QStringLiteral("no private Firebird server: ") + server->failure());
        host = server->host();
    }
    const QString folder = m_tmp.path() + "/rede";
    if (!QFile::exists(folder + "/clientes.ini")) {
        const QString created = createWorkingFolder(folder);
        QVERIFY2(created.isEmpty(), qPrintable(created));
    }
    QFile ini(folder + "/clientes.ini");
    QVERIFY(ini.open(QIODevice::ReadOnly));
    QString settings = QString::fromUtf8(ini.readAll());
    ini.close();
    settings.replace(QRegularExpression("(?m)^rede=.*$"), "rede=1");
    settings.replace(QRegularExpression("(?m)^ipnome=.*$"), "ipnome=" + host);
    QVERIFY(ini.open(QIODevice::WriteOnly | QIODevice::Truncate));
    ini.write(settings.toUtf8());
    ini.close();

    X11Desktop desktop(QStringLiteral("exitpaths-server"));
    const QString started = desktop.start();
    QVERIFY2(started.isEmpty(), qPrintable(started));
    QProcessEnvironment env = desktop.environment();
    env.insert("ESTOCARIUM_SPLASH_MS", "0");
    if (server)
        server->pause();
    QProcess *program = desktop.launch(programPath("estocarium"), {}, folder, env);
    if (refused) {
        QTRY_VERIFY_WITH_TIMEOUT(desktop.windowName(desktop.activeWindow()) == "Estocarium", 20000);
        QVERIFY(desktop.screenshot("servidor-recusou.png"));
    } else {
        QTRY_VERIFY_WITH_TIMEOUT(!desktop.window("^Estocarium$").isEmpty(), 20000);
    }

    program->terminate();
    const bool ended = program->waitForFinished(2000);
    if (server)
        server->resume();
    QVERIFY2(ended, "SIGTERM waited for the server");
    QCOMPARE(program->exitStatus(), QProcess::NormalExit);
    QCOMPARE(program->exitCode(), 0);
}

QTEST_GUILESS_MAIN(TestExitPaths)
#include "tst_exitpaths.moc"
