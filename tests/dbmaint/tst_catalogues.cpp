#include "dbmaint/CatalogueI.h"
#include "dbmaint/CatalogueII.h"

#include <QRegularExpression>
#include <QTest>

class TestCatalogues : public QObject
{
    Q_OBJECT

private slots:
    void updateI_holdsTheDocumentedTexts_data();
    void updateI_holdsTheDocumentedTexts();
    void updateI_createsAndKeysEachTableInOrder_data();
    void updateI_createsAndKeysEachTableInOrder();
    void updateI_replacesForeignKeysInOrder_data();
    void updateI_replacesForeignKeysInOrder();
    void updateI_tableTextsAreLaidOutAlike();
    void updateII_holdsTheDocumentedTexts_data();
    void updateII_holdsTheDocumentedTexts();
    void updateII_dropsThenCreatesEachTrigger_data();
    void updateII_dropsThenCreatesEachTrigger();
    void updateII_triggerLinesAreFramedByBlanks();
};

void TestCatalogues::updateI_holdsTheDocumentedTexts_data()
{
    QTest::addColumn<int>("position");
    QTest::addColumn<QString>("text");

    QTest::newRow("shortest table") << 104
                                    << "CREATE TABLE GRUPO_PRODUTOS (\r"
                                       "    I_GRUPO         INTEGER NOT NULL,\r"
                                       "    GRUPO           VARCHAR(100),\r"
                                       "    DIGITADO        VARCHAR(100),\r"
                                       "    ALTERADO        VARCHAR(100))";
    QTest::newRow("two-column key")
        << 8
        << "ALTER TABLE COMPRAPRODUTO_PARCELAS ADD CONSTRAINT PK_COMPRAPRODUTO_PARCELAS "
           "PRIMARY KEY (I_REGISTRO,I_PARCELA)";
    QTest::newRow("budget units key")
        << 24 << "ALTER TABLE UNIDADES ADD CONSTRAINT PK_UNIDADES PRIMARY KEY (I_UNIDADE)";
    QTest::newRow("drop foreign key") << 58 << "ALTER TABLE ATAS DROP CONSTRAINT FK_ATAS_1";
    QTest::newRow("add foreign key")
        << 59
        << "ALTER TABLE ATAS ADD CONSTRAINT FK_ATAS_1 FOREIGN KEY (LICITACAO,ANO) "
           "REFERENCES LICITACOES(LICITACAO,ANO) ON DELETE CASCADE ON UPDATE CASCADE;";
    QTest::newRow("deepest foreign key")
        << 65
        << "ALTER TABLE ADITIVOS_PRODUTOS ADD CONSTRAINT FK_ADITIVOS_PRODUTOS_1 FOREIGN KEY "
           "(LICITACAO,ANO,I_ATA,I_ADITIVO) REFERENCES ADITIVOS(LICITACAO,ANO,I_ATA,I_ADITIVO) "
           "ON DELETE CASCADE ON UPDATE CASCADE;";
    QTest::newRow("empty 11") << 11 << "";
    QTest::newRow("empty 12") << 12 << "";
    QTest::newRow("process column") << 37 << "ALTER TABLE COMPRAPRODUTO ADD PROCESSO VARCHAR(8)";
    QTest::newRow("tender column") << 38 << "ALTER TABLE COMPRAPRODUTO ADD LICITACAO VARCHAR(15)";
    QTest::newRow("commitment column") << 39 << "ALTER TABLE COMPRAPRODUTO ADD EMPENHO VARCHAR(8)";
    QTest::newRow("group column") << 106 << "ALTER TABLE PRODUTOS ADD I_GRUPO INTEGER";
    QTest::newRow("user table") << 44
                                << "CREATE TABLE USUARIOS_ESTOC (\r"
                                   "    IDUSUARIO       VARCHAR(4) NOT NULL,\r"
                                   "    USUARIO         VARCHAR(100),\r"
                                   "    CPF             VARCHAR(14) NOT NULL,\r"
                                   "    SENHA           VARCHAR(20),\r"
                                   "    CONFIRMA        VARCHAR(20),\r"
                                   "    NIVEL           VARCHAR(50),\r"
                                   "    B_FOTO          BLOB SUB_TYPE 0 SEGMENT SIZE 80,\r"
                                   "    PRIMEIRO_ACESSO VARCHAR(1),\r"
                                   "    DIGITADO        VARCHAR(100),\r"
                                   "    ALTERADO        VARCHAR(100))";
}

void TestCatalogues::updateI_holdsTheDocumentedTexts()
{
    QFETCH(int, position);
    QFETCH(QString, text);
    const QStringList catalogue = catalogueI();
    QCOMPARE(catalogue.size(), 106);
    QCOMPARE(catalogue.at(position - 1), text);
}

void TestCatalogues::updateI_createsAndKeysEachTableInOrder_data()
{
    QTest::addColumn<int>("position");
    QTest::addColumn<QString>("table");
    QTest::addColumn<QString>("key");

    struct Group {
        int first;
        QList<std::pair<const char *, const char *>> tables;
    };
    const QList<Group> groups = {
        {1,
         {{"FORNECEDORES", "I_FORNECEDOR"},
          {"PRODUTOS", "I_PRODUTO"},
          {"COMPRAPRODUTO", "I_REGISTRO"},
          {"COMPRAPRODUTO_PARCELAS", "I_REGISTRO,I_PARCELA"},
          {"COMPRAPRODUTO_ITENS", "I_REGISTRO,I_ITEM"}}},
        {13, {{"ENTREGAPRODUTO", "I_REGISTRO"}, {"ENTREGAPRODUTO_ITENS", "I_REGISTRO,I_ITEM"}}},
        {23,
         {{"UNIDADES", "I_UNIDADE"},
          {"LICITACAOMODALIDADE", "IDMODALIDADE"},
          {"EMPENHOTIPO", "IDTIPO"},
          {"PROCESSOS", "PROCESSO"},
          {"LICITACOES", "LICITACAO,ANO"},
          {"EMPENHOS", "EMPENHO"},
          {"DIGITOS", "DIGITO"}}},
        {40,
         {{"PRODUTOS_LICITA", "I_PRODUTO"},
          {"USUARIOS_SEC", "IDUSUARIO"},
          {"USUARIOS_ESTOC", "IDUSUARIO"},
          {"USUARIOS_COMPRA", "IDUSUARIO"},
          {"DESPESAS", "IDDESPESA"},
          {"ATAS", "LICITACAO,ANO,I_ATA"},
          {"ATAS_PRODUTOS", "LICITACAO,ANO,I_ATA,I_ITEM"},
          {"ADITIVOS", "LICITACAO,ANO,I_ATA,I_ADITIVO"},
          {"ADITIVOS_PRODUTOS", "LICITACAO,ANO,I_ATA,I_ADITIVO,I_ITEM"}}},
        {66,
         {{"COMPRAS_EXTRAORD", "REGISTRO,ANO"},
          {"ATAS_EXTRAORD", "REGISTRO,ANO,I_ATA"},
          {"ATAS_EXTRAORD_PRODUTOS", "REGISTRO,ANO,I_ATA,I_ITEM"}}},
        {76,
         {{"USUARIOS_DEPT", "IDUSUARIO"},
          {"USUARIOS_FINANC", "IDUSUARIO"},
          {"RCOMPRA", "I_REGISTRO"},
          {"RCOMPRA_ITENS", "I_REGISTRO,I_ITEM"},
          {"SATCOMPRA", "I_REGISTRO"},
          {"SATCOMPRA_ITENS", "I_REGISTRO,I_ITEM"},
          {"SADCOMPRA", "I_REGISTRO"},
          {"SADCOMPRA_ITENS", "I_REGISTRO,I_ITEM"},
          {"SEXCOMPRA", "I_REGISTRO"},
          {"SEXCOMPRA_ITENS", "I_REGISTRO,I_ITEM"}}},
        {104, {{"GRUPO_PRODUTOS", "I_GRUPO"}}},
    };
    int count = 0;
    for (const Group &group : groups) {
        int position = group.first;
        for (const auto &[table, key] : group.tables) {
            QTest::newRow(table) << position << QString(table) << QString(key);
            position += 2;
            ++count;
        }
    }
    QCOMPARE(count, 37);
}

void TestCatalogues::updateI_createsAndKeysEachTableInOrder()
{
    QFETCH(int, position);
    QFETCH(QString, table);
    QFETCH(QString, key);
    const QStringList catalogue = catalogueI();
    QVERIFY(catalogue.at(position - 1).startsWith("CREATE TABLE " + table + " (\r"));
    QCOMPARE(catalogue.at(position),
             QString("ALTER TABLE %1 ADD CONSTRAINT PK_%1 PRIMARY KEY (%2)").arg(table, key));
}

void TestCatalogues::updateI_replacesForeignKeysInOrder_data()
{
    QTest::addColumn<int>("position");
    QTest::addColumn<QString>("detail");
    QTest::addColumn<QString>("header");
    QTest::addColumn<QString>("columns");

    QTest::newRow("instalments") << 17 << "COMPRAPRODUTO_PARCELAS"
                                 << "COMPRAPRODUTO"
                                 << "I_REGISTRO";
    QTest::newRow("purchase items") << 19 << "COMPRAPRODUTO_ITENS"
                                    << "COMPRAPRODUTO"
                                    << "I_REGISTRO";
    QTest::newRow("delivery items") << 21 << "ENTREGAPRODUTO_ITENS"
                                    << "ENTREGAPRODUTO"
                                    << "I_REGISTRO";
    QTest::newRow("minutes") << 58 << "ATAS"
                             << "LICITACOES"
                             << "LICITACAO,ANO";
    QTest::newRow("minute items") << 60 << "ATAS_PRODUTOS"
                                  << "ATAS"
                                  << "LICITACAO,ANO,I_ATA";
    QTest::newRow("addenda") << 62 << "ADITIVOS"
                             << "ATAS"
                             << "LICITACAO,ANO,I_ATA";
    QTest::newRow("addendum items") << 64 << "ADITIVOS_PRODUTOS"
                                    << "ADITIVOS"
                                    << "LICITACAO,ANO,I_ATA,I_ADITIVO";
    QTest::newRow("extra minutes") << 72 << "ATAS_EXTRAORD"
                                   << "COMPRAS_EXTRAORD"
                                   << "REGISTRO,ANO";
    QTest::newRow("extra items") << 74 << "ATAS_EXTRAORD_PRODUTOS"
                                 << "ATAS_EXTRAORD"
                                 << "REGISTRO,ANO,I_ATA";
    QTest::newRow("request items") << 96 << "RCOMPRA_ITENS"
                                   << "RCOMPRA"
                                   << "I_REGISTRO";
    QTest::newRow("minute request items") << 98 << "SATCOMPRA_ITENS"
                                          << "SATCOMPRA"
                                          << "I_REGISTRO";
    QTest::newRow("addendum request items") << 100 << "SADCOMPRA_ITENS"
                                            << "SADCOMPRA"
                                            << "I_REGISTRO";
    QTest::newRow("extra request items") << 102 << "SEXCOMPRA_ITENS"
                                         << "SEXCOMPRA"
                                         << "I_REGISTRO";
}

void TestCatalogues::updateI_replacesForeignKeysInOrder()
{
    QFETCH(int, position);
    QFETCH(QString, detail);
    QFETCH(QString, header);
    QFETCH(QString, columns);
    const QStringList catalogue = catalogueI();
    QCOMPARE(catalogue.at(position - 1), QString("ALTER TABLE %1 DROP CONSTRAINT FK_%1_1").arg(detail));
    QCOMPARE(catalogue.at(position),
             QString("ALTER TABLE %1 ADD CONSTRAINT FK_%1_1 FOREIGN KEY (%3) REFERENCES "
                     "%2(%3) ON DELETE CASCADE ON UPDATE CASCADE;")
                 .arg(detail, header, columns));
}

void TestCatalogues::updateI_tableTextsAreLaidOutAlike()
{
    const QRegularExpression column(R"(^    ([A-Z_]+ +)[A-Z]+.*$)");
    int tables = 0;
    for (const QString &text : catalogueI()) {
        if (!text.startsWith("CREATE TABLE "))
            continue;
        ++tables;
        QVERIFY2(!text.contains('\n'), qPrintable(text));
        QVERIFY(text.endsWith(')') && !text.endsWith(" )") && !text.endsWith(";"));
        const QStringList lines = text.split('\r');
        QVERIFY(lines.first().endsWith(" ("));
        qsizetype width = -1;
        for (qsizetype i = 1; i < lines.size(); ++i) {
            const auto match = column.match(lines[i]);
            QVERIFY2(match.hasMatch(), qPrintable(lines[i]));
            if (width < 0)
                width = match.capturedLength(1);
            QCOMPARE(match.capturedLength(1), width);
            QCOMPARE(lines[i].endsWith(','), i + 1 < lines.size());
        }
        QVERIFY(lines[lines.size() - 2].startsWith("    DIGITADO "));
        QVERIFY(lines.last().startsWith("    ALTERADO "));
    }
    QCOMPARE(tables, 37);
}

void TestCatalogues::updateII_holdsTheDocumentedTexts_data()
{
    QTest::addColumn<int>("step");
    QTest::addColumn<QString>("text");

    QTest::newRow("drop") << 5 << "DROP TRIGGER ATAS_T1;";
    QTest::newRow("shortest trigger") << 24
                                      << "CREATE TRIGGER ATAS_EXTRAORD_T2 FOR ATAS_EXTRAORD \r"
                                         " ACTIVE AFTER DELETE POSITION 0 \r"
                                         " AS \r"
                                         "     DECLARE VARIABLE RT1 NUMERIC(15,2); \r"
                                         "  begin \r"
                                         "     RT1 = 0; \r"
                                         "     SELECT \r"
                                         "       COALESCE(SUM(A.N_VALOR_ATA),0) AS TOTAL1 \r"
                                         "     FROM \r"
                                         "      ATAS_EXTRAORD A \r"
                                         "     WHERE \r"
                                         "      A.REGISTRO = OLD.REGISTRO \r"
                                         "      AND \r"
                                         "      A.ANO = OLD.ANO \r"
                                         "     INTO :RT1; \r"
                                         " \r"
                                         "   UPDATE COMPRAS_EXTRAORD C \r"
                                         "    SET \r"
                                         "     C.N_VALOR_TOTAL       = :RT1 \r"
                                         "    WHERE \r"
                                         "     C.REGISTRO = OLD.REGISTRO \r"
                                         "     AND \r"
                                         "     C.ANO = OLD.ANO; \r"
                                         " end ";
    // An update that moves a row to another parent recomputes the parent it left as well.
    QTest::newRow("insert-or-update trigger") << 22
                                              << "CREATE TRIGGER ATAS_EXTRAORD_T1 FOR ATAS_EXTRAORD \r"
                                                 " ACTIVE AFTER INSERT OR UPDATE POSITION 0 \r"
                                                 " AS \r"
                                                 "     DECLARE VARIABLE RT1 NUMERIC(15,2); \r"
                                                 "  begin \r"
                                                 "     RT1 = 0; \r"
                                                 "     SELECT \r"
                                                 "       COALESCE(SUM(A.N_VALOR_ATA),0) AS TOTAL1 \r"
                                                 "     FROM \r"
                                                 "      ATAS_EXTRAORD A \r"
                                                 "     WHERE \r"
                                                 "      A.REGISTRO = NEW.REGISTRO \r"
                                                 "      AND \r"
                                                 "      A.ANO = NEW.ANO \r"
                                                 "     INTO :RT1; \r"
                                                 " \r"
                                                 "   UPDATE COMPRAS_EXTRAORD C \r"
                                                 "    SET \r"
                                                 "     C.N_VALOR_TOTAL       = :RT1 \r"
                                                 "    WHERE \r"
                                                 "     C.REGISTRO = NEW.REGISTRO \r"
                                                 "     AND \r"
                                                 "     C.ANO = NEW.ANO; \r"
                                                 " \r"
                                                 "   IF (UPDATING AND (NEW.REGISTRO IS DISTINCT FROM "
                                                 "OLD.REGISTRO OR NEW.ANO IS DISTINCT FROM OLD.ANO)) THEN \r"
                                                 "   begin \r"
                                                 "     SELECT \r"
                                                 "       COALESCE(SUM(A.N_VALOR_ATA),0) AS TOTAL1 \r"
                                                 "     FROM \r"
                                                 "      ATAS_EXTRAORD A \r"
                                                 "     WHERE \r"
                                                 "      A.REGISTRO = OLD.REGISTRO \r"
                                                 "      AND \r"
                                                 "      A.ANO = OLD.ANO \r"
                                                 "     INTO :RT1; \r"
                                                 " \r"
                                                 "   UPDATE COMPRAS_EXTRAORD C \r"
                                                 "    SET \r"
                                                 "     C.N_VALOR_TOTAL       = :RT1 \r"
                                                 "    WHERE \r"
                                                 "     C.REGISTRO = OLD.REGISTRO \r"
                                                 "     AND \r"
                                                 "     C.ANO = OLD.ANO; \r"
                                                 "   end \r"
                                                 " end ";
}

void TestCatalogues::updateII_holdsTheDocumentedTexts()
{
    QFETCH(int, step);
    QFETCH(QString, text);
    const QStringList catalogue = catalogueII();
    QCOMPARE(catalogue.size(), 28);
    QCOMPARE(catalogue.at(step - 1), text);
}

void TestCatalogues::updateII_dropsThenCreatesEachTrigger_data()
{
    QTest::addColumn<int>("k");
    QTest::addColumn<QString>("trigger");
    QTest::addColumn<QString>("table");
    QTest::addColumn<int>("declared");
    QTest::addColumn<int>("zeroed");

    const QList<std::tuple<const char *, int, int>> tables = {
        {"COMPRAPRODUTO_PARCELAS", 3, 0}, {"ATAS", 3, 3},
        {"ATAS_PRODUTOS", 1, 1},          {"ADITIVOS", 1, 1},
        {"ADITIVOS_PRODUTOS", 1, 1},      {"ATAS_EXTRAORD", 1, 1},
        {"ATAS_EXTRAORD_PRODUTOS", 1, 1},
    };
    int k = 1;
    for (const auto &[table, declared, zeroed] : tables) {
        for (const char *ending : {"_T1", "_T2"}) {
            const QString trigger = QString(table) + ending;
            QTest::newRow(qPrintable(trigger)) << k++ << trigger << QString(table) << declared << zeroed;
        }
    }
}

void TestCatalogues::updateII_dropsThenCreatesEachTrigger()
{
    QFETCH(int, k);
    QFETCH(QString, trigger);
    QFETCH(QString, table);
    QFETCH(int, declared);
    QFETCH(int, zeroed);
    const QStringList catalogue = catalogueII();
    QCOMPARE(catalogue.at(2 * k - 2), "DROP TRIGGER " + trigger + ";");

    const QStringList lines = catalogue.at(2 * k - 1).split('\r');
    QCOMPARE(lines.at(0), "CREATE TRIGGER " + trigger + " FOR " + table + " ");
    const bool afterDelete = trigger.endsWith("_T2");
    QCOMPARE(lines.at(1), afterDelete ? QString(" ACTIVE AFTER DELETE POSITION 0 ")
                                      : QString(" ACTIVE AFTER INSERT OR UPDATE POSITION 0 "));
    QCOMPARE(lines.at(2), QString(" AS "));
    for (int i = 0; i < declared; ++i)
        QCOMPARE(lines.at(3 + i), QString("     DECLARE VARIABLE RT%1 NUMERIC(15,2); ").arg(i + 1));
    QCOMPARE(lines.at(3 + declared), QString("  begin "));
    for (int i = 0; i < zeroed; ++i)
        QCOMPARE(lines.at(4 + declared + i), QString("     RT%1 = 0; ").arg(i + 1));
    QCOMPARE(lines.at(4 + declared + zeroed), QString("     SELECT "));
    QCOMPARE(lines.last(), QString(" end "));

    // The key columns come from the row the trigger fired for; an insert-or-update trigger reads
    // the old row only to recompute the parent an update moved the row away from.
    const QString text = catalogue.at(2 * k - 1);
    const qsizetype moved = text.indexOf(" \r   IF (UPDATING AND (");
    QCOMPARE(moved >= 0, !afterDelete);
    const QString ownParent = afterDelete ? text : text.left(moved);
    QCOMPARE(ownParent.contains("NEW."), !afterDelete);
    QCOMPARE(ownParent.contains("OLD."), afterDelete);
    if (!afterDelete)
        QVERIFY(!text.mid(moved).contains("= NEW."));
}

void TestCatalogues::updateII_triggerLinesAreFramedByBlanks()
{
    const QStringList catalogue = catalogueII();
    for (qsizetype step = 2; step <= catalogue.size(); step += 2) {
        const QString &text = catalogue.at(step - 1);
        QVERIFY(!text.contains('\n'));
        QVERIFY(!text.trimmed().endsWith(';'));
        const QStringList lines = text.split('\r');
        for (qsizetype i = 0; i < lines.size(); ++i) {
            QVERIFY2(lines[i].endsWith(' '), qPrintable(lines[i]));
            QVERIFY2(i == 0 || lines[i].startsWith(' '), qPrintable(lines[i]));
        }
    }
}

QTEST_GUILESS_MAIN(TestCatalogues)
#include "tst_catalogues.moc"
