#include "TestDatabase.h"

#include "db/Attachment.h"
#include "db/FbError.h"
#include "db/SqlQuery.h"
#include "db/Transaction.h"

#include <QFile>
#include <QTest>

// The database file taken away from under an open connection: removed, moved, or replaced by
// another file (mv), before a write or while its transaction is open. The engine would go on
// writing into the file it holds open, and a commit would be reported done while it is lost
// with that file: the write must fail instead, and the next one go to the file at the path.
class TestDatabaseFile : public QObject
{
    Q_OBJECT

private slots:
    void writeIntoAFileThatLeftItsPathFails_data();
    void writeIntoAFileThatLeftItsPathFails();
    void localPathOfTheDatabaseParameter_data();
    void localPathOfTheDatabaseParameter();
};

namespace
{

const QString kRemovido = QStringLiteral("foi removido ou movido da pasta");
const QString kSubstituido = QStringLiteral("foi substituído por outro");

// Another database with the same table, as an administrator would put back an older copy.
void makeReplacement(const QString &path)
{
    fb::Attachment creator;
    fb::CreateOptions options;
    options.forcedWrites = false;
    creator.create(path, fb::AttachOptions{}, options);
    fb::executeImmediate(creator, QStringLiteral("CREATE TABLE T (N INTEGER)"));
    creator.detach();
}

void insert(SqlConnection *connection, int n)
{
    SqlQuery query(connection);
    query.setSql(QStringLiteral("INSERT INTO T (N) VALUES (:N)"));
    query.setParam(QStringLiteral("N"), n);
    query.execSQL();
}

} // namespace

void TestDatabaseFile::writeIntoAFileThatLeftItsPathFails_data()
{
    QTest::addColumn<QString>("fault");      // removed, moved, replaced
    QTest::addColumn<bool>("inTransaction"); // taken away while the save's transaction is open
    QTest::addColumn<QString>("message");
    QTest::newRow("removed before the save") << "removed" << false << kRemovido;
    QTest::newRow("moved away before the save") << "moved" << false << kRemovido;
    QTest::newRow("replaced by mv before the save") << "replaced" << false << kSubstituido;
    QTest::newRow("removed before the commit") << "removed" << true << kRemovido;
    QTest::newRow("replaced by mv before the commit") << "replaced" << true << kSubstituido;
}

void TestDatabaseFile::writeIntoAFileThatLeftItsPathFails()
{
    QFETCH(QString, fault);
    QFETCH(bool, inTransaction);
    QFETCH(QString, message);
    TestDatabase db;
    db.exec("CREATE TABLE T (N INTEGER)");
    insert(db.connection(), 1);
    const QString replacement = db.folder() + "/COPIA.FDB";
    if (fault == "replaced")
        makeReplacement(replacement);
    const auto takeAway = [&] {
        if (fault == "removed")
            QVERIFY(QFile::remove(db.path()));
        else if (fault == "moved")
            QVERIFY(QFile::rename(db.path(), db.folder() + "/OUTRO.FDB"));
        else
            QVERIFY(::rename(QFile::encodeName(replacement), QFile::encodeName(db.path())) == 0);
    };

    try {
        if (inTransaction) {
            db.connection()->startTransaction();
            insert(db.connection(), 2);
            takeAway();
            db.connection()->commit();
        } else {
            takeAway();
            insert(db.connection(), 2);
        }
        QFAIL("the write into a file that left its path was reported done");
    } catch (const fb::Error &error) {
        QVERIFY2(error.text().contains(message), qPrintable(error.text()));
        QVERIFY2(error.text().contains(db.folder()), qPrintable(error.text()));
    }
    QVERIFY(!db.connection()->isConnected());
    QCOMPARE(db.connection()->activeTransaction(), nullptr);

    if (fault != "replaced") {
        // Nothing at the path: the next use says so rather than writing anywhere.
        QVERIFY_THROWS_EXCEPTION(fb::Error, db.scalar("SELECT COUNT(*) FROM T"));
        return;
    }
    // The next use works on the file now at the path, which holds nothing of the refused write.
    QCOMPARE(db.scalar("SELECT COUNT(*) FROM T").toLongLong(), 0);
    insert(db.connection(), 3);
    QCOMPARE(db.scalar("SELECT SUM(N) FROM T").toLongLong(), 3);
}

void TestDatabaseFile::localPathOfTheDatabaseParameter_data()
{
    QTest::addColumn<QString>("database");
    QTest::addColumn<QString>("path");
    QTest::newRow("local") << "/srv/dados/LICITACAO.FDB"
                           << "/srv/dados/LICITACAO.FDB";
    QTest::newRow("relative") << "LICITACAO.FDB"
                              << "LICITACAO.FDB";
    QTest::newRow("network") << "servidor:/srv/dados/LICITACAO.FDB"
                             << "/srv/dados/LICITACAO.FDB";
    QTest::newRow("network, own port") << "localhost/3051:/srv/dados/LICITACAO.FDB"
                                       << "/srv/dados/LICITACAO.FDB";
    QTest::newRow("alias on a server") << "servidor:licitacao"
                                       << "";
    QTest::newRow("address") << "inet://servidor/srv/dados/LICITACAO.FDB"
                             << "";
}

void TestDatabaseFile::localPathOfTheDatabaseParameter()
{
    QFETCH(QString, database);
    QTEST(fb::DatabaseFile::localPath(database), "path");
}

QTEST_GUILESS_MAIN(TestDatabaseFile)
#include "tst_databasefile.moc"
