#include "MissingRequirement.h"
#include "SmallDisk.h"
#include "TestDatabase.h"

#include "db/FbError.h"
#include "db/SqlQuery.h"
#include "session/DatabaseFailure.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>

// Real failures of the database, each told apart by Firebird's codes and put in Portuguese,
// with Firebird's own text kept as the detail.
class TestDatabaseFailure : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void failures_data();
    void failures();

private:
    fb::Error provoke(const QString &how);
    // A copy of the test database in a 4 MiB file system of this process's own.
    QString databaseOnSmallDisk();
    std::unique_ptr<TestDatabase> m_db;
    SmallDisk m_smallDisk;
};

void TestDatabaseFailure::initTestCase()
{
    m_db = std::make_unique<TestDatabase>();
    m_db->exec("CREATE TABLE T (K VARCHAR(4) NOT NULL PRIMARY KEY, NOME VARCHAR(3), LONGO VARCHAR(32765))");
    m_db->exec("INSERT INTO T (K) VALUES ('0001')");
}

void TestDatabaseFailure::cleanupTestCase()
{
    m_db.reset();
}

fb::Error TestDatabaseFailure::provoke(const QString &how)
{
    SqlConnection *connection = m_db->connection();
    connection->close();
    connection->setParam("Database", m_db->path());
    SqlQuery query(connection);
    if (how == "missing file") {
        connection->setParam("Database", m_db->folder() + "/NADA.FDB");
        query.setSql("SELECT 1 FROM RDB$DATABASE");
    } else if (how == "not a database") {
        QFile lixo(m_db->folder() + "/LIXO.FDB");
        lixo.open(QIODevice::WriteOnly);
        lixo.write(QByteArray(65536, 'x'));
        lixo.close();
        connection->setParam("Database", lixo.fileName());
        query.setSql("SELECT 1 FROM RDB$DATABASE");
    } else if (how == "folder in its place" || how == "pipe in its place") {
        // A pipe would hold the engine's first read for ever.
        const QString place = m_db->folder() + "/" + how.left(4) + ".FDB";
        if (how.startsWith("folder"))
            QDir().mkpath(place);
        else
            ::mkfifo(QFile::encodeName(place).constData(), 0600);
        connection->setParam("Database", place);
        query.setSql("SELECT 1 FROM RDB$DATABASE");
    } else if (how == "older structure") {
        // The header as Firebird 2.5 writes it: structure 11.2 (the version beside the Firebird
        // flag at byte 18, the minor version at byte 64).
        const QString old = m_db->folder() + "/ANTIGO.FDB";
        QFile::remove(old);
        connection->close();
        QFile::copy(m_db->path(), old);
        QFile header(old);
        header.open(QIODevice::ReadWrite);
        header.seek(18);
        header.write("\x0B", 1);
        header.seek(64);
        header.write("\x02", 1);
        header.close();
        connection->setParam("Database", old);
        query.setSql("SELECT 1 FROM RDB$DATABASE");
    } else if (how == "disk full") {
        const QString database = databaseOnSmallDisk();
        if (database.isEmpty())
            return fb::Error(QString());
        connection->setParam("Database", database);
        SqlQuery table(connection);
        table.setSql("CREATE TABLE GRANDE (TEXTO VARCHAR(32000))");
        table.execSQL();
        // Rows of text that the engine's compression cannot shrink, more than the disk holds.
        query.setSql("EXECUTE BLOCK AS DECLARE I INT = 0; BEGIN WHILE (I < 300) DO BEGIN "
                     "INSERT INTO GRANDE VALUES (LPAD('', 32000, UUID_TO_CHAR(GEN_UUID()))); "
                     "I = I + 1; END END");
    } else if (how == "table unknown") {
        query.setSql("SELECT * FROM USUARIOS_ESTOC");
    } else if (how == "too long") {
        query.setSql("UPDATE T SET NOME = :NOME");
        query.setParam("NOME", QStringLiteral("abcdef"));
    } else if (how == "beyond a message") {
        // Longer than the 16-bit length of a text in a message: it would wrap and be cut.
        query.setSql("UPDATE T SET LONGO = :LONGO");
        query.setParam("LONGO", QString(70000, QLatin1Char('a')));
    } else if (how == "duplicate key") {
        query.setSql("INSERT INTO T (K) VALUES ('0001')");
    }
    try {
        query.execSQL();
    } catch (const fb::Error &error) {
        return error;
    }
    QTest::qFail("no failure", __FILE__, __LINE__);
    return fb::Error(QString());
}

QString TestDatabaseFailure::databaseOnSmallDisk()
{
    m_db->connection()->close();
    const QString disk = m_smallDisk.emptied();
    if (disk.isEmpty())
        return QString();
    const QString copy = disk + "/LICITACAO.FDB";
    QFile::copy(m_db->path(), copy);
    return copy;
}

void TestDatabaseFailure::failures_data()
{
    QTest::addColumn<QString>("how");
    QTest::addColumn<QString>("field");
    QTest::addColumn<int>("cause");
    QTest::addColumn<QString>("message");
    using Cause = DatabaseFailure::Cause;
    QTest::newRow("missing file")
        << "missing file" << QString() << int(Cause::FileMissing)
        << "Atenção, o arquivo do banco de dados não foi encontrado. Confira a pasta de trabalho e o caminho "
           "configurado em clientes.ini.";
    QTest::newRow("not a database") << "not a database" << QString() << int(Cause::NotADatabase)
                                    << "Atenção, o arquivo aberto não é um banco de dados válido ou está "
                                       "danificado. Peça ao administrador "
                                       "que o confira ou restaure uma cópia.";
    const QString notAFile =
        "Atenção, o caminho do banco de dados não leva a um arquivo: há ali uma pasta, um canal "
        "ou um dispositivo. Confira a pasta de trabalho e o caminho configurado em "
        "clientes.ini.";
    QTest::newRow("folder in its place")
        << "folder in its place" << QString() << int(Cause::NotARegularFile) << notAFile;
    QTest::newRow("pipe in its place")
        << "pipe in its place" << QString() << int(Cause::NotARegularFile) << notAFile;
    QTest::newRow("older structure")
        << "older structure" << QString() << int(Cause::OlderOrNewerFormat)
        << "Atenção, o banco de dados foi gravado pelo Firebird 2.5 (estrutura 11.2), que o Firebird 3 não "
           "abre. Converta-o com o gbak: no Firebird 2.5, gbak -b LICITACAO.FDB licitacao.fbk; aqui, gbak -c "
           "licitacao.fbk LICITACAO.FDB.";
    QTest::newRow("disk full") << "disk full" << QString() << int(Cause::DiskFull)
                               << "Atenção, o disco do banco de dados está cheio: a operação não foi "
                                  "concluída. Libere espaço no disco e tente de novo.";
    QTest::newRow("table unknown") << "table unknown" << QString() << int(Cause::TableUnknown)
                                   << "Atenção, o banco de dados não está preparado: falta uma tabela ou "
                                      "coluna. Execute as atualizações do "
                                      "banco (menu Procedimentos, ou estocarium-db update).";
    QTest::newRow("too long") << "too long"
                              << "NOME" << int(Cause::ValueTooLong)
                              << "Atenção, valor longo demais para o campo NOME: o limite é de 3 caracteres.";
    QTest::newRow("beyond a message")
        << "beyond a message" << QString() << int(Cause::ValueTooLong)
        << "Atenção, valor longo demais para um campo: o limite é de 32765 caracteres.";
    QTest::newRow("duplicate key") << "duplicate key" << QString() << int(Cause::DuplicateKey)
                                   << "Atenção, já existe um registro com este código.";
}

void TestDatabaseFailure::failures()
{
    QFETCH(QString, how);
    QFETCH(QString, field);
    const fb::Error error = provoke(how);
    if (error.text().isEmpty() && how == "disk full")
        SKIP_FOR_MISSING("a file system of the test's own needs root (unshare, mount)");
    const DatabaseFailure failure = DatabaseFailure::of(error, field);
    QTEST(int(failure.cause), "cause");
    QTEST(failure.message, "message");
    QCOMPARE(failure.detail, error.text());
    QVERIFY(!failure.detail.isEmpty());
    QVERIFY(!error.connectionLost());
}

QTEST_MAIN(TestDatabaseFailure)
#include "tst_databasefailure.moc"
