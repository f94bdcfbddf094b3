#include "X11Desktop.h"
#include "db/Attachment.h"
#include "db/SqlQuery.h"
#include "shell/TdmPrincipal.h"
#include "shell/uTotal.h"
#include "shell/ui/ConnectionSetup.h"

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
    QTest::newRow("report") << QStringList{"report", "usuarios", "{folder}",      "--format",
                                           "csv",    "--out",    "{folder}/u.csv"};
    QTest::newRow("update") << QStringList{"update", "{folder}"};
}

void TestLocalEngine::toolWorksOnTheDatabaseTheProgramHolds()
{
    QFETCH(QStringList, command);
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
    tool.start(ESTOCARIUM_BUILD_DIR + QStringLiteral("/estocarium-db"), command);
    QVERIFY(tool.waitForFinished(120000));
    const QString output = QString::fromUtf8(tool.readAll());
    QVERIFY2(tool.exitCode() == 0, qPrintable(output));
    QVERIFY2(!output.contains("incompatible"), qPrintable(output));

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
