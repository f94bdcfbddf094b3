#include "tests/users/UsersFixture.h"

#include <firebird/Interface.h>

#include "db/FbError.h"
#include "records/RecordProvider.h"
#include "records/RecordSet.h"

// The client-side record set and its provider against a small table of their own.
class TestRecordSet : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void insertWritesEveryFieldAndBytesUnchanged();
    void updateWritesOnlyChangedFieldsByKeyAsRead();
    void deleteRemovesTheRowAndCancelUpdatesBringsItBack();
    void cancelDropsAnInsertionOrRestoresAnEdit();
    void rulesRunAfterInsertEditAndFieldChange();
    void fieldsCannotChangeWhileBrowsing();
    void requiredFieldBlocksPost();
    void textLongerThanItsFieldIsRefusedOrCut_data();
    void textLongerThanItsFieldIsRefusedOrCut();
    void refusedChangesStayPending_data();
    void refusedChangesStayPending();
    void allowedErrorsLetTheOthersThrough();
    void failureOutsideTheChangesIsRaised();
    void indexOrdersAsABrazilianReaderExpects();
    void findNearest_data();
    void findNearest();

private:
    RecordSet *openTable(const QString &key = QString());

    std::unique_ptr<TestDatabase> m_db;
    std::unique_ptr<RecordProvider> m_provider;
    std::unique_ptr<RecordSet> m_set;
};

void TestRecordSet::init()
{
    m_db = std::make_unique<TestDatabase>();
    m_db->exec("CREATE TABLE T (K VARCHAR(4) NOT NULL, N VARCHAR(40), B BLOB SUB_TYPE 0, PRIMARY KEY (K))");
    m_db->exec("INSERT INTO T VALUES ('0001', 'PRIMEIRO', NULL)");
    m_db->exec("INSERT INTO T VALUES ('0002', 'SEGUNDO', NULL)");
    m_provider = std::make_unique<RecordProvider>(m_db->connection());
    m_provider->setUpdateTable("T");
    m_set = std::make_unique<RecordSet>();
    m_set->setProvider(m_provider.get());
    m_set->setFieldDefs({{"K", FieldDef::Kind::Text, 4, true, true},
                         {"N", FieldDef::Kind::Text, 40},
                         {"B", FieldDef::Kind::Binary}});
}

void TestRecordSet::cleanup()
{
    m_set.reset();
    m_provider.reset();
    m_db.reset();
}

RecordSet *TestRecordSet::openTable(const QString &key)
{
    if (key.isEmpty()) {
        m_provider->setSql("SELECT K, N, B FROM T ORDER BY K");
    } else {
        m_provider->setSql("SELECT K, N, B FROM T WHERE K = :UM");
        m_set->setParam("UM", key);
    }
    m_set->open();
    return m_set.get();
}

void TestRecordSet::insertWritesEveryFieldAndBytesUnchanged()
{
    RecordSet *set = openTable("0001");
    QCOMPARE(set->recordCount(), 1);
    // Bytes that no text conversion would leave alone.
    QByteArray bytes("\xFF\xD8\x00\x80\x9F\x81\r\n\x00", 9);
    set->append();
    QCOMPARE(set->state(), RecordSet::State::Insert);
    set->setValue("K", "0003");
    set->setValue("N", "AÇÃO");
    set->setValue("B", bytes);
    set->post();
    QCOMPARE(set->state(), RecordSet::State::Browse);
    QCOMPARE(set->changeCount(), 1);
    QCOMPARE(m_db->scalar("SELECT COUNT(*) FROM T").toInt(), 2); // nothing written before the apply

    QCOMPARE(set->applyUpdates(0), 0);
    QCOMPARE(set->changeCount(), 0);
    QCOMPARE(m_db->scalar("SELECT N FROM T WHERE K = '0003'").toString(), QStringLiteral("AÇÃO"));
    QCOMPARE(m_db->scalar("SELECT B FROM T WHERE K = '0003'").toByteArray(), bytes);

    set->close();
    set->setParam("UM", "0003");
    set->open();
    QCOMPARE(set->value("B").toByteArray(), bytes);
}

void TestRecordSet::updateWritesOnlyChangedFieldsByKeyAsRead()
{
    RecordSet *set = openTable("0001");
    // Another client changes the name meanwhile; our change of key and photo must not undo it.
    m_db->exec("UPDATE T SET N = 'DE OUTRO' WHERE K = '0001'");
    set->edit();
    set->setValue("K", "0009");
    set->setValue("B", QByteArray("foto"));
    QCOMPARE(set->applyUpdates(0), 0);

    QCOMPARE(m_db->scalar("SELECT COUNT(*) FROM T WHERE K = '0001'").toInt(), 0);
    QCOMPARE(m_db->scalar("SELECT N FROM T WHERE K = '0009'").toString(), QStringLiteral("DE OUTRO"));
    QCOMPARE(m_db->scalar("SELECT B FROM T WHERE K = '0009'").toByteArray(), QByteArray("foto"));

    // A change of the name is located by the name as read too: the other client's name is
    // not overwritten, the change is refused as a conflict and stays pending.
    set->edit();
    set->setValue("N", "TERCEIRO");
    QCOMPARE(set->applyUpdates(0), 1);
    QVERIFY(set->applyError() && set->applyError()->hasCode(isc_update_conflict));
    QCOMPARE(set->changeCount(), 1);
    QCOMPARE(m_db->scalar("SELECT N FROM T WHERE K = '0009'").toString(), QStringLiteral("DE OUTRO"));
}

void TestRecordSet::deleteRemovesTheRowAndCancelUpdatesBringsItBack()
{
    RecordSet *set = openTable();
    set->setRecNo(1);
    set->remove();
    QCOMPARE(set->recordCount(), 1);
    QCOMPARE(set->text("K"), QStringLiteral("0001"));
    set->cancelUpdates();
    QCOMPARE(set->recordCount(), 2);
    QCOMPARE(set->text("K"), QStringLiteral("0002")); // the record that came back is current
    QCOMPARE(set->changeCount(), 0);

    set->remove();
    QCOMPARE(set->applyUpdates(0), 0);
    QCOMPARE(m_db->scalar("SELECT LIST(K) FROM T").toString(), QStringLiteral("0001"));
}

void TestRecordSet::cancelDropsAnInsertionOrRestoresAnEdit()
{
    RecordSet *set = openTable();
    set->setRecNo(1);
    set->append();
    set->setValue("K", "0003");
    set->cancel();
    QCOMPARE(set->recordCount(), 2);
    QCOMPARE(set->text("K"), QStringLiteral("0002"));

    set->edit();
    set->setValue("N", "MUDADO");
    set->cancel();
    QCOMPARE(set->state(), RecordSet::State::Browse);
    QCOMPARE(set->text("N"), QStringLiteral("SEGUNDO"));
    QCOMPARE(set->changeCount(), 0);

    // A posted change is pending until applied or cancelled as a whole.
    set->edit();
    set->setValue("N", "MUDADO");
    set->post();
    set->cancelUpdates();
    QCOMPARE(set->text("N"), QStringLiteral("SEGUNDO"));
    QCOMPARE(set->applyUpdates(0), 0);
    QCOMPARE(m_db->scalar("SELECT N FROM T WHERE K = '0002'").toString(), QStringLiteral("SEGUNDO"));
}

void TestRecordSet::rulesRunAfterInsertEditAndFieldChange()
{
    QStringList seen;
    m_set->setAfterInsert([&] {
        seen << "insert";
        m_set->setValue("K", "7");
    });
    m_set->setAfterEdit([&] { seen << "edit:" + m_set->text("N"); });
    m_set->setFieldChange("k", [&] {
        seen << "K=" + m_set->text("K");
        if (m_set->text("K").size() < 4)
            m_set->setValue("K", m_set->text("K").rightJustified(4, u'0')); // runs the rule again
    });
    RecordSet *set = openTable("0001");
    QVERIFY(seen.isEmpty()); // loading runs no rule

    set->append();
    QCOMPARE(seen, QStringList({"insert", "K=7", "K=0007"}));
    QCOMPARE(set->text("K"), QStringLiteral("0007"));
    set->cancel();

    seen.clear();
    set->edit();
    set->edit(); // already editing: nothing runs again
    QCOMPARE(seen, QStringList({"edit:PRIMEIRO"}));
}

void TestRecordSet::fieldsCannotChangeWhileBrowsing()
{
    RecordSet *set = openTable("0001");
    QVERIFY_THROWS_EXCEPTION(fb::Error, set->setValue("N", "X"));
    QCOMPARE(set->text("N"), QStringLiteral("PRIMEIRO"));
    QVERIFY_THROWS_EXCEPTION(fb::Error, set->setValue("INEXISTENTE", "X"));

    // Empty text is stored as null.
    set->edit();
    set->setValue("N", QString(""));
    QVERIFY(set->isNull("N"));
}

void TestRecordSet::requiredFieldBlocksPost()
{
    RecordSet *set = openTable("0001");
    set->append();
    set->setValue("N", "SEM CHAVE");
    QVERIFY_THROWS_EXCEPTION(fb::Error, set->post());
    QCOMPARE(set->state(), RecordSet::State::Insert);
    set->setValue("K", "0005");
    set->post();
    QCOMPARE(set->state(), RecordSet::State::Browse);
}

void TestRecordSet::textLongerThanItsFieldIsRefusedOrCut_data()
{
    QTest::addColumn<bool>("cut");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("kept"); // the field's value afterwards
    QTest::addColumn<QString>("message");
    const QString fits = QString(40, u'É');
    QTest::newRow("fits, accents included") << false << fits << fits << "";
    QTest::newRow("one too many, refused") << false << fits + "X"
                                           << "PRIMEIRO"
                                           << "Atenção, o campo N aceita no máximo 40 caracteres!";
    QTest::newRow("one too many, cut") << true << fits + "X" << fits << "";
}

void TestRecordSet::textLongerThanItsFieldIsRefusedOrCut()
{
    QFETCH(bool, cut);
    QFETCH(QString, value);
    QFETCH(QString, message);
    m_set->setFieldDefs({{"K", FieldDef::Kind::Text, 4, true, true},
                         {.name = "N", .size = 40, .cutToSize = cut},
                         {"B", FieldDef::Kind::Binary}});
    RecordSet *set = openTable("0001");
    set->edit();
    try {
        set->setValue("N", value);
        QCOMPARE(QString(), message);
    } catch (const fb::Error &e) {
        QCOMPARE(e.text(), message);
    }
    QTEST(set->text("N"), "kept");
    QCOMPARE(set->applyUpdates(0), 0);
    QTEST(m_db->scalar("SELECT N FROM T WHERE K = '0001'").toString(), "kept");
}

void TestRecordSet::refusedChangesStayPending_data()
{
    QTest::addColumn<QString>("change");
    QTest::newRow("insert of an existing key") << "insert";
    QTest::newRow("update of a row deleted meanwhile") << "update";
    QTest::newRow("delete of a row deleted meanwhile") << "delete";
    QTest::newRow("text the character set cannot hold") << "charset";
}

void TestRecordSet::refusedChangesStayPending()
{
    QFETCH(QString, change);
    RecordSet *set = openTable("0001");
    if (change == "insert") {
        set->append();
        set->setValue("K", "0002");
    } else if (change == "update") {
        m_db->exec("DELETE FROM T WHERE K = '0001'");
        set->edit();
        set->setValue("N", "NOVO");
    } else if (change == "delete") {
        m_db->exec("DELETE FROM T WHERE K = '0001'");
        set->remove();
    } else {
        set->edit();
        set->setValue("N", QStringLiteral("Ω"));
    }
    const QString before = m_db->scalar("SELECT LIST(K || '=' || N) FROM T").toString();

    QCOMPARE(set->applyUpdates(0), 1);
    QCOMPARE(set->changeCount(), 1);
    QCOMPARE(set->state(), RecordSet::State::Browse);
    QCOMPARE(m_db->scalar("SELECT LIST(K || '=' || N) FROM T").toString(), before);
    QVERIFY(!m_db->connection()->activeTransaction());
}

void TestRecordSet::allowedErrorsLetTheOthersThrough()
{
    RecordSet *set = openTable();
    set->append();
    set->setValue("K", "0002"); // refused: the key exists
    set->post();
    set->append();
    set->setValue("K", "0003");
    set->post();

    // With no error allowed, the good insertion is rolled back with the bad one.
    QCOMPARE(set->applyUpdates(0), 1);
    QCOMPARE(set->changeCount(), 2);
    QCOMPARE(m_db->scalar("SELECT COUNT(*) FROM T").toInt(), 2);

    QCOMPARE(set->applyUpdates(1), 1);
    QCOMPARE(set->changeCount(), 1);
    QCOMPARE(m_db->scalar("SELECT COUNT(*) FROM T WHERE K = '0003'").toInt(), 1);
}

void TestRecordSet::failureOutsideTheChangesIsRaised()
{
    RecordSet *set = openTable("0001");
    set->edit();
    set->setValue("N", "NOVO");
    m_db->connection()->close();
    m_db->connection()->setParam("Database", m_db->folder() + "/NAO_EXISTE.FDB");
    QVERIFY_THROWS_EXCEPTION(fb::Error, set->applyUpdates(0));
    QCOMPARE(set->changeCount(), 1);
    QCOMPARE(set->text("N"), QStringLiteral("NOVO"));
}

void TestRecordSet::indexOrdersAsABrazilianReaderExpects()
{
    m_db->exec("DELETE FROM T");
    const QStringList names = {"ZÉ",   "ÉLIO", "ALVES", "ÁLVARO", "ÇAPA", "CARLA",
                               "DAVI", "ANA",  "JOÃO",  "JOAO",   "ANA"};
    for (int i = 0; i < names.size(); ++i)
        m_db->exec(QStringLiteral("INSERT INTO T VALUES ('%1', '%2', NULL)")
                       .arg(i + 1, 4, 10, QChar('0'))
                       .arg(names.at(i)));
    RecordSet *set = openTable();
    set->setRecNo(4); // ÇAPA stays current through the reordering
    set->setIndexFieldName("N");
    QCOMPARE(set->text("N"), QStringLiteral("ÇAPA"));

    QStringList sorted;
    QStringList keysOfAna;
    for (int i = 0; i < set->recordCount(); ++i) {
        sorted << set->valueAt(i, 1).toString();
        if (set->valueAt(i, 1).toString() == "ANA")
            keysOfAna << set->valueAt(i, 0).toString();
    }
    QCOMPARE(sorted, QStringList({"ÁLVARO", "ALVES", "ANA", "ANA", "ÇAPA", "CARLA", "DAVI", "ÉLIO", "JOAO",
                                  "JOÃO", "ZÉ"}));
    QCOMPARE(keysOfAna, QStringList({"0008", "0011"})); // equal values keep their load order

    set->setIndexFieldName(QString());
    QCOMPARE(set->valueAt(0, 1).toString(), QStringLiteral("ZÉ"));
}

void TestRecordSet::findNearest_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("found");
    QTest::newRow("exact") << "CARLA"
                           << "CARLA";
    QTest::newRow("beginning") << "CA"
                               << "CAPA";
    QTest::newRow("unaccented finds accented") << "ELI"
                                               << "ÉLIO";
    QTest::newRow("between two") << "BETO"
                                 << "CAPA";
    QTest::newRow("empty text: first") << ""
                                       << "ALVES";
    QTest::newRow("after every value: last") << "ZZZ"
                                             << "ZÉ";
}

void TestRecordSet::findNearest()
{
    QFETCH(QString, text);
    m_db->exec("DELETE FROM T");
    int code = 0;
    for (const char *name : {"ZÉ", "ÉLIO", "CARLA", "CAPA", "ALVES", "DAVI"})
        m_db->exec(QStringLiteral("INSERT INTO T VALUES ('%1', '%2', NULL)")
                       .arg(++code)
                       .arg(QString::fromUtf8(name)));
    RecordSet *set = openTable();
    QVERIFY_THROWS_EXCEPTION(fb::Error, set->findNearest(text)); // no order to search in
    set->setIndexFieldName("N");
    set->setRecNo(2);
    set->findNearest(text);
    QTEST(set->text("N"), "found");
}

USERS_TEST_MAIN(TestRecordSet)
#include "tst_recordset.moc"
