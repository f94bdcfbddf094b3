#include "DialogScript.h"
#include "MissingRequirement.h"
#include "PrivateServer.h"
#include "ProgramPaths.h"
#include "TestDatabase.h"

#include "db/SqlConnection.h"
#include "dbmaint/CopiaDeSeguranca.h"
#include "dbmaint/TextosDaCopia.h"
#include "dbmaint/ui/Gauge.h"
#include "dbmaint/ui/TFrm_AtualizaII.h"
#include "dbmaint/ui/TFrm_AtualizarBanco.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>
#include <memory>

// The schema updates against a Firebird server of the test's own that stops answering (SIGSTOP)
// under them: each run ends within the call's bound with the standard message, in both windows
// and in the administrator's tool, instead of waiting for every position in turn or for ever.
class TestUpdateFaults : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void silentServer_stopsTheWindowsRun_data();
    void silentServer_stopsTheWindowsRun();
    void silentServer_stopsTheTool();
    void silentServer_endsTheSafetyCopy();

private:
    std::unique_ptr<PrivateServer> m_server;
    std::unique_ptr<TestDatabase> m_db;
};

namespace
{

constexpr int kAnswerMs = 3000; // the call bound for this suite (ESTOCARIUM_DB_ANSWER_MS)
// The bound, the grace before the connection is cut, and room for a busy machine.
constexpr int kWithinMs = 2 * kAnswerMs + 2000;

const QString kSemResposta =
    QStringLiteral("Atenção, o banco de dados não respondeu em 6 segundos e a operação "
                   "foi cancelada. Confira a rede e o servidor e tente de novo.");

} // namespace

void TestUpdateFaults::init()
{
    m_server = std::make_unique<PrivateServer>();
    if (!m_server->failure().isEmpty())
        SKIP_FOR_MISSING(QStringLiteral("no private Firebird server: ") + m_server->failure());
    m_db = std::make_unique<TestDatabase>();
    m_db->connection()->close();
    m_db->connection()->setParam("Database", m_server->database(m_db->path()));
}

void TestUpdateFaults::cleanup()
{
    if (m_server)
        m_server->resume();
    m_db.reset();
    m_server.reset();
}

void TestUpdateFaults::silentServer_stopsTheWindowsRun_data()
{
    QTest::addColumn<bool>("second");
    // Its first statement waits for the server.
    QTest::newRow("update I") << false;
    // Its first step closes the connection: the detach waits for the server.
    QTest::newRow("update II") << true;
}

void TestUpdateFaults::silentServer_stopsTheWindowsRun()
{
    QFETCH(bool, second);
    std::unique_ptr<CatalogueWindow> window;
    if (second)
        window = std::make_unique<TFrm_AtualizaII>();
    else
        window = std::make_unique<TFrm_AtualizarBanco>();
    window->show();
    m_db->connection()->open();
    DialogScript dialogs;
    m_server->pause();

    QElapsedTimer relogio;
    relogio.start();
    QTest::mouseClick(window->FBAtualiza, Qt::LeftButton);
    const qint64 passado = relogio.elapsed();

    QVERIFY2(passado < kWithinMs, qPrintable(QString::number(passado)));
    QCOMPARE(dialogs.seen().size(), 2);
    QCOMPARE(dialogs.seen().first().kind, Dialogs::Kind::Error);
    QCOMPARE(dialogs.seen().first().text, kSemResposta);
    QVERIFY(!dialogs.seen().first().detail.isEmpty());
    QVERIFY2(dialogs.seen().at(1).text.contains(
                 QStringLiteral("a atualização parou na posição 1: as posições 1 a %1 "
                                "não foram concluídas.")
                     .arg(second ? 28 : 106)),
             qPrintable(dialogs.seen().at(1).text));
    QVERIFY(!window->FBAtualiza->isEnabled() && !window->FBSair->isEnabled());

    // The server answers again: the next run, in a new window as after the restart, goes through.
    m_server->resume();
    window.reset();
    dialogs.clear();
    TFrm_AtualizarBanco again;
    again.show();
    QTest::mouseClick(again.FBAtualiza, Qt::LeftButton);
    QVERIFY2(dialogs.seen().isEmpty(), qPrintable(dialogs.texts().join(" | ")));
    QVERIFY(again.FBAtualiza->isEnabled());
}

void TestUpdateFaults::silentServer_stopsTheTool()
{
    const QString program = programPath(QStringLiteral("estocarium-db"));
    QVERIFY2(QFile::exists(program), qPrintable(program));
    m_db->connection()->close();
    QProcess tool;
    tool.start(program, {"update", m_db->folder(), "--servidor", m_server->host()});
    QVERIFY(tool.waitForStarted());
    // Somewhere in the middle of update I.
    QByteArray out;
    while (!out.contains("\nI.20 ")) {
        QVERIFY2(tool.waitForReadyRead(30000), out.constData());
        out += tool.readAllStandardOutput();
    }
    m_server->pause();
    QElapsedTimer relogio;
    relogio.start();
    QVERIFY(tool.waitForFinished(60000));
    const qint64 passado = relogio.elapsed();
    out += tool.readAllStandardOutput();
    const QString err = QString::fromUtf8(tool.readAllStandardError());

    QVERIFY2(passado < kWithinMs, qPrintable(QString::number(passado)));
    QCOMPARE(tool.exitStatus(), QProcess::NormalExit);
    QCOMPARE(tool.exitCode(), 1);
    QVERIFY2(err.contains(kSemResposta), qPrintable(err));
    const QString text = QString::fromUtf8(out);
    QVERIFY2(text.contains(
                 QRegularExpression("a atualização parou na posição \\d+: as posições \\d+ a 106 não foram "
                                    "concluídas")),
             qPrintable(text));
    QVERIFY2(!text.contains("Atualização II"), qPrintable(text));
}

// The backup service has no cancel: a server that stops answering while it takes the copy must
// still let the run end within the call's bound, with the standard message.
void TestUpdateFaults::silentServer_endsTheSafetyCopy()
{
    const QString copia = CopiaDeSeguranca::caminhoPara(m_db->path(), QDateTime::currentDateTime());
    m_server->pause();
    QElapsedTimer relogio;
    relogio.start();
    try {
        CopiaDeSeguranca::faz(*m_db->connection(), copia);
        QFAIL("a copy was reported made by a server that does not answer");
    } catch (const fb::Error &error) {
        const qint64 passado = relogio.elapsed();
        QVERIFY2(passado < kWithinMs, qPrintable(QString::number(passado)));
        QVERIFY(error.timedOut());
        const QString text = textoDaFalhaDaCopia(copia, error);
        QVERIFY2(text.contains(kSemResposta), qPrintable(text));
    }
}

int main(int argc, char *argv[])
{
    qputenv("ESTOCARIUM_DB_ANSWER_MS", QByteArray::number(kAnswerMs));
    QApplication app(argc, argv);
    TestUpdateFaults test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "tst_updatefaults.moc"
