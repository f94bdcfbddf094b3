#include "MissingRequirement.h"
#include "PrivateServer.h"
#include "UsersWindowFixture.h"

#include "session/TdmPrincipal.h"

#include <QProcess>
#include <QProcessEnvironment>
#include <cstdio>

// Two instances of the program in network mode, each a process of its own with its own
// connection through the server, add a user to the same database at the same moment.
class TestUsersNetwork : public QObject
{
    Q_OBJECT

private slots:
    void twoInstancesAddingAtOnceStoreOneUser();
};

namespace
{

const char *const kInstanceVariable = "ESTOCARIUM_USERS_INSTANCE";

// One instance: opens the window on the database, starts a new user, says it is ready, waits
// for the go, saves, and prints every message it was shown.
int runInstance()
{
    const QStringList args = qEnvironmentVariable(kInstanceVariable).split(u'|');
    const QString &database = args.at(0);
    const QString &folder = args.at(1);
    const QString &name = args.at(2);
    const QString &cpf = args.at(3);

    InicializaSessao();
    Usuario_CPF = kOperadorCPF;
    Usuario_Nome = name;
    TdmPrincipal module;
    dmPrincipal = &module;
    module.NimboConnection->setParam(QStringLiteral("Database"), database);
    module.NimboConnection->setParam(QStringLiteral("ServerCharSet"), QStringLiteral("WIN1252"));

    DialogScript dialogs;
    {
        auto janela = abreJanela();
        clica(janela->Botao_Novo);
        digita(janela->C1J, name);
        digita(janela->K2J, cpf);
        QFile ready(folder + QStringLiteral("/ready-") + name);
        ready.open(QIODevice::WriteOnly);
        ready.close();
        if (!QTest::qWaitFor([&] { return QFile::exists(folder + QStringLiteral("/go")); }, 60000))
            return 2;
        clica(janela->Botao_Salvar);
    }
    for (const QString &text : dialogs.texts())
        std::printf("MSG:%s\n", text.toUtf8().constData());
    return 0;
}

} // namespace

void TestUsersNetwork::twoInstancesAddingAtOnceStoreOneUser()
{
    const PrivateServer server;
    if (!server.failure().isEmpty())
        SKIP_FOR_MISSING(QStringLiteral("no private Firebird server: ") + server.failure());
    UsersDatabase db;
    db.connection()->close();
    const QString database = server.database(db.path());

    const QStringList names = {QStringLiteral("PRIMEIRA"), QStringLiteral("SEGUNDA")};
    const QStringList cpfs = {QStringLiteral("52998224725"), QStringLiteral("12345678909")};
    std::vector<std::unique_ptr<QProcess>> instances;
    for (int i = 0; i < 2; ++i) {
        auto process = std::make_unique<QProcess>();
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(kInstanceVariable,
                           QStringList({database, db.folder(), names.at(i), cpfs.at(i)}).join(u'|'));
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        process->setProcessEnvironment(environment);
        process->start(QCoreApplication::applicationFilePath(), QStringList());
        QVERIFY(process->waitForStarted());
        instances.push_back(std::move(process));
    }
    // An instance that ends before it is ready failed to open the window: its output says why.
    const auto ended = [&instances] {
        for (const auto &process : instances) {
            if (process->state() == QProcess::NotRunning)
                return true;
        }
        return false;
    };
    QTRY_VERIFY_WITH_TIMEOUT(ended() || (QFile::exists(db.folder() + "/ready-PRIMEIRA") &&
                                         QFile::exists(db.folder() + "/ready-SEGUNDA")),
                             60000);
    for (const auto &process : instances) {
        if (process->state() == QProcess::NotRunning) {
            QFAIL(qPrintable(
                QStringLiteral("an instance ended before it was ready: ") +
                QString::fromUtf8(process->readAllStandardError() + process->readAllStandardOutput())));
        }
    }
    QFile go(db.folder() + "/go");
    QVERIFY(go.open(QIODevice::WriteOnly));
    go.close();

    QStringList outputs;
    for (auto &process : instances) {
        QVERIFY(process->waitForFinished(60000));
        QCOMPARE(process->exitCode(), 0);
        outputs << QString::fromUtf8(process->readAllStandardOutput()).trimmed();
    }
    // The second one finds the code taken: a duplicate key.
    const QString refused = QStringLiteral("MSG:Atenção, esse registro já existe, confirme informações!");
    QVERIFY2((outputs.at(0).isEmpty() && outputs.at(1) == refused) ||
                 (outputs.at(1).isEmpty() && outputs.at(0) == refused),
             qPrintable(outputs.join(" || ")));

    db.connection()->setParam("Database", database);
    QCOMPARE(db.userCount(), 1);
    const QString winner = outputs.at(0).isEmpty() ? names.at(0) : names.at(1);
    QCOMPARE(db.column("0001", "USUARIO").toString(), winner);
    db.connection()->close();
}

int main(int argc, char *argv[])
{
    EstocariumApplication app(argc, argv);
    if (qEnvironmentVariableIsSet(kInstanceVariable))
        return runInstance();
    TestUsersNetwork test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "tst_network.moc"
