#include "MissingRequirement.h"
#include "PrivateServer.h"
#include "TestDatabase.h"

#include "session/ConnectionOpening.h"
#include "session/DatabaseFailure.h"
#include "session/uTotal.h"
#include "widgets/Termination.h"

#include <QTest>
#include <arpa/inet.h>
#include <memory>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

namespace
{

// A loopback port held bound but never listening: every connection to it is refused, and no
// other program can take it while the test runs.
class RefusingPort
{
public:
    RefusingPort() : m_socket(::socket(AF_INET, SOCK_STREAM, 0))
    {
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t length = sizeof address;
        if (::bind(m_socket, reinterpret_cast<sockaddr *>(&address), sizeof address) == 0 &&
            ::getsockname(m_socket, reinterpret_cast<sockaddr *>(&address), &length) == 0)
            m_port = ntohs(address.sin_port);
    }
    ~RefusingPort() { ::close(m_socket); }
    RefusingPort(const RefusingPort &) = delete;
    RefusingPort &operator=(const RefusingPort &) = delete;

    QString host() const { return QStringLiteral("localhost/%1").arg(m_port); }

private:
    int m_socket;
    int m_port = 0;
};

constexpr int kConnected = -1;
const QString kInternetMessage =
    QStringLiteral("Atenção, procedimento abortado, internet desligada ou problema no seu servidor web");

} // namespace

// Opening the connection in each configured mode, without a window: the outcome says whether it
// opened, the mode's own words for a failure and its cause; nothing is shown and nothing ends.
class TestConnectionOpening : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void outcomeOfEachMode_data();
    void outcomeOfEachMode();

private:
    std::unique_ptr<PrivateServer> m_server;
};

void TestConnectionOpening::initTestCase()
{
    m_server = std::make_unique<PrivateServer>();
}

void TestConnectionOpening::outcomeOfEachMode_data()
{
    QTest::addColumn<bool>("web");
    QTest::addColumn<bool>("rede");
    // Where the mode is pointed: "server" (the private server), "refused" (a port nobody
    // listens on), "missing" (the working folder without its database), or "" (as configured).
    QTest::addColumn<QString>("target");
    QTest::addColumn<int>("mode");
    QTest::addColumn<int>("cause"); // kConnected when it opens

    using Cause = DatabaseFailure::Cause;
    QTest::newRow("local") << false << false << "" << int(ModoConexao::Local) << kConnected;
    QTest::newRow("local, no database file")
        << false << false << "missing" << int(ModoConexao::Local) << int(Cause::FileMissing);
    QTest::newRow("network") << false << true << "server" << int(ModoConexao::Rede) << kConnected;
    QTest::newRow("network, server unreachable")
        << false << true << "refused" << int(ModoConexao::Rede) << int(Cause::ServerUnreachable);
    QTest::newRow("internet, no database path")
        << true << false << "" << int(ModoConexao::Internet) << int(Cause::FileMissing);
    QTest::newRow("internet, server unreachable")
        << true << false << "refused" << int(ModoConexao::Internet) << int(Cause::ServerUnreachable);
    QTest::newRow("internet, server refuses SYSDBA without password")
        << true << false << "server" << int(ModoConexao::Internet) << int(Cause::WrongPassword);
    QTest::newRow("web and rede both set: internet")
        << true << true << "refused" << int(ModoConexao::Internet) << int(Cause::ServerUnreachable);
}

void TestConnectionOpening::outcomeOfEachMode()
{
    QFETCH(bool, web);
    QFETCH(bool, rede);
    QFETCH(QString, target);
    QFETCH(int, mode);
    QFETCH(int, cause);

    if (target == QLatin1String("server") && !m_server->failure().isEmpty())
        SKIP_FOR_MISSING(QStringLiteral("no private Firebird server: ") + m_server->failure());
    TestDatabase db;
    const RefusingPort refusing;
    if (target == QLatin1String("missing"))
        QVERIFY(QFile::remove(db.path()));
    const QString host = target == QLatin1String("server")    ? m_server->host()
                         : target == QLatin1String("refused") ? refusing.host()
                                                              : QString();
    Sistema_na_WEB = web;
    Sistema_na_Rede = rede;
    Rede_IP_NOME = host;
    Rede_2_Pontos = host.isEmpty() ? QString() : QStringLiteral(":");
    Rede_Caminho = host.isEmpty() ? QString() : host + QStringLiteral(":") + db.path();
    DiretorioCorrente.clear();
    resetTermination();

    SqlConnection &connection = *db.connection();
    const ConnectionOutcome outcome = openConfiguredConnection(connection);

    QCOMPARE(int(outcome.mode), mode);
    QCOMPARE(DiretorioCorrente, db.folder());
    QCOMPARE(outcome.connected, cause == kConnected);
    QCOMPARE(connection.isConnected(), outcome.connected);
    QCOMPARE(outcome.cause.has_value(), !outcome.connected);
    if (outcome.cause)
        QCOMPARE(int(DatabaseFailure::causeOf(*outcome.cause)), cause);
    // Only the internet mode has words of its own for a failure; the others leave the database's.
    const bool internetFailure = !outcome.connected && mode == int(ModoConexao::Internet);
    QCOMPARE(outcome.message, internetFailure ? kInternetMessage : QString());
    QCOMPARE(connection.param(QStringLiteral("Password")).isEmpty(), mode == int(ModoConexao::Internet));
    QVERIFY(!terminationRequested());
}

QTEST_GUILESS_MAIN(TestConnectionOpening)
#include "tst_connectionopening.moc"
