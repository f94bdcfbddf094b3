#include "UncommittedPurchase.h"
#include "common/PasswordEncoding.h"
#include "common/TextHelpers.h"
#include "db/SqlConnection.h"
#include "db/SqlQuery.h"
#include "dbmaint/CatalogueI.h"
#include "dbmaint/CatalogueII.h"
#include "session/uTotal.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QProcess>
#include <QRegularExpression>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>

namespace
{

struct Run {
    int exitCode = -1;
    QString out;
    QString err;
};

Run tool(const QStringList &args)
{
    QProcess process;
    process.start(QStringLiteral(ESTOCARIUM_BUILD_DIR "/estocarium-db"), args);
    if (!process.waitForFinished(300000))
        qFatal("estocarium-db did not finish");
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            QString::fromUtf8(process.readAllStandardOutput()),
            QString::fromUtf8(process.readAllStandardError())};
}

QByteArray fileBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The created database, opened as the program opens a local one.
class CreatedDatabase
{
public:
    explicit CreatedDatabase(const QString &dir)
    {
        m_connection.setParam("Database", dir + "/LICITACAO.FDB");
        m_connection.setParam("ServerCharSet", "WIN1252");
    }

    SqlQuery query(const QString &sql)
    {
        SqlQuery q(&m_connection);
        q.setSql(sql);
        q.open();
        return q;
    }

    QVariant scalar(const QString &sql) { return query(sql).value(0, 0); }

    // Runs the statements in a transaction left open, as a workstation in the middle of its work.
    void hold(const QStringList &statements)
    {
        m_connection.startTransaction();
        for (const QString &statement : statements) {
            SqlQuery q(&m_connection);
            q.setSql(statement);
            q.execSQL();
        }
    }

    void leave()
    {
        m_connection.rollback();
        m_connection.close();
    }
    void commit()
    {
        m_connection.commit();
        m_connection.close();
    }

private:
    SqlConnection m_connection;
};

} // namespace

class TestTool : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void catalogue_printsTheStatementsAsJson_data();
    void catalogue_printsTheStatementsAsJson();
    void badUse_printsUsageAndExitsWith2_data();
    void badUse_printsUsageAndExitsWith2();
    void create_tooManyUsers_isRefusedBeforeAnythingIsWritten();
    void create_makesAWorkingFolderForTheProgram();
    void create_fillsTheUserTableToItsLastCode();
    void create_neverTouchesAnExistingDatabaseOrFile();
    void update_reportsEveryPosition();
    void update_uncommittedRowsElsewhere_areListed();
    void update_missingDatabase_fails();
    void commands_loadNoWindowSystemLibrary_data();
    void commands_loadNoWindowSystemLibrary();
    void restore_putsTheCopyBackAndKeepsTheReplacedFile();
    void restore_refusals_data();
    void restore_refusals();
};

void TestTool::initTestCase()
{
    Q_INIT_RESOURCE(assets);
    // The tool's statements that wait for another workstation's locks give up after a second.
    qputenv("ESTOCARIUM_DB_ANSWER_MS", "3000");
}

void TestTool::catalogue_printsTheStatementsAsJson_data()
{
    QTest::addColumn<QString>("which");
    QTest::addColumn<QStringList>("statements");
    QTest::newRow("I") << "I" << catalogueI();
    QTest::newRow("II") << "II" << catalogueII();
}

void TestTool::catalogue_printsTheStatementsAsJson()
{
    QFETCH(QString, which);
    QFETCH(QStringList, statements);
    const Run run = tool({"catalogue", which});
    QCOMPARE(run.exitCode, 0);
    QJsonParseError error;
    const QJsonDocument json = QJsonDocument::fromJson(run.out.toUtf8(), &error);
    QCOMPARE(error.error, QJsonParseError::NoError);
    QVERIFY(json.isArray());
    QStringList printed;
    for (const QJsonValue &v : json.array())
        printed << v.toString();
    QCOMPARE(printed, statements);
}

void TestTool::badUse_printsUsageAndExitsWith2_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::newRow("nothing") << QStringList{};
    QTest::newRow("unknown command") << QStringList{"drop"};
    QTest::newRow("catalogue without name") << QStringList{"catalogue"};
    QTest::newRow("unknown catalogue") << QStringList{"catalogue", "III"};
    QTest::newRow("create without folder") << QStringList{"create"};
    QTest::newRow("users without number") << QStringList{"create", "x", "--users"};
    QTest::newRow("users not a number") << QStringList{"create", "x", "--users", "dez"};
    QTest::newRow("negative users") << QStringList{"create", "x", "--users", "-1"};
    QTest::newRow("two folders") << QStringList{"create", "x", "y"};
    QTest::newRow("unknown option") << QStringList{"create", "x", "--force"};
    QTest::newRow("update without folder") << QStringList{"update"};
    QTest::newRow("update two folders") << QStringList{"update", "x", "y"};
    QTest::newRow("restore without copy") << QStringList{"restore", "x"};
    QTest::newRow("restore two copies") << QStringList{"restore", "x", "y", "z"};
}

void TestTool::badUse_printsUsageAndExitsWith2()
{
    QFETCH(QStringList, args);
    QTemporaryDir dir;
    const QString previous = QDir::currentPath();
    QDir::setCurrent(dir.path());
    const Run run = tool(args);
    QDir::setCurrent(previous);
    QCOMPARE(run.exitCode, 2);
    QVERIFY2(run.err.contains("Uso:"), qPrintable(run.err));
    QCOMPARE(run.out, QString());
    QCOMPARE(QDir(dir.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries), QStringList());
}

void TestTool::create_tooManyUsers_isRefusedBeforeAnythingIsWritten()
{
    QTemporaryDir dir;
    const QString target = dir.filePath("novo");
    const Run run = tool({"create", target, "--users", "9999"});
    QCOMPARE(run.exitCode, 2);
    QVERIFY2(run.err.contains("9998"), qPrintable(run.err));
    QVERIFY(!QFileInfo::exists(target));
}

void TestTool::create_makesAWorkingFolderForTheProgram()
{
    QTemporaryDir dir;
    const QString target = dir.filePath("prefeitura");
    const Run run = tool({"create", target, "--users", "3"});
    QVERIFY2(run.exitCode == 0, qPrintable(run.err));

    QCOMPARE(fileBytes(target + "/TELA_PRINCIPAL.JPG"), fileBytes(":/images/splash.jpg"));
    QCOMPARE(fileBytes(target + "/Limpa.JPG"), fileBytes(":/images/limpa.jpg"));
    QVERIFY(!fileBytes(target + "/TELA_PRINCIPAL.JPG").isEmpty());
    // The program itself must read the folder's configuration as client 1 in local mode.
    const QString previous = QDir::currentPath();
    QDir::setCurrent(target);
    InicializaSessao();
    QDir::setCurrent(previous);
    QCOMPARE(ini_clientecodigo, 1);
    QCOMPARE(ini_clientenome, Descricao_Cliente);
    QVERIFY(!Sistema_na_WEB && !Sistema_na_Rede && ini_clienteipnome.isEmpty());

    CreatedDatabase db(target);
    QCOMPARE(db.scalar("SELECT TRIM(RDB$CHARACTER_SET_NAME) FROM RDB$DATABASE").toString(),
             QString("WIN1252"));
    QCOMPARE(db.scalar("SELECT MON$PAGE_SIZE FROM MON$DATABASE").toLongLong(), 8192);
    QCOMPARE(db.scalar("SELECT COUNT(*) FROM RDB$RELATIONS WHERE RDB$SYSTEM_FLAG = 0").toLongLong(), 38);
    QCOMPARE(
        db.scalar("SELECT COUNT(*) FROM RDB$TRIGGERS WHERE COALESCE(RDB$SYSTEM_FLAG, 0) = 0").toLongLong(),
        14);

    SqlQuery orgao = db.query("SELECT A.I_ORGAO, A.ORGAO, A.CNPJ, A.CODIGOUA, A.TRATAMENTO, A.TRANSPARENCIA, "
                              "A.B_LOGOMARCA FROM ORGAOS A WHERE A.I_ORGAO=1 ORDER BY A.I_ORGAO");
    QCOMPARE(orgao.rowCount(), 1);
    QCOMPARE(orgao.value(0, "ORGAO").toString(), Descricao_Cliente);
    QCOMPARE(orgao.value(0, "CNPJ").toString(), Descricao_CNPJ_Cliente);
    QCOMPARE(orgao.value(0, "CODIGOUA").toString(), Descricao_UA);
    QCOMPARE(orgao.value(0, "B_LOGOMARCA").toByteArray(), fileBytes(":/images/logo.jpg"));
    QVERIFY(!orgao.value(0, "B_LOGOMARCA").toByteArray().isEmpty());

    SqlQuery users =
        db.query("SELECT IDUSUARIO, USUARIO, CPF, SENHA, CONFIRMA, NIVEL, PRIMEIRO_ACESSO, B_FOTO, "
                 "DIGITADO FROM USUARIOS_ESTOC ORDER BY IDUSUARIO");
    QCOMPARE(users.rowCount(), 4);
    QStringList codes;
    QSet<QString> cpfs;
    for (int r = 0; r < users.rowCount(); ++r) {
        codes << users.value(r, "IDUSUARIO").toString();
        const QString cpf = users.value(r, "CPF").toString();
        QVERIFY2(VerificaCPF(cpf) && cpf.size() == 14, qPrintable(cpf));
        cpfs << cpf;
        QCOMPARE(Decodificar(encodedFromColumn(users.value(r, "SENHA").toString()), Chave), QString("1"));
        QCOMPARE(users.value(r, "CONFIRMA"), users.value(r, "SENHA"));
        QCOMPARE(users.value(r, "PRIMEIRO_ACESSO").toString(), QString("S"));
        QVERIFY(users.value(r, "B_FOTO").isNull());
        QVERIFY(!users.value(r, "USUARIO").toString().isEmpty());
    }
    QCOMPARE(codes, QStringList({"0001", "0002", "0003", "0004"}));
    QCOMPARE(cpfs.size(), 4);
    QCOMPARE(users.value(0, "USUARIO").toString(), QString("ADMINISTRADOR"));
    QCOMPARE(Decodificar(encodedFromColumn(users.value(0, "NIVEL").toString()), Chave),
             QString("ADMINISTRADOR"));
    QCOMPARE(users.value(0, "DIGITADO").toString(), users.value(0, "CPF").toString() + " - ADMINISTRADOR");
    const QStringList ordinaryLevels = {"INICIANTE", "MÉDIO", "EXPERIENTE", "AVANÇADO"};
    for (int r = 1; r < users.rowCount(); ++r)
        QVERIFY(ordinaryLevels.contains(
            Decodificar(encodedFromColumn(users.value(r, "NIVEL").toString()), Chave)));
}

void TestTool::create_fillsTheUserTableToItsLastCode()
{
    QTemporaryDir dir;
    const Run run = tool({"create", dir.path(), "--users", "9998"});
    QVERIFY2(run.exitCode == 0, qPrintable(run.err));

    CreatedDatabase db(dir.path());
    SqlQuery users = db.query("SELECT COUNT(*), COUNT(DISTINCT CPF), MIN(IDUSUARIO), MAX(IDUSUARIO) "
                              "FROM USUARIOS_ESTOC");
    QCOMPARE(users.value(0, 0).toLongLong(), 9999);
    QCOMPARE(users.value(0, 1).toLongLong(), 9999);
    QCOMPARE(users.value(0, 2).toString(), QString("0001"));
    QCOMPARE(users.value(0, 3).toString(), QString("9999"));
    SqlQuery cpfs = db.query("SELECT CPF FROM USUARIOS_ESTOC");
    for (int r = 0; r < cpfs.rowCount(); ++r)
        QVERIFY2(VerificaCPF(cpfs.value(r, 0).toString()), qPrintable(cpfs.value(r, 0).toString()));
}

void TestTool::create_neverTouchesAnExistingDatabaseOrFile()
{
    QTemporaryDir dir;
    const QByteArray ownIni = "[dados_cliente]\ncodigo=7\nrede=1\nipnome=servidor\n";
    {
        QFile ini(dir.filePath("clientes.ini"));
        QVERIFY(ini.open(QIODevice::WriteOnly));
        ini.write(ownIni);
    }
    QVERIFY2(tool({"create", dir.path()}).exitCode == 0, "first creation");
    QCOMPARE(fileBytes(dir.filePath("clientes.ini")), ownIni);
    QVERIFY(QFileInfo::exists(dir.filePath("Limpa.JPG")));

    const QByteArray database = fileBytes(dir.filePath("LICITACAO.FDB"));
    const Run again = tool({"create", dir.path(), "--users", "5"});
    QCOMPARE(again.exitCode, 1);
    QVERIFY2(again.err.contains("já existe"), qPrintable(again.err));
    QVERIFY(fileBytes(dir.filePath("LICITACAO.FDB")) == database);
}

void TestTool::update_reportsEveryPosition()
{
    QTemporaryDir dir;
    QCOMPARE(tool({"create", dir.path()}).exitCode, 0);

    const Run run = tool({"update", dir.path()});
    QCOMPARE(run.exitCode, 0);
    const QStringList lines = run.out.split('\n', Qt::SkipEmptyParts);
    QCOMPARE(lines.size(), 1 + 106 + 1 + 28);
    QCOMPARE(lines.at(0), QString("Atualização I"));
    QCOMPARE(lines.at(107), QString("Atualização II"));
    const QRegularExpression line(R"(^(I|II)\.(\d+) (aplicada|ignorada, já estava assim: \S.*)$)");
    QList<int> acceptedInI;
    for (int i = 0; i < lines.size(); ++i) {
        if (i == 0 || i == 107)
            continue;
        const auto match = line.match(lines[i]);
        QVERIFY2(match.hasMatch(), qPrintable(lines[i]));
        const bool first = i < 107;
        QCOMPARE(match.captured(1), QString(first ? "I" : "II"));
        const int position = match.captured(2).toInt();
        QCOMPARE(position, first ? i : i - 107);
        if (first && match.captured(3) == "aplicada")
            acceptedInI << position;
        if (!first)
            QVERIFY2(match.captured(3) == "aplicada", qPrintable(lines[i]));
    }
    // On an up-to-date database only the foreign-key replacements go through in update I.
    QCOMPARE(acceptedInI, QList<int>({17, 18, 19, 20, 21, 22, 58, 59, 60, 61,  62,  63,  64,
                                      65, 72, 73, 74, 75, 96, 97, 98, 99, 100, 101, 102, 103}));
    QVERIFY2(lines[1].contains("FORNECEDORES"), qPrintable(lines[1]));
    const QRegularExpression copy("\nCópia de segurança do banco de dados: (" +
                                  QRegularExpression::escape(dir.path()) +
                                  "/LICITACAO-copia-\\d{4}-\\d\\d-\\d\\d-\\d{6}\\.fbk)\n");
    const auto named = copy.match(run.err);
    QVERIFY2(named.hasMatch(), qPrintable(run.err));
    QVERIFY(QFileInfo(named.captured(1)).size() > 0);
    QVERIFY(!QFile::exists(dir.filePath("LICITACAO.FDB.atualizando")));
}

// Another workstation holds uncommitted rows in a purchase and its instalments: the tool lists the
// foreign keys it could not replace, exits with 1, and the keys are still there.
void TestTool::update_uncommittedRowsElsewhere_areListed()
{
    QTemporaryDir dir;
    QCOMPARE(tool({"create", dir.path()}).exitCode, 0);
    CreatedDatabase otherWorkstation(dir.path());
    otherWorkstation.hold(kUncommittedPurchase);

    const Run run = tool({"update", dir.path()});
    otherWorkstation.leave();

    QCOMPARE(run.exitCode, 1);
    QVERIFY2(run.out.contains("\nI.17 NÃO APLICADA, bloqueada por outra estação, que tem alterações não "
                              "confirmadas: lock time-out"),
             qPrintable(run.out));
    QVERIFY2(run.out.contains(lockedForeignKeysMessage() + "\nAtualização II\n"), qPrintable(run.out));
    QCOMPARE(
        CreatedDatabase(dir.path())
            .scalar("SELECT COUNT(*) FROM RDB$RELATION_CONSTRAINTS WHERE RDB$CONSTRAINT_TYPE = 'FOREIGN KEY'")
            .toInt(),
        13);
    QCOMPARE(tool({"update", dir.path()}).exitCode, 0);
}

void TestTool::update_missingDatabase_fails()
{
    QTemporaryDir dir;
    const Run run = tool({"update", dir.path()});
    QCOMPARE(run.exitCode, 1);
    QVERIFY2(run.err.contains("LICITACAO.FDB"), qPrintable(run.err));
    QCOMPARE(run.out, QString());
}

void TestTool::commands_loadNoWindowSystemLibrary_data()
{
    QTest::addColumn<QStringList>("args"); // FOLDER: a working folder made by create
    QTest::newRow("--version") << QStringList{"--version"};
    QTest::newRow("catalogue") << QStringList{"catalogue", "II"};
    QTest::newRow("create") << QStringList{"create", "FOLDER/new"};
    QTest::newRow("update") << QStringList{"update", "FOLDER"};
    // The report decodes the organisation's logo for the PDF and the HTML.
    for (const char *format : {"pdf", "html", "csv"})
        QTest::addRow("report %s", format)
            << QStringList{"report", "usuarios", "FOLDER", "--format", format, "--out", "FOLDER/out"};
}

// Qt GUI would bring the display, GL, font and D-Bus libraries with it, which a tool run in a
// terminal or by cron has no use for; the dynamic loader lists what each command loads.
void TestTool::commands_loadNoWindowSystemLibrary()
{
    QFETCH(QStringList, args);
    QTemporaryDir dir;
    QCOMPARE(tool({"create", dir.path()}).exitCode, 0);
    args.replaceInStrings(QStringLiteral("FOLDER"), dir.path());
    qputenv("LD_DEBUG", "libs");
    const Run run = tool(args);
    qunsetenv("LD_DEBUG");
    QCOMPARE(run.exitCode, 0);
    QVERIFY2(run.err.contains(QStringLiteral("calling init: ")), "the loader listed nothing");
    static const QRegularExpression windowSystem(
        QStringLiteral("calling init: \\S*/(libQt6Gui|libX11|libxcb|libEGL|libGL|libOpenGL|libfontconfig|"
                       "libfreetype|libdbus|libQt6DBus)[^/\\s]*$"),
        QRegularExpression::MultilineOption);
    const QRegularExpressionMatch loaded = windowSystem.match(run.err);
    QVERIFY2(!loaded.hasMatch(), qPrintable(loaded.captured(0)));
}

namespace
{

ino_t inode(const QString &path)
{
    struct stat status {
    };
    return ::stat(QFile::encodeName(path).constData(), &status) == 0 ? status.st_ino : 0;
}

// The copy the last update left in dir.
QString lastCopy(const QString &dir)
{
    const QStringList copies = QDir(dir).entryList({"LICITACAO-copia-*.fbk"}, QDir::Files, QDir::Name);
    return copies.isEmpty() ? QString() : dir + u'/' + copies.last();
}

} // namespace

// The copy taken before an update comes back in place of a database changed since; the file it
// replaces is kept, and the marker of an unfinished update goes.
void TestTool::restore_putsTheCopyBackAndKeepsTheReplacedFile()
{
    QTemporaryDir dir;
    QCOMPARE(tool({"create", dir.path()}).exitCode, 0);
    QCOMPARE(tool({"update", dir.path()}).exitCode, 0);
    const QString copy = lastCopy(dir.path());
    QVERIFY(!copy.isEmpty());
    {
        CreatedDatabase changed(dir.path());
        changed.hold({"CREATE TABLE DEPOIS_DA_COPIA (K INTEGER)"});
        changed.commit();
    }
    {
        QFile marker(dir.filePath("LICITACAO.FDB.atualizando"));
        QVERIFY(marker.open(QIODevice::WriteOnly));
        marker.write("inicio=2026-01-05T12:00:00\ncopia=" + copy.toUtf8() + "\n");
    }

    const Run run = tool({"restore", dir.path(), copy});

    QCOMPARE(run.exitCode, 0);
    const QStringList kept = QDir(dir.path()).entryList({"LICITACAO-substituido-*.FDB"}, QDir::Files);
    QCOMPARE(kept.size(), 1);
    QCOMPARE(run.out, QString("Cópia recolocada: %1/LICITACAO.FDB é agora a cópia %2.\n"
                              "O banco que estava em seu lugar foi guardado em %1/%3.\n")
                          .arg(dir.path(), copy, kept.first()));
    QCOMPARE(CreatedDatabase(dir.path())
                 .scalar("SELECT COUNT(*) FROM RDB$RELATIONS WHERE RDB$RELATION_NAME = 'DEPOIS_DA_COPIA'")
                 .toInt(),
             0);
    QVERIFY(!QFile::exists(dir.filePath("LICITACAO.FDB.atualizando")));
    QVERIFY(!QFile::exists(dir.filePath("LICITACAO.FDB.restaurando")));
    QCOMPARE(tool({"update", dir.path()}).exitCode, 0);
}

void TestTool::restore_refusals_data()
{
    QTest::addColumn<QString>("how");
    QTest::addColumn<QString>("message");
    QTest::newRow("database in use")
        << "in use"
        << "A cópia não foi recolocada: o banco de dados está em uso por 1 conexão(ões). Feche o programa em "
           "todas as estações e tente de novo.";
    QTest::newRow("not a copy") << "not a copy"
                                << "A cópia não foi recolocada e o banco não foi alterado: ";
    QTest::newRow("copy missing") << "copy missing"
                                  << "Cópia de segurança não encontrada: ";
}

// Refused, the database file stays the one it was, usable, and nothing is left beside it.
void TestTool::restore_refusals()
{
    QFETCH(QString, how);
    QFETCH(QString, message);
    QTemporaryDir dir;
    QCOMPARE(tool({"create", dir.path()}).exitCode, 0);
    QCOMPARE(tool({"update", dir.path()}).exitCode, 0);
    QString copy = lastCopy(dir.path());
    if (how == "not a copy")
        copy = dir.filePath("clientes.ini");
    else if (how == "copy missing")
        copy = dir.filePath("NADA.fbk");
    const QStringList before = QDir(dir.path()).entryList(QDir::Files);
    CreatedDatabase workstation(dir.path());
    if (how == "in use")
        workstation.hold({});
    const ino_t database = inode(dir.filePath("LICITACAO.FDB"));

    const Run run = tool({"restore", dir.path(), copy});
    if (how == "in use")
        workstation.leave();

    QCOMPARE(run.exitCode, 1);
    QVERIFY2(run.err.contains(message), qPrintable(run.err));
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), before);
    QCOMPARE(inode(dir.filePath("LICITACAO.FDB")), database);
    QCOMPARE(tool({"update", dir.path()}).exitCode, 0);
}

QTEST_GUILESS_MAIN(TestTool)
#include "tst_tool.moc"
