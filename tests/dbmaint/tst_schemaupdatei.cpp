#include "SchemaInspection.h"
#include "TestDatabase.h"
#include "db/FbError.h"
#include "dbmaint/ExecutaAtualizacao.h"

#include <QTest>

namespace
{

const QStringList AllTables = {"ADITIVOS",
                               "ADITIVOS_PRODUTOS",
                               "ATAS",
                               "ATAS_EXTRAORD",
                               "ATAS_EXTRAORD_PRODUTOS",
                               "ATAS_PRODUTOS",
                               "COMPRAPRODUTO",
                               "COMPRAPRODUTO_ITENS",
                               "COMPRAPRODUTO_PARCELAS",
                               "COMPRAS_EXTRAORD",
                               "DESPESAS",
                               "DIGITOS",
                               "EMPENHOS",
                               "EMPENHOTIPO",
                               "ENTREGAPRODUTO",
                               "ENTREGAPRODUTO_ITENS",
                               "FORNECEDORES",
                               "GRUPO_PRODUTOS",
                               "LICITACAOMODALIDADE",
                               "LICITACOES",
                               "PROCESSOS",
                               "PRODUTOS",
                               "PRODUTOS_LICITA",
                               "RCOMPRA",
                               "RCOMPRA_ITENS",
                               "SADCOMPRA",
                               "SADCOMPRA_ITENS",
                               "SATCOMPRA",
                               "SATCOMPRA_ITENS",
                               "SEXCOMPRA",
                               "SEXCOMPRA_ITENS",
                               "UNIDADES",
                               "USUARIOS_COMPRA",
                               "USUARIOS_DEPT",
                               "USUARIOS_ESTOC",
                               "USUARIOS_FINANC",
                               "USUARIOS_SEC"};

// Positions that an empty database refuses: the two empty ones and the thirteen drops of foreign keys
// that do not exist yet.
const QList<int> RefusedOnEmptyDatabase = {11, 12, 17, 19, 21, 58, 60, 62, 64, 72, 74, 96, 98, 100, 102};

QList<int> refusedPositions(const QList<StatementOutcome> &outcomes)
{
    QList<int> refused;
    for (const StatementOutcome &o : outcomes) {
        if (!o.ok)
            refused << o.position;
    }
    return refused;
}

QString cascading(const QString &detail, const QString &columns, const QString &header)
{
    return QStringLiteral("%1: FK_%1_1(%2) -> PK_%3 delete CASCADE update CASCADE")
        .arg(detail, columns, header);
}

} // namespace

class TestSchemaUpdateI : public QObject
{
    Q_OBJECT

private slots:
    void emptyDatabase_getsTablesKeysAndColumns();
    void secondRun_leavesTheStructureAsItWas();
    void olderTables_gainTheMissingColumnsAndKeepTheirRows();
    void plainForeignKey_isReplacedByTheCascadingOne();
    void orphanDetails_leaveTheirTableWithoutForeignKey();
    void userTable_refusesIncompleteAndDuplicateRows();
    void unusableConnection_stopsAtTheFirstPosition();
};

void TestSchemaUpdateI::emptyDatabase_getsTablesKeysAndColumns()
{
    TestDatabase db;
    const QList<StatementOutcome> outcomes = executaAtualizacaoI(*db.connection()).outcomes;
    QCOMPARE(outcomes.size(), 106);
    QCOMPARE(refusedPositions(outcomes), RefusedOnEmptyDatabase);

    QCOMPARE(inspect::tables(db.connection()), AllTables);
    const QStringList keys = inspect::primaryKeys(db.connection());
    QCOMPARE(keys.size(), 37);
    for (const QString &table : AllTables) {
        const QStringList own = keys.filter(QRegularExpression("^" + table + ": "));
        QCOMPARE(own.size(), 1);
        QVERIFY2(own.first().startsWith(table + ": PK_" + table + "("), qPrintable(own.first()));
    }
    for (const char *key :
         {"UNIDADES: PK_UNIDADES(I_UNIDADE)", "PROCESSOS: PK_PROCESSOS(PROCESSO)",
          "EMPENHOS: PK_EMPENHOS(EMPENHO)", "LICITACOES: PK_LICITACOES(LICITACAO,ANO)",
          "ADITIVOS_PRODUTOS: PK_ADITIVOS_PRODUTOS(LICITACAO,ANO,I_ATA,I_ADITIVO,I_ITEM)",
          "COMPRAPRODUTO_PARCELAS: PK_COMPRAPRODUTO_PARCELAS(I_REGISTRO,I_PARCELA)",
          "USUARIOS_ESTOC: PK_USUARIOS_ESTOC(IDUSUARIO)", "GRUPO_PRODUTOS: PK_GRUPO_PRODUTOS(I_GRUPO)"})
        QVERIFY2(keys.contains(key), key);

    const QStringList expectedForeignKeys = {
        cascading("ADITIVOS", "LICITACAO,ANO,I_ATA", "ATAS"),
        cascading("ADITIVOS_PRODUTOS", "LICITACAO,ANO,I_ATA,I_ADITIVO", "ADITIVOS"),
        cascading("ATAS", "LICITACAO,ANO", "LICITACOES"),
        cascading("ATAS_EXTRAORD", "REGISTRO,ANO", "COMPRAS_EXTRAORD"),
        cascading("ATAS_EXTRAORD_PRODUTOS", "REGISTRO,ANO,I_ATA", "ATAS_EXTRAORD"),
        cascading("ATAS_PRODUTOS", "LICITACAO,ANO,I_ATA", "ATAS"),
        cascading("COMPRAPRODUTO_ITENS", "I_REGISTRO", "COMPRAPRODUTO"),
        cascading("COMPRAPRODUTO_PARCELAS", "I_REGISTRO", "COMPRAPRODUTO"),
        cascading("ENTREGAPRODUTO_ITENS", "I_REGISTRO", "ENTREGAPRODUTO"),
        cascading("RCOMPRA_ITENS", "I_REGISTRO", "RCOMPRA"),
        cascading("SADCOMPRA_ITENS", "I_REGISTRO", "SADCOMPRA"),
        cascading("SATCOMPRA_ITENS", "I_REGISTRO", "SATCOMPRA"),
        cascading("SEXCOMPRA_ITENS", "I_REGISTRO", "SEXCOMPRA"),
    };
    QCOMPARE(inspect::foreignKeys(db.connection()), expectedForeignKeys);

    QCOMPARE(inspect::columns(db.connection(), "PRODUTOS"),
             QStringList({"I_PRODUTO", "PRODUTO", "UNIDADE", "DIGITADO", "ALTERADO", "I_GRUPO"}));
    QCOMPARE(inspect::columns(db.connection(), "COMPRAPRODUTO"),
             QStringList({"I_REGISTRO", "I_FORNECEDOR", "D_DATA", "OBS", "N_VALORPARCELADO", "N_VALORFINAL",
                          "N_VALORPAGO", "N_VALOREMABERTO", "DIGITADO", "ALTERADO", "PROCESSO", "LICITACAO",
                          "EMPENHO"}));
    QCOMPARE(inspect::columns(db.connection(), "PRODUTOS_LICITA"),
             QStringList({"I_PRODUTO", "PRODUTO", "UNIDADE", "DIGITADO", "ALTERADO"}));
}

void TestSchemaUpdateI::secondRun_leavesTheStructureAsItWas()
{
    TestDatabase db;
    executaAtualizacaoI(*db.connection());
    const QStringList before = inspect::snapshot(db.connection());

    const QList<StatementOutcome> again = executaAtualizacaoI(*db.connection()).outcomes;
    QCOMPARE(inspect::snapshot(db.connection()), before);
    // Only the foreign keys go through: each is dropped and added anew.
    QList<int> accepted;
    for (const StatementOutcome &o : again) {
        if (o.ok)
            accepted << o.position;
    }
    QCOMPARE(accepted, QList<int>({17, 18, 19, 20, 21, 22, 58, 59, 60, 61,  62,  63,  64,
                                   65, 72, 73, 74, 75, 96, 97, 98, 99, 100, 101, 102, 103}));
}

void TestSchemaUpdateI::olderTables_gainTheMissingColumnsAndKeepTheirRows()
{
    TestDatabase db;
    db.exec("CREATE TABLE PRODUTOS (I_PRODUTO INTEGER NOT NULL, PRODUTO VARCHAR(100), UNIDADE VARCHAR(20), "
            "DIGITADO VARCHAR(100), ALTERADO VARCHAR(100))");
    db.exec("CREATE TABLE COMPRAPRODUTO (I_REGISTRO INTEGER NOT NULL, I_FORNECEDOR INTEGER, D_DATA DATE, "
            "OBS VARCHAR(1000), N_VALORPARCELADO NUMERIC(15,2), N_VALORFINAL NUMERIC(15,2), "
            "N_VALORPAGO NUMERIC(15,2), N_VALOREMABERTO NUMERIC(15,2), DIGITADO VARCHAR(100), "
            "ALTERADO VARCHAR(100))");
    db.exec("INSERT INTO PRODUTOS (I_PRODUTO, PRODUTO) VALUES (7, 'CANETA AZUL')");
    db.exec("INSERT INTO COMPRAPRODUTO (I_REGISTRO, OBS) VALUES (3, 'COMPRA ANTIGA')");

    executaAtualizacaoI(*db.connection());

    QCOMPARE(inspect::columns(db.connection(), "PRODUTOS").last(), QString("I_GRUPO"));
    QCOMPARE(inspect::columns(db.connection(), "COMPRAPRODUTO").mid(10),
             QStringList({"PROCESSO", "LICITACAO", "EMPENHO"}));
    QCOMPARE(db.scalar("SELECT PRODUTO FROM PRODUTOS WHERE I_PRODUTO = 7").toString(),
             QString("CANETA AZUL"));
    QCOMPARE(db.scalar("SELECT OBS FROM COMPRAPRODUTO WHERE I_REGISTRO = 3").toString(),
             QString("COMPRA ANTIGA"));
    QVERIFY(inspect::primaryKeys(db.connection()).contains("PRODUTOS: PK_PRODUTOS(I_PRODUTO)"));
}

void TestSchemaUpdateI::plainForeignKey_isReplacedByTheCascadingOne()
{
    TestDatabase db;
    db.exec("CREATE TABLE COMPRAPRODUTO (I_REGISTRO INTEGER NOT NULL PRIMARY KEY)");
    db.exec("CREATE TABLE COMPRAPRODUTO_PARCELAS (I_REGISTRO INTEGER NOT NULL, I_PARCELA INTEGER NOT NULL, "
            "CONSTRAINT FK_COMPRAPRODUTO_PARCELAS_1 FOREIGN KEY (I_REGISTRO) REFERENCES "
            "COMPRAPRODUTO(I_REGISTRO))");
    QVERIFY(inspect::foreignKeys(db.connection()).first().endsWith("delete RESTRICT update RESTRICT"));

    const QList<StatementOutcome> outcomes = executaAtualizacaoI(*db.connection()).outcomes;
    QVERIFY(outcomes.at(16).ok); // the drop
    QVERIFY(outcomes.at(17).ok); // the cascading addition
    const QStringList keys = inspect::foreignKeys(db.connection()).filter("COMPRAPRODUTO_PARCELAS: ");
    QCOMPARE(keys.size(), 1);
    QVERIFY2(keys.first().endsWith("delete CASCADE update CASCADE"), qPrintable(keys.first()));
}

void TestSchemaUpdateI::orphanDetails_leaveTheirTableWithoutForeignKey()
{
    TestDatabase db;
    db.exec(
        "CREATE TABLE COMPRAPRODUTO_ITENS (I_REGISTRO INTEGER NOT NULL, I_ITEM INTEGER NOT NULL, "
        "I_PRODUTO INTEGER, N_QUANTIDADE NUMERIC(15,2), N_VLRUNITARIO NUMERIC(15,2), N_TOTAL NUMERIC(15,2), "
        "DIGITADO VARCHAR(100), ALTERADO VARCHAR(100))");
    db.exec("INSERT INTO COMPRAPRODUTO_ITENS (I_REGISTRO, I_ITEM) VALUES (99, 1)");

    const QList<StatementOutcome> outcomes = executaAtualizacaoI(*db.connection()).outcomes;
    QVERIFY(!outcomes.at(19).ok);
    QVERIFY(!outcomes.at(19).reason.isEmpty());
    const QStringList keys = inspect::foreignKeys(db.connection());
    QCOMPARE(keys.size(), 12);
    QVERIFY(keys.filter("COMPRAPRODUTO_ITENS: ").isEmpty());
    QCOMPARE(db.scalar("SELECT COUNT(*) FROM COMPRAPRODUTO_ITENS").toLongLong(), 1);
}

void TestSchemaUpdateI::userTable_refusesIncompleteAndDuplicateRows()
{
    TestDatabase db;
    executaAtualizacaoI(*db.connection());
    db.exec("INSERT INTO USUARIOS_ESTOC (IDUSUARIO, CPF) VALUES ('0001', '111.444.777-35')");
    const QStringList refused = {
        "INSERT INTO USUARIOS_ESTOC (IDUSUARIO, USUARIO) VALUES ('0002', 'SEM CPF')",
        "INSERT INTO USUARIOS_ESTOC (USUARIO, CPF) VALUES ('SEM CODIGO', '111.444.777-35')",
        "INSERT INTO USUARIOS_ESTOC (IDUSUARIO, CPF) VALUES ('0001', '529.982.247-25')",
    };
    for (const QString &insert : refused)
        QVERIFY_THROWS_EXCEPTION(fb::Error, db.exec(insert));
    QCOMPARE(db.scalar("SELECT COUNT(*) FROM USUARIOS_ESTOC").toLongLong(), 1);
}

void TestSchemaUpdateI::unusableConnection_stopsAtTheFirstPosition()
{
    TestDatabase db;
    db.connection()->setParam("Database", db.folder() + "/NAO_EXISTE.FDB");
    const CatalogueRun run = executaAtualizacaoI(*db.connection());
    QVERIFY(run.outcomes.isEmpty());
    QCOMPARE(run.stoppedAt, 1);
    QVERIFY(run.stop && run.stop->text().contains("NAO_EXISTE.FDB"));
}

QTEST_GUILESS_MAIN(TestSchemaUpdateI)
#include "tst_schemaupdatei.moc"
