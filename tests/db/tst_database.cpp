#include "TestDatabase.h"

#include "codec/Win1252.h"
#include "common/PasswordEncoding.h"
#include "db/Decimal.h"
#include "db/FbError.h"
#include "db/SqlQuery.h"

#include <QDate>
#include <QProcess>
#include <QTest>

// The database layer against a real embedded database.
class TestDatabaseLayer : public QObject
{
    Q_OBJECT

private slots:
    void typedValuesRoundTrip();
    void accentedTextReadsBackUnchanged();
    void accentedTextShowsInIsql();
    void textOutsideWin1252IsRefused();
    void namedParametersAreBoundNotPasted();
    void encodedValuesRoundTrip_data();
    void encodedValuesRoundTrip();
    void uncarriableEncodedValueIsNeverStored();
    void attachmentIsWin1252AndReadCommittedWait();
    void closedConnectionReopensOnQuery();
    void serverErrorsCarryFirebirdText();
};

void TestDatabaseLayer::typedValuesRoundTrip()
{
    TestDatabase db;
    db.exec("CREATE TABLE T (I INTEGER, N NUMERIC(15,2), D DATE, B BLOB SUB_TYPE 0, X BLOB SUB_TYPE 1, "
            "C CHAR(5), V VARCHAR(10))");
    SqlQuery insert(db.connection());
    insert.setSql("INSERT INTO T VALUES (:I, :N, :D, :B, :X, :C, :V)");
    const QByteArray binary("\x00\xFF\x10jpeg", 7);
    insert.setParam("I", 42);
    insert.setParam("N", QVariant::fromValue(fb::Decimal{123456, 2}));
    insert.setParam("D", QDate(2018, 3, 1));
    insert.setParam("B", binary);
    insert.setParam("X", QStringLiteral("histórico"));
    insert.setParam("C", QStringLiteral("ab"));
    insert.setParam("V", QVariant());
    QCOMPARE(insert.execSQL(), 1);

    SqlQuery select(db.connection());
    select.setSql("SELECT I, N, D, B, X, C, V FROM T");
    select.open();
    QCOMPARE(select.rowCount(), 1);
    QCOMPARE(select.value(0, "I").toLongLong(), 42);
    QCOMPARE(select.value(0, "N").value<fb::Decimal>().toString(), QStringLiteral("1234.56"));
    QCOMPARE(select.value(0, "D").toDate(), QDate(2018, 3, 1));
    QCOMPARE(select.value(0, "B").toByteArray(), binary);
    QCOMPARE(select.value(0, "X").toString(), QStringLiteral("histórico"));
    QCOMPARE(select.value(0, "C").toString(), QStringLiteral("ab   ")); // CHAR keeps its blanks
    QVERIFY(select.isNull(0, "V"));
}

void TestDatabaseLayer::accentedTextReadsBackUnchanged()
{
    TestDatabase db;
    db.exec("CREATE TABLE T (V VARCHAR(20))");
    SqlQuery insert(db.connection());
    insert.setSql("INSERT INTO T VALUES (:V)");
    for (const QString &name : {QStringLiteral("JOÃO"), QStringLiteral("AÇÃO"), QStringLiteral("€ – “x”")}) {
        insert.setParam("V", name);
        insert.execSQL();
    }
    SqlQuery select(db.connection());
    select.setSql("SELECT V, OCTET_LENGTH(V) FROM T ORDER BY 1");
    select.open();
    QCOMPARE(select.value(0, 0).toString(), QStringLiteral("AÇÃO"));
    QCOMPARE(select.value(0, 1).toLongLong(), 4); // one byte a character: stored as WIN1252
    QCOMPARE(select.value(1, 0).toString(), QStringLiteral("JOÃO"));
    QCOMPARE(select.value(2, 0).toString(), QStringLiteral("€ – “x”"));
}

// Another client of the shared database sees the same characters.
void TestDatabaseLayer::accentedTextShowsInIsql()
{
    TestDatabase db;
    db.exec("CREATE TABLE T (V VARCHAR(20))");
    SqlQuery insert(db.connection());
    insert.setSql("INSERT INTO T VALUES (:V)");
    insert.setParam("V", QStringLiteral("JOÃO AÇÃO"));
    insert.execSQL();
    db.connection()->close();

    QProcess isql;
    isql.start("isql-fb", {"-q", "-ch", "WIN1252", "-user", "SYSDBA", db.path()});
    QVERIFY(isql.waitForStarted());
    isql.write("SELECT V FROM T;\n");
    isql.closeWriteChannel();
    QVERIFY(isql.waitForFinished(30000));
    const QString output = fb::Win1252::toUnicode(isql.readAllStandardOutput());
    QVERIFY2(output.contains(QStringLiteral("JOÃO AÇÃO")), qPrintable(output));
}

void TestDatabaseLayer::textOutsideWin1252IsRefused()
{
    TestDatabase db;
    db.exec("CREATE TABLE T (V VARCHAR(20))");
    SqlQuery insert(db.connection());
    insert.setSql("INSERT INTO T VALUES (:V)");
    insert.setParam("V", QStringLiteral("Ελλάδα"));
    QVERIFY_THROWS_EXCEPTION(fb::Error, insert.execSQL());
    QCOMPARE(db.scalar("SELECT COUNT(*) FROM T").toLongLong(), 0);
}

void TestDatabaseLayer::namedParametersAreBoundNotPasted()
{
    TestDatabase db;
    db.exec("CREATE TABLE T (K VARCHAR(4), V VARCHAR(30))");
    SqlQuery insert(db.connection());
    insert.setSql("INSERT INTO T VALUES (:K, :V)");
    insert.setParam("K", "0001");
    insert.setParam("V", "x'); DELETE FROM T; --");
    insert.execSQL();
    SqlQuery select(db.connection());
    select.setSql("SELECT V FROM T WHERE K = :K AND V <> ':K'");
    select.setParam("K", "0001");
    select.open();
    QCOMPARE(select.rowCount(), 1);
    QCOMPARE(select.value(0, 0).toString(), QStringLiteral("x'); DELETE FROM T; --"));
}

void TestDatabaseLayer::encodedValuesRoundTrip_data()
{
    QTest::addColumn<QString>("plain");
    auto units = [](std::initializer_list<char16_t> list) {
        QString s;
        for (char16_t u : list)
            s.append(QChar(u));
        return s;
    };
    QTest::newRow("letters reaching 0x80-0x9F") << QStringLiteral("vwxyz{|}~");
    QTest::newRow("the bytes Windows-1252 leaves undefined") << units({0x77, 0x83, 0x85, 0x86, 0x93});
    QTest::newRow("level names") << QStringLiteral("MÉDIOAVANÇADOADMINISTRADOR");
    QTest::newRow("c cedilla, up to 0xF5") << QStringLiteral("çõÕ");
    QTest::newRow("controls and DEL") << units({0x01, 0x7F, 0x80, 0x9F});
    QTest::newRow("wraps below zero") << units({0xFFF6, 0xFFFF});
    QTest::newRow("first-access password") << QStringLiteral("1");
    QTest::newRow("encodes to 0xE7 and 0xFF") << units({0xDD, 0xF5});
}

void TestDatabaseLayer::encodedValuesRoundTrip()
{
    QFETCH(QString, plain);
    TestDatabase db;
    db.exec("CREATE TABLE T (SENHA VARCHAR(50))");
    const QString encoded = Codificar(plain, 10);
    SqlQuery insert(db.connection());
    insert.setSql("INSERT INTO T VALUES (:S)");
    insert.setParam("S", encodedToColumn(encoded));
    insert.execSQL();
    SqlQuery select(db.connection());
    select.setSql("SELECT SENHA FROM T");
    select.open();
    const QString read = encodedFromColumn(select.value(0, 0).toString());
    QCOMPARE(read, encoded);
    QCOMPARE(Decodificar(read, 10), plain);
}

// A value whose encoded form has no byte is refused before anything reaches the table.
void TestDatabaseLayer::uncarriableEncodedValueIsNeverStored()
{
    TestDatabase db;
    db.exec("CREATE TABLE T (SENHA VARCHAR(50))");
    for (const QString &plain : {QStringLiteral("júlia"), QString(QChar(0xFF)), QStringLiteral("€")}) {
        try {
            SqlQuery insert(db.connection());
            insert.setSql("INSERT INTO T VALUES (:S)");
            insert.setParam("S", encodedToColumn(Codificar(plain, 10)));
            insert.execSQL();
            QFAIL(qPrintable("stored " + plain));
        } catch (const UnstorableEncoding &e) {
            QVERIFY(e.text().startsWith(QStringLiteral("Atenção")));
        }
    }
    QCOMPARE(db.scalar("SELECT COUNT(*) FROM T").toLongLong(), 0);
}

void TestDatabaseLayer::attachmentIsWin1252AndReadCommittedWait()
{
    TestDatabase db;
    SqlQuery query(db.connection());
    query.setSql(
        "SELECT CS.RDB$CHARACTER_SET_NAME, T.MON$ISOLATION_MODE, T.MON$LOCK_TIMEOUT, T.MON$READ_ONLY "
        "FROM MON$ATTACHMENTS A "
        "JOIN RDB$CHARACTER_SETS CS ON CS.RDB$CHARACTER_SET_ID = A.MON$CHARACTER_SET_ID "
        "JOIN MON$TRANSACTIONS T ON T.MON$ATTACHMENT_ID = A.MON$ATTACHMENT_ID "
        "WHERE A.MON$ATTACHMENT_ID = CURRENT_CONNECTION "
        "AND T.MON$TRANSACTION_ID = CURRENT_TRANSACTION");
    query.open();
    QCOMPARE(query.rowCount(), 1);
    QCOMPARE(query.value(0, 0).toString().trimmed(), QStringLiteral("WIN1252"));
    QCOMPARE(query.value(0, 1).toLongLong(), 2);  // read committed, record versions
    QCOMPARE(query.value(0, 2).toLongLong(), -1); // waits without a time limit
    QCOMPARE(query.value(0, 3).toLongLong(), 0);
    // Dialect 3 divides integers exactly; dialect 1 would give 0.5.
    QCOMPARE(db.scalar("SELECT 1/2 FROM RDB$DATABASE"), QVariant(qint64(0)));
}

void TestDatabaseLayer::closedConnectionReopensOnQuery()
{
    TestDatabase db;
    db.exec("CREATE TABLE T (V INTEGER)");
    db.connection()->close();
    QVERIFY(!db.connection()->isConnected());
    QCOMPARE(db.scalar("SELECT COUNT(*) FROM T").toLongLong(), 0);
    QVERIFY(db.connection()->isConnected());
}

void TestDatabaseLayer::serverErrorsCarryFirebirdText()
{
    TestDatabase db;
    db.exec("CREATE TABLE T (K VARCHAR(4) NOT NULL PRIMARY KEY)");
    db.exec("INSERT INTO T VALUES ('0001')");
    try {
        db.exec("INSERT INTO T VALUES ('0001')");
        QFAIL("duplicate key accepted");
    } catch (const fb::Error &e) {
        QVERIFY2(e.text().contains("violation of PRIMARY or UNIQUE KEY constraint"), qPrintable(e.text()));
    }
    try {
        db.exec("INSERT INTO T VALUES ('00001')");
        QFAIL("over-long value accepted");
    } catch (const fb::Error &e) {
        QVERIFY2(e.text().contains("truncation"), qPrintable(e.text()));
    }
}

QTEST_GUILESS_MAIN(TestDatabaseLayer)
#include "tst_database.moc"
