#include "X11Desktop.h"
#include "db/Attachment.h"
#include "db/SqlQuery.h"
#include "session/TdmPrincipal.h"
#include "session/uTotal.h"
#include "shell/ConnectionSetup.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <thread>

// The embedded engine as this program's processes use it on one workstation: one local
// database open in several processes at once, and a detach that always comes back.
class TestLocalEngine : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void toolWorksOnTheDatabaseTheProgramHolds_data();
    void toolWorksOnTheDatabaseTheProgramHolds();
    void detachReturnsAfterAnInterruptedCall();

private:
    QTemporaryDir m_lockFolder;
};

void TestLocalEngine::initTestCase()
{
    // A lock folder of this test's own (the tools it starts inherit it): an engine that spins
    // here holds its init lock, and no other program on the machine waits for that one.
    QVERIFY(m_lockFolder.isValid());
    qputenv("FIREBIRD_LOCK", QFile::encodeName(m_lockFolder.path()));
}

void TestLocalEngine::toolWorksOnTheDatabaseTheProgramHolds_data()
{
    QTest::addColumn<QStringList>("command");
    // Where the tool may write its engine configuration: "cache" its usual folder, "runtime" only
    // the runtime folder (a home that cannot be written), "nowhere" neither.
    QTest::addColumn<QString>("writable");
    const QStringList report{"report", "usuarios", "{folder}", "--format", "csv", "--out", "{folder}/u.csv"};
    const QStringList update{"update", "{folder}"};
    QTest::newRow("report") << report << "cache";
    QTest::newRow("update") << update << "cache";
    QTest::newRow("report, home not writable") << report << "runtime";
    QTest::newRow("update, home not writable") << update << "runtime";
    QTest::newRow("report, nowhere to write") << report << "nowhere";
}

void TestLocalEngine::toolWorksOnTheDatabaseTheProgramHolds()
{
    QFETCH(QStringList, command);
    QFETCH(QString, writable);
    QTemporaryDir tmp;
    const QString folder = tmp.path() + "/trabalho";
    const QString created = createWorkingFolder(folder);
    QVERIFY2(created.isEmpty(), qPrintable(created));

    // The program's connection, set up in local mode from the folder's clientes.ini.
    const QString previousDir = QDir::currentPath();
    QDir::setCurrent(folder);
    InicializaSessao();
    TdmPrincipal module;
    dmPrincipal = &module;
    QVERIFY(ConfiguraConexao());
    SqlQuery query(module.NimboConnection);
    query.setSql("SELECT USUARIO FROM USUARIOS_ESTOC WHERE IDUSUARIO = '0001'");
    query.open();
    QCOMPARE(query.rowCount(), 1);

    command.replaceInStrings("{folder}", folder);
    QProcess tool;
    tool.setProcessChannelMode(QProcess::MergedChannels);
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    if (writable != "cache") {
        // A file where the home folder should be: nothing can be made below it.
        environment.insert("HOME", "/dev/null");
        environment.remove("XDG_CACHE_HOME");
        environment.remove("FIREBIRD"); // this process's, which the tool would take as given
        QVERIFY(QDir().mkpath(tmp.path() + "/runtime"));
        QFile::setPermissions(tmp.path() + "/runtime",
                              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        environment.insert("XDG_RUNTIME_DIR", writable == "runtime" ? tmp.path() + "/runtime" : "/dev/null");
        if (writable == "nowhere")
            environment.insert("TMPDIR", "/dev/null"); // where Qt makes a runtime folder of its own
    }
    tool.setProcessEnvironment(environment);
    tool.start(ESTOCARIUM_BUILD_DIR + QStringLiteral("/estocarium-db"), command);
    QVERIFY(tool.waitForFinished(120000));
    const QString output = QString::fromUtf8(tool.readAll());
    const QString warning = "Atenção, não foi possível gravar a configuração do Firebird deste programa";
    if (writable == "nowhere") {
        // Told what it means, and then refused the file the program holds.
        QVERIFY2(output.contains(warning), qPrintable(output));
        QVERIFY2(output.contains("está em uso por outro programa"), qPrintable(output));
        QVERIFY(tool.exitCode() != 0);
    } else {
        QVERIFY2(tool.exitCode() == 0, qPrintable(output));
        QVERIFY2(!output.contains("incompatible") && !output.contains(warning), qPrintable(output));
    }
    if (writable == "runtime")
        QVERIFY(QFile::exists(tmp.path() + "/runtime/estocarium/firebird/firebird.conf"));

    // The program's connection is still good afterwards.
    query.close();
    query.open();
    QCOMPARE(query.rowCount(), 1);
    module.NimboConnection->close();
    dmPrincipal = nullptr;
    QDir::setCurrent(previousDir);
}

void TestLocalEngine::detachReturnsAfterAnInterruptedCall()
{
    QTemporaryDir tmp;
    const QString path = tmp.path() + "/LICITACAO.FDB";
    fb::Attachment attachment;
    fb::CreateOptions options;
    options.forcedWrites = false;
    attachment.create(path, fb::AttachOptions{}, options);

    // A signal that interrupted the last blocking call leaves EINTR in errno. Should the detach
    // spin in the engine, nothing else ends this program: the watchdog does, as a failure.
    std::atomic<bool> returned = false;
    std::thread watchdog([&returned] {
        for (int i = 0; i < 100 && !returned; ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
        if (!returned) {
            fputs("FAIL: detach did not return within 10 s\n", stderr);
            std::_Exit(1);
        }
    });
    errno = EINTR;
    attachment.detach();
    returned = true;
    watchdog.join();
    QVERIFY(!attachment.isAttached());
}

QTEST_GUILESS_MAIN(TestLocalEngine)
#include "tst_localengine.moc"
