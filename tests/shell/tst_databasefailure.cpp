#include "TestDatabase.h"

#include "db/FbError.h"
#include "db/SqlQuery.h"
#include "shell/DatabaseFailure.h"

#include <QFile>
#include <QTest>

// Real failures of the database, each told apart by Firebird's codes and put in Portuguese,
// with Firebird's own text kept as the detail.
class TestDatabaseFailure : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void failures_data();
    void failures();

private:
    fb::Error provoke(const QString &how);
    std::unique_ptr<TestDatabase> m_db;
};

void TestDatabaseFailure::initTestCase()
{
    m_db = std::make_unique<TestDatabase>();
    m_db->exec("CREATE TABLE T (K VARCHAR(4) NOT NULL PRIMARY KEY, NOME VARCHAR(3), LONGO VARCHAR(32765))");
    m_db->exec("INSERT INTO T (K) VALUES ('0001')");
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
    const DatabaseFailure failure = DatabaseFailure::of(error, field);
    QTEST(int(failure.cause), "cause");
    QTEST(failure.message, "message");
    QCOMPARE(failure.detail, error.text());
    QVERIFY(!failure.detail.isEmpty());
    QVERIFY(!error.connectionLost());
}

QTEST_MAIN(TestDatabaseFailure)
#include "tst_databasefailure.moc"
