#include "PreparedSchema.h"

#include <QTest>
#include <memory>

class TestTotalTriggers : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void purchaseTotals_data();
    void purchaseTotals();
    void tenderRollUp_data();
    void tenderRollUp();
    void extraordinaryRollUp_data();
    void extraordinaryRollUp();
    void headerChanges_data();
    void headerChanges();
    void detailMovedToAnotherParent_data();
    void detailMovedToAnotherParent();

private:
    std::unique_ptr<PreparedSchema> m_schema;
};

void TestTotalTriggers::initTestCase()
{
    m_schema = std::make_unique<PreparedSchema>();
}

void TestTotalTriggers::cleanupTestCase()
{
    m_schema.reset();
}

void TestTotalTriggers::purchaseTotals_data()
{
    QTest::addColumn<QStringList>("statements");
    QTest::addColumn<QString>("totals"); // N_VALORPARCELADO N_VALORFINAL N_VALORPAGO N_VALOREMABERTO

    const QString purchase = "INSERT INTO COMPRAPRODUTO (I_REGISTRO) VALUES (1)";
    const QString first = "INSERT INTO COMPRAPRODUTO_PARCELAS (I_REGISTRO, I_PARCELA, N_VALOR, N_VALORFINAL) "
                          "VALUES (1, 1, 100.00, 105.00)";
    QTest::newRow("first instalment") << QStringList{purchase, first} << "100.00 105.00 0.00 105.00";
    QTest::newRow("instalment paid")
        << QStringList{purchase, first,
                       "UPDATE COMPRAPRODUTO_PARCELAS SET N_PAGAMENTO = 105.00 WHERE I_PARCELA = 1"}
        << "100.00 105.00 105.00 0.00";
    QTest::newRow("NULL values skipped") << QStringList{purchase, first,
                                                        "INSERT INTO COMPRAPRODUTO_PARCELAS (I_REGISTRO, "
                                                        "I_PARCELA, N_PAGAMENTO) VALUES (1, 2, 40.00)"}
                                         << "100.00 105.00 40.00 65.00";
    QTest::newRow("last instalment deleted")
        << QStringList{purchase, first, "DELETE FROM COMPRAPRODUTO_PARCELAS WHERE I_REGISTRO = 1"}
        << "0.00 0.00 0.00 0.00";
    QTest::newRow("only its own instalments")
        << QStringList{purchase, "INSERT INTO COMPRAPRODUTO (I_REGISTRO) VALUES (2)",
                       "INSERT INTO COMPRAPRODUTO_PARCELAS (I_REGISTRO, I_PARCELA, N_VALOR) VALUES (2, 1, "
                       "7.00)"}
        << "NULL NULL NULL NULL";
    QTest::newRow("direct write stands")
        << QStringList{purchase, first, "UPDATE COMPRAPRODUTO SET N_VALORPAGO = 999.00 WHERE I_REGISTRO = 1"}
        << "100.00 105.00 999.00 105.00";
}

void TestTotalTriggers::purchaseTotals()
{
    QFETCH(QStringList, statements);
    QFETCH(QString, totals);
    TestDatabase db;
    m_schema->copyInto(db);
    for (const QString &sql : statements)
        db.exec(sql);
    QCOMPARE(
        firstRow(db, "SELECT N_VALORPARCELADO, N_VALORFINAL, N_VALORPAGO, N_VALOREMABERTO FROM COMPRAPRODUTO "
                     "WHERE I_REGISTRO = 1"),
        totals);
}

void TestTotalTriggers::tenderRollUp_data()
{
    QTest::addColumn<QStringList>("statements");
    QTest::addColumn<QString>("minute"); // N_VALOR_ATA N_VALOR_ADITIVO N_VALOR_TOTAL of minute 1
    QTest::addColumn<QString>("tender"); // the same three of the tender

    const QStringList tender = {
        "INSERT INTO LICITACOES (LICITACAO, ANO) VALUES ('001/2018', '2018')",
        "INSERT INTO ATAS (LICITACAO, ANO, I_ATA, N_VALOR_ADITIVO) VALUES ('001/2018', '2018', 1, 0)",
    };
    const QStringList items = {
        "INSERT INTO ATAS_PRODUTOS (LICITACAO, ANO, I_ATA, I_ITEM, N_SUBTOTAL) VALUES ('001/2018', '2018', "
        "1, 1, 10.00)",
        "INSERT INTO ATAS_PRODUTOS (LICITACAO, ANO, I_ATA, I_ITEM, N_SUBTOTAL) VALUES ('001/2018', '2018', "
        "1, 2, 15.50)",
    };
    const QStringList addendum = {
        "INSERT INTO ADITIVOS (LICITACAO, ANO, I_ATA, I_ADITIVO) VALUES ('001/2018', '2018', 1, 1)",
        "INSERT INTO ADITIVOS_PRODUTOS (LICITACAO, ANO, I_ATA, I_ADITIVO, I_ITEM, N_SUBTOTAL) "
        "VALUES ('001/2018', '2018', 1, 1, 1, 4.50)",
    };
    const QStringList secondMinute = {
        "INSERT INTO ATAS (LICITACAO, ANO, I_ATA, N_VALOR_ADITIVO) VALUES ('001/2018', '2018', 2, 0)",
        "INSERT INTO ATAS_PRODUTOS (LICITACAO, ANO, I_ATA, I_ITEM, N_SUBTOTAL) VALUES ('001/2018', '2018', "
        "2, 1, 3.00)",
    };

    QTest::newRow("two items") << tender + items << "25.50 0.00 25.50"
                               << "25.50 0.00 25.50";
    QTest::newRow("addendum item") << tender + items + addendum << "25.50 4.50 30.00"
                                   << "25.50 4.50 30.00";
    QTest::newRow("item changed") << tender + items + addendum +
                                         QStringList{
                                             "UPDATE ATAS_PRODUTOS SET N_SUBTOTAL = 20.00 WHERE I_ITEM = 1"}
                                  << "35.50 4.50 40.00"
                                  << "35.50 4.50 40.00";
    QTest::newRow("addendum item deleted")
        << tender + items + addendum + QStringList{"DELETE FROM ADITIVOS_PRODUTOS"} << "25.50 0.00 25.50"
        << "25.50 0.00 25.50";
    QTest::newRow("last item deleted")
        << tender + items + QStringList{"DELETE FROM ATAS_PRODUTOS"} << "0.00 0.00 0.00"
        << "0.00 0.00 0.00";
    QTest::newRow("two minutes") << tender + items + secondMinute << "25.50 0.00 25.50"
                                 << "28.50 0.00 28.50";
    // The minute's stored addendum value is added as it is, NULL included.
    QTest::newRow("NULL addendum value")
        << tender + secondMinute + QStringList{"UPDATE ATAS SET N_VALOR_ADITIVO = NULL WHERE I_ATA = 1"} +
               items
        << "25.50 NULL NULL"
        << "28.50 0.00 3.00";
}

void TestTotalTriggers::tenderRollUp()
{
    QFETCH(QStringList, statements);
    QFETCH(QString, minute);
    QFETCH(QString, tender);
    TestDatabase db;
    m_schema->copyInto(db);
    for (const QString &sql : statements)
        db.exec(sql);
    QCOMPARE(firstRow(db, "SELECT N_VALOR_ATA, N_VALOR_ADITIVO, N_VALOR_TOTAL FROM ATAS WHERE I_ATA = 1"),
             minute);
    QCOMPARE(firstRow(db, "SELECT N_VALOR_ATA, N_VALOR_ADITIVO, N_VALOR_TOTAL FROM LICITACOES"), tender);
}

void TestTotalTriggers::extraordinaryRollUp_data()
{
    QTest::addColumn<QStringList>("statements");
    QTest::addColumn<QString>("totals"); // minute 1's N_VALOR_ATA, then the purchase's N_VALOR_TOTAL

    const QStringList minutes = {
        "INSERT INTO COMPRAS_EXTRAORD (REGISTRO, ANO) VALUES ('005/2018', '2018')",
        "INSERT INTO ATAS_EXTRAORD (REGISTRO, ANO, I_ATA) VALUES ('005/2018', '2018', 1)",
        "INSERT INTO ATAS_EXTRAORD (REGISTRO, ANO, I_ATA) VALUES ('005/2018', '2018', 2)",
        "INSERT INTO ATAS_EXTRAORD_PRODUTOS (REGISTRO, ANO, I_ATA, I_ITEM, N_SUBTOTAL) "
        "VALUES ('005/2018', '2018', 1, 1, 12.25)",
        "INSERT INTO ATAS_EXTRAORD_PRODUTOS (REGISTRO, ANO, I_ATA, I_ITEM, N_SUBTOTAL) "
        "VALUES ('005/2018', '2018', 2, 1, 0.75)",
    };
    QTest::newRow("items of two minutes") << minutes << "12.25 13.00";
    QTest::newRow("item without value")
        << minutes + QStringList{"UPDATE ATAS_EXTRAORD_PRODUTOS SET N_SUBTOTAL = NULL WHERE I_ATA = 1"}
        << "0.00 0.75";
    QTest::newRow("minute deleted") << minutes + QStringList{"DELETE FROM ATAS_EXTRAORD WHERE I_ATA = 2"}
                                    << "12.25 12.25";
}

void TestTotalTriggers::extraordinaryRollUp()
{
    QFETCH(QStringList, statements);
    QFETCH(QString, totals);
    TestDatabase db;
    m_schema->copyInto(db);
    for (const QString &sql : statements)
        db.exec(sql);
    QCOMPARE(
        firstRow(db,
                 "SELECT A.N_VALOR_ATA, C.N_VALOR_TOTAL FROM ATAS_EXTRAORD A "
                 "JOIN COMPRAS_EXTRAORD C ON C.REGISTRO = A.REGISTRO AND C.ANO = A.ANO WHERE A.I_ATA = 1"),
        totals);
}

void TestTotalTriggers::headerChanges_data()
{
    QTest::addColumn<QStringList>("setup");
    QTest::addColumn<QString>("change");
    QTest::addColumn<QString>("check");
    QTest::addColumn<QString>("expected");

    const QStringList purchase = {
        "INSERT INTO COMPRAPRODUTO (I_REGISTRO) VALUES (1)",
        "INSERT INTO COMPRAPRODUTO_PARCELAS (I_REGISTRO, I_PARCELA, N_VALOR, N_VALORFINAL, N_PAGAMENTO) "
        "VALUES (1, 1, 60.00, 60.00, 10.00)",
        "INSERT INTO COMPRAPRODUTO_PARCELAS (I_REGISTRO, I_PARCELA, N_VALOR, N_VALORFINAL) VALUES (1, 2, "
        "40.00, 41.00)",
        "INSERT INTO COMPRAPRODUTO_ITENS (I_REGISTRO, I_ITEM, N_TOTAL) VALUES (1, 1, 100.00)",
    };
    const QString purchaseCounts =
        "SELECT (SELECT COUNT(*) FROM COMPRAPRODUTO_PARCELAS WHERE I_REGISTRO = %1), "
        "(SELECT COUNT(*) FROM COMPRAPRODUTO_ITENS WHERE I_REGISTRO = %1), "
        "(SELECT N_VALORFINAL FROM COMPRAPRODUTO WHERE I_REGISTRO = %1), "
        "(SELECT N_VALOREMABERTO FROM COMPRAPRODUTO WHERE I_REGISTRO = %1) "
        "FROM RDB$DATABASE";
    QTest::newRow("purchase deleted") << purchase << "DELETE FROM COMPRAPRODUTO WHERE I_REGISTRO = 1"
                                      << purchaseCounts.arg(1) << "0 0 NULL NULL";
    QTest::newRow("purchase renumbered")
        << purchase << "UPDATE COMPRAPRODUTO SET I_REGISTRO = 2 WHERE I_REGISTRO = 1" << purchaseCounts.arg(2)
        << "2 1 101.00 91.00";

    const QStringList tender = {
        "INSERT INTO LICITACOES (LICITACAO, ANO) VALUES ('001/2018', '2018')",
        "INSERT INTO ATAS (LICITACAO, ANO, I_ATA, N_VALOR_ADITIVO) VALUES ('001/2018', '2018', 1, 0)",
        "INSERT INTO ATAS_PRODUTOS (LICITACAO, ANO, I_ATA, I_ITEM, N_SUBTOTAL) VALUES ('001/2018', '2018', "
        "1, 1, 8.00)",
        "INSERT INTO ADITIVOS (LICITACAO, ANO, I_ATA, I_ADITIVO) VALUES ('001/2018', '2018', 1, 1)",
        "INSERT INTO ADITIVOS_PRODUTOS (LICITACAO, ANO, I_ATA, I_ADITIVO, I_ITEM, N_SUBTOTAL) "
        "VALUES ('001/2018', '2018', 1, 1, 1, 2.00)",
    };
    const QString tenderCounts =
        "SELECT (SELECT COUNT(*) FROM ATAS WHERE LICITACAO = '%1' AND ANO = '%2'), "
        "(SELECT COUNT(*) FROM ATAS_PRODUTOS WHERE LICITACAO = '%1' AND ANO = '%2'), "
        "(SELECT COUNT(*) FROM ADITIVOS WHERE LICITACAO = '%1' AND ANO = '%2'), "
        "(SELECT COUNT(*) FROM ADITIVOS_PRODUTOS WHERE LICITACAO = '%1' AND ANO = '%2'), "
        "(SELECT N_VALOR_TOTAL FROM LICITACOES WHERE LICITACAO = '%1' AND ANO = '%2') "
        "FROM RDB$DATABASE";
    QTest::newRow("tender deleted") << tender << "DELETE FROM LICITACOES"
                                    << tenderCounts.arg("001/2018", "2018") << "0 0 0 0 NULL";
    QTest::newRow("tender renumbered")
        << tender << "UPDATE LICITACOES SET LICITACAO = '002/2019', ANO = '2019'"
        << tenderCounts.arg("002/2019", "2019") << "1 1 1 1 10.00";

    QTest::newRow("extraordinary purchase deleted")
        << QStringList{"INSERT INTO COMPRAS_EXTRAORD (REGISTRO, ANO) VALUES ('005/2018', '2018')",
                       "INSERT INTO ATAS_EXTRAORD (REGISTRO, ANO, I_ATA) VALUES ('005/2018', '2018', 1)",
                       "INSERT INTO ATAS_EXTRAORD_PRODUTOS (REGISTRO, ANO, I_ATA, I_ITEM) VALUES "
                       "('005/2018', '2018', 1, 1)"}
        << "DELETE FROM COMPRAS_EXTRAORD"
        << "SELECT (SELECT COUNT(*) FROM ATAS_EXTRAORD), (SELECT COUNT(*) FROM ATAS_EXTRAORD_PRODUTOS) FROM "
           "RDB$DATABASE"
        << "0 0";
    QTest::newRow("delivery deleted")
        << QStringList{"INSERT INTO ENTREGAPRODUTO (I_REGISTRO) VALUES (1)",
                       "INSERT INTO ENTREGAPRODUTO_ITENS (I_REGISTRO, I_ITEM) VALUES (1, 1)"}
        << "DELETE FROM ENTREGAPRODUTO"
        << "SELECT COUNT(*) FROM ENTREGAPRODUTO_ITENS"
        << "0";
    QTest::newRow("request on an addendum deleted")
        << QStringList{"INSERT INTO SADCOMPRA (I_REGISTRO) VALUES (1)",
                       "INSERT INTO SADCOMPRA_ITENS (I_REGISTRO, I_ITEM) VALUES (1, 1)",
                       "INSERT INTO SADCOMPRA_ITENS (I_REGISTRO, I_ITEM) VALUES (1, 2)"}
        << "DELETE FROM SADCOMPRA"
        << "SELECT COUNT(*) FROM SADCOMPRA_ITENS"
        << "0";
    QTest::newRow("referenced product deleted")
        << QStringList{"INSERT INTO PRODUTOS (I_PRODUTO) VALUES (9)",
                       "INSERT INTO RCOMPRA (I_REGISTRO) VALUES (1)",
                       "INSERT INTO RCOMPRA_ITENS (I_REGISTRO, I_ITEM, I_PRODUTO) VALUES (1, 1, 9)"}
        << "DELETE FROM PRODUTOS"
        << "SELECT COUNT(*) FROM RCOMPRA_ITENS WHERE I_PRODUTO = 9"
        << "1";
}

void TestTotalTriggers::headerChanges()
{
    QFETCH(QStringList, setup);
    QFETCH(QString, change);
    QFETCH(QString, check);
    QFETCH(QString, expected);
    TestDatabase db;
    m_schema->copyInto(db);
    for (const QString &sql : setup)
        db.exec(sql);
    db.exec(change);
    QCOMPARE(firstRow(db, check), expected);
}

void TestTotalTriggers::detailMovedToAnotherParent_data()
{
    QTest::addColumn<QStringList>("setup");
    QTest::addColumn<QString>("move");
    QTest::addColumn<QString>("check"); // the parent left, then the parent reached
    QTest::addColumn<QString>("expected");

    const QStringList purchases = {
        "INSERT INTO COMPRAPRODUTO (I_REGISTRO) VALUES (1)",
        "INSERT INTO COMPRAPRODUTO (I_REGISTRO) VALUES (2)",
        "INSERT INTO COMPRAPRODUTO_PARCELAS (I_REGISTRO, I_PARCELA, N_VALOR, N_VALORFINAL, N_PAGAMENTO) "
        "VALUES (1, 1, 100.00, 100.00, 100.00)",
        "INSERT INTO COMPRAPRODUTO_PARCELAS (I_REGISTRO, I_PARCELA, N_VALOR, N_VALORFINAL, N_PAGAMENTO) "
        "VALUES (1, 2, 7.00, 5.00, 5.00)",
        "INSERT INTO COMPRAPRODUTO_PARCELAS (I_REGISTRO, I_PARCELA, N_VALOR, N_VALORFINAL, N_PAGAMENTO) "
        "VALUES (1, 3, 50.00, 52.00, 10.00)",
    };
    const QString purchaseTotals =
        "SELECT P1.N_VALORPARCELADO, P1.N_VALORFINAL, P1.N_VALORPAGO, P1.N_VALOREMABERTO, "
        "P2.N_VALORPARCELADO, P2.N_VALORFINAL, P2.N_VALORPAGO, P2.N_VALOREMABERTO "
        "FROM COMPRAPRODUTO P1, COMPRAPRODUTO P2 WHERE P1.I_REGISTRO = 1 AND P2.I_REGISTRO = 2";
    QTest::newRow("instalment to another purchase")
        << purchases << "UPDATE COMPRAPRODUTO_PARCELAS SET I_REGISTRO = 2 WHERE I_PARCELA = 3"
        << purchaseTotals << "107.00 105.00 105.00 0.00 50.00 52.00 10.00 42.00";

    const QStringList minutes = {
        "INSERT INTO LICITACOES (LICITACAO, ANO) VALUES ('001/2018', '2018')",
        "INSERT INTO LICITACOES (LICITACAO, ANO) VALUES ('002/2018', '2018')",
        "INSERT INTO ATAS (LICITACAO, ANO, I_ATA, N_VALOR_ADITIVO) VALUES ('001/2018', '2018', 1, 0)",
        "INSERT INTO ATAS (LICITACAO, ANO, I_ATA, N_VALOR_ADITIVO) VALUES ('001/2018', '2018', 2, 0)",
        "INSERT INTO ATAS_PRODUTOS (LICITACAO, ANO, I_ATA, I_ITEM, N_SUBTOTAL) VALUES ('001/2018', '2018', "
        "1, 1, 10.00)",
        "INSERT INTO ATAS_PRODUTOS (LICITACAO, ANO, I_ATA, I_ITEM, N_SUBTOTAL) VALUES ('001/2018', '2018', "
        "1, 2, 15.50)",
        "INSERT INTO ATAS_PRODUTOS (LICITACAO, ANO, I_ATA, I_ITEM, N_SUBTOTAL) VALUES ('001/2018', '2018', "
        "2, 3, 3.00)",
        "INSERT INTO ADITIVOS (LICITACAO, ANO, I_ATA, I_ADITIVO) VALUES ('001/2018', '2018', 1, 1)",
        "INSERT INTO ADITIVOS (LICITACAO, ANO, I_ATA, I_ADITIVO) VALUES ('001/2018', '2018', 1, 2)",
        "INSERT INTO ADITIVOS_PRODUTOS (LICITACAO, ANO, I_ATA, I_ADITIVO, I_ITEM, N_SUBTOTAL) "
        "VALUES ('001/2018', '2018', 1, 1, 1, 4.50)",
    };
    const QString minuteTotals = "SELECT A1.N_VALOR_ATA, A1.N_VALOR_TOTAL, A2.N_VALOR_ATA, A2.N_VALOR_TOTAL "
                                 "FROM ATAS A1, ATAS A2 WHERE A1.I_ATA = 1 AND A2.I_ATA = 2";
    QTest::newRow("minute item to another minute")
        << minutes << "UPDATE ATAS_PRODUTOS SET I_ATA = 2 WHERE I_ITEM = 1" << minuteTotals
        << "15.50 20.00 13.00 13.00";
    QTest::newRow("addendum item to another addendum")
        << minutes << "UPDATE ADITIVOS_PRODUTOS SET I_ADITIVO = 2"
        << "SELECT D1.N_VALOR_ADITIVO, D2.N_VALOR_ADITIVO, A.N_VALOR_ADITIVO, A.N_VALOR_TOTAL "
           "FROM ADITIVOS D1, ADITIVOS D2, ATAS A WHERE D1.I_ADITIVO = 1 AND D2.I_ADITIVO = 2 AND A.I_ATA = 1"
        << "0.00 4.50 4.50 30.00";
    QTest::newRow("minute to another tender")
        << minutes << "UPDATE ATAS SET LICITACAO = '002/2018' WHERE I_ATA = 2"
        << "SELECT L1.N_VALOR_TOTAL, L2.N_VALOR_TOTAL FROM LICITACOES L1, LICITACOES L2 "
           "WHERE L1.LICITACAO = '001/2018' AND L2.LICITACAO = '002/2018'"
        << "30.00 3.00";

    const QStringList extraordinary = {
        "INSERT INTO COMPRAS_EXTRAORD (REGISTRO, ANO) VALUES ('005/2018', '2018')",
        "INSERT INTO ATAS_EXTRAORD (REGISTRO, ANO, I_ATA) VALUES ('005/2018', '2018', 1)",
        "INSERT INTO ATAS_EXTRAORD (REGISTRO, ANO, I_ATA) VALUES ('005/2018', '2018', 2)",
        "INSERT INTO ATAS_EXTRAORD_PRODUTOS (REGISTRO, ANO, I_ATA, I_ITEM, N_SUBTOTAL) "
        "VALUES ('005/2018', '2018', 1, 1, 12.25)",
    };
    QTest::newRow("extraordinary item to another minute")
        << extraordinary << "UPDATE ATAS_EXTRAORD_PRODUTOS SET I_ATA = 2"
        << "SELECT A1.N_VALOR_ATA, A2.N_VALOR_ATA FROM ATAS_EXTRAORD A1, ATAS_EXTRAORD A2 "
           "WHERE A1.I_ATA = 1 AND A2.I_ATA = 2"
        << "0.00 12.25";
}

void TestTotalTriggers::detailMovedToAnotherParent()
{
    QFETCH(QStringList, setup);
    QFETCH(QString, move);
    QFETCH(QString, check);
    QFETCH(QString, expected);
    TestDatabase db;
    m_schema->copyInto(db);
    for (const QString &sql : setup)
        db.exec(sql);
    db.exec(move);
    QCOMPARE(firstRow(db, check), expected);
}

QTEST_GUILESS_MAIN(TestTotalTriggers)
#include "tst_totaltriggers.moc"
