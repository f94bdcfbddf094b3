#include "DialogScript.h"
#include "MissingRequirement.h"
#include "PrivateServer.h"
#include "TestDatabase.h"

#include "db/FbError.h"
#include "db/SqlQuery.h"
#include "session/TdmPrincipal.h"
#include "session/uTotal.h"
#include "shell/ConnectionSetup.h"
#include "widgets/Termination.h"

#include <QTest>
#include <QTimer>

// The three connection modes, each against a real database: the embedded engine for local
// mode, a private server on loopback for network and internet modes.
class TestConnection : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void modeSelection_data();
    void modeSelection();
    void localModeOpensTheWorkingFolderFile();
    void localModeWithoutDatabaseReportsTheEngineText();
    void networkModeGoesThroughTheServer();
    void internetModeSendsNoPassword();
    void internetFailureShowsMessageAndEnds_data();
    void internetFailureShowsMessageAndEnds();
    void emptyValueRemovesParameter();

private:
    static QString remoteProtocol(SqlConnection *connection);

    std::unique_ptr<PrivateServer> m_server;
};

void TestConnection::initTestCase()
{
    m_server = std::make_unique<PrivateServer>();
}

void TestConnection::init()
{
    Sistema_na_WEB = false;
    Sistema_na_Rede = false;
    Rede_IP_NOME.clear();
    Rede_2_Pontos.clear();
    Rede_Caminho.clear();
    resetTermination();
}

QString TestConnection::remoteProtocol(SqlConnection *connection)
{
    SqlQuery query(connection);
    query.setSql(
        "SELECT MON$REMOTE_PROTOCOL FROM MON$ATTACHMENTS WHERE MON$ATTACHMENT_ID = CURRENT_CONNECTION");
    query.open();
    return query.value(0, 0).toString().trimmed();
}

void TestConnection::modeSelection_data()
{
    QTest::addColumn<bool>("web");
    QTest::addColumn<bool>("rede");
    QTest::addColumn<int>("mode");
    QTest::newRow("neither") << false << false << int(ModoConexao::Local);
    QTest::newRow("rede") << false << true << int(ModoConexao::Rede);
    QTest::newRow("web") << true << false << int(ModoConexao::Internet);
    QTest::newRow("both: internet wins") << true << true << int(ModoConexao::Internet);
}

void TestConnection::modeSelection()
{
    QFETCH(bool, web);
    QFETCH(bool, rede);
    Sistema_na_WEB = web;
    Sistema_na_Rede = rede;
    QTEST(int(modoConexao()), "mode");
}

void TestConnection::localModeOpensTheWorkingFolderFile()
{
    TestDatabase db;
    QVERIFY(ConfiguraConexao());
    SqlConnection *connection = dmPrincipal->NimboConnection;
    QVERIFY(connection->isConnected());
    QCOMPARE(connection->param("Database"), db.folder() + "/LICITACAO.FDB");
    QCOMPARE(connection->param("User_Name"), QStringLiteral("sysdba"));
    QCOMPARE(connection->param("Password"), QStringLiteral("quartzite"));
    QCOMPARE(connection->param("ServerCharSet"), QStringLiteral("WIN1252"));
    QCOMPARE(connection->param("SQLDialect"), QStringLiteral("3"));
    QVERIFY(remoteProtocol(connection).isEmpty()); // embedded: no wire protocol
}

void TestConnection::localModeWithoutDatabaseReportsTheEngineText()
{
    TestDatabase db;
    QFile::remove(db.path());
    try {
        ConfiguraConexao();
        QFAIL("opened a database that does not exist");
    } catch (const fb::Error &e) {
        QVERIFY2(e.text().contains("LICITACAO.FDB"), qPrintable(e.text()));
    }
    // A later query tries again and fails the same way.
    SqlQuery query(dmPrincipal->NimboConnection);
    query.setSql("SELECT 1 FROM RDB$DATABASE");
    QVERIFY_THROWS_EXCEPTION(fb::Error, query.open());
    QVERIFY(!terminationRequested());
}

void TestConnection::networkModeGoesThroughTheServer()
{
    if (!m_server->failure().isEmpty())
        SKIP_FOR_MISSING(QStringLiteral("no private Firebird server: ") + m_server->failure());
    TestDatabase db;
    Sistema_na_Rede = true;
    Rede_IP_NOME = m_server->host();
    Rede_2_Pontos = ":";
    QVERIFY(ConfiguraConexao());
    SqlConnection *connection = dmPrincipal->NimboConnection;
    QCOMPARE(connection->param("Database"), m_server->database(db.folder() + "/LICITACAO.FDB"));
    QVERIFY(remoteProtocol(connection).startsWith("TCP"));
    SqlQuery query(connection);
    query.setSql(
        "SELECT CS.RDB$CHARACTER_SET_NAME FROM MON$ATTACHMENTS A JOIN RDB$CHARACTER_SETS CS "
        "ON CS.RDB$CHARACTER_SET_ID = A.MON$CHARACTER_SET_ID WHERE A.MON$ATTACHMENT_ID = CURRENT_CONNECTION");
    query.open();
    QCOMPARE(query.value(0, 0).toString().trimmed(), QStringLiteral("WIN1252"));
}

void TestConnection::internetModeSendsNoPassword()
{
    TestDatabase db;
    DialogScript dialogs;
    Sistema_na_WEB = true;
    Sistema_na_Rede = true;
    ConfiguraConexao();
    SqlConnection *connection = dmPrincipal->NimboConnection;
    QCOMPARE(connection->param("User_Name"), QStringLiteral("SYSDBA"));
    for (const auto &entry : connection->params())
        QVERIFY2(entry.first != "Password", "a password entry is still sent");
}

void TestConnection::internetFailureShowsMessageAndEnds_data()
{
    QTest::addColumn<bool>("needsServer");
    QTest::newRow("no database path") << false;
    QTest::newRow("server refuses SYSDBA without password") << true;
}

void TestConnection::internetFailureShowsMessageAndEnds()
{
    QFETCH(bool, needsServer);
    if (needsServer && !m_server->failure().isEmpty())
        SKIP_FOR_MISSING(QStringLiteral("no private Firebird server: ") + m_server->failure());
    TestDatabase db;
    DialogScript dialogs;
    Sistema_na_WEB = true;
    if (needsServer)
        Rede_Caminho = m_server->database(db.path());
    QVERIFY(!ConfiguraConexao());
    QCOMPARE(
        dialogs.onlyText(),
        QStringLiteral("Atenção, procedimento abortado, internet desligada ou problema no seu servidor web"));
    QVERIFY(terminationRequested());
    // Requested before the loop runs: the loop ends at its first turn.
    QTimer watchdog;
    watchdog.setSingleShot(true);
    bool timedOut = false;
    connect(&watchdog, &QTimer::timeout, [&] {
        timedOut = true;
        QCoreApplication::exit(1);
    });
    watchdog.start(5000);
    QCOMPARE(QCoreApplication::exec(), 0);
    QVERIFY(!timedOut);
}

void TestConnection::emptyValueRemovesParameter()
{
    SqlConnection connection;
    const auto before = connection.params().size();
    connection.setParam("ServerCharSet", "WIN1252");
    QCOMPARE(connection.params().size(), before + 1);
    QCOMPARE(connection.params().last().first, QStringLiteral("ServerCharSet"));
    connection.setParam("Password", "");
    QCOMPARE(connection.params().size(), before);
    QCOMPARE(connection.param("Password"), QString());
}

QTEST_GUILESS_MAIN(TestConnection)
#include "tst_connection.moc"
