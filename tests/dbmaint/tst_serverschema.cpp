#include "DialogScript.h"
#include "MissingRequirement.h"
#include "PrivateServer.h"
#include "SchemaInspection.h"
#include "TestDatabase.h"
#include "db/Attachment.h"
#include "dbmaint/ui/TFrm_AtualizaII.h"
#include "dbmaint/ui/TFrm_AtualizarBanco.h"

#include <QPushButton>
#include <QTest>

// The two update windows against a database that a Firebird server holds, as in the network and
// internet modes.
class TestServerSchema : public QObject
{
    Q_OBJECT

private slots:
    void updateWindows_buildTheSchemaThroughTheServer();
};

void TestServerSchema::updateWindows_buildTheSchemaThroughTheServer()
{
    const PrivateServer server;
    if (!server.failure().isEmpty())
        SKIP_FOR_MISSING(QStringLiteral("no private Firebird server: ") + server.failure());
    TestDatabase db;
    const QString database = server.database(db.folder() + "/SERVIDOR.FDB");
    {
        fb::AttachOptions options;
        options.password = QStringLiteral("quartzite");
        fb::Attachment creator;
        creator.create(database, options);
    }
    db.connection()->setParam("Database", database);
    db.connection()->setParam("User_Name", "SYSDBA");
    db.connection()->setParam("Password", "quartzite");
    QVERIFY(!db.scalar("SELECT MON$REMOTE_PROTOCOL FROM MON$ATTACHMENTS "
                       "WHERE MON$ATTACHMENT_ID = CURRENT_CONNECTION")
                 .isNull());

    DialogScript dialogs;
    TFrm_AtualizarBanco updateI;
    TFrm_AtualizaII updateII;
    QTest::mouseClick(updateI.FBAtualiza, Qt::LeftButton);
    QTest::mouseClick(updateII.FBAtualiza, Qt::LeftButton);
    QCOMPARE(dialogs.seen().size(), 0);

    QCOMPARE(inspect::tables(db.connection()).size(), 37);
    QCOMPARE(inspect::primaryKeys(db.connection()).size(), 37);
    const QStringList foreignKeys = inspect::foreignKeys(db.connection());
    QCOMPARE(foreignKeys.size(), 13);
    for (const QString &key : foreignKeys)
        QVERIFY2(key.endsWith("delete CASCADE update CASCADE"), qPrintable(key));
    QCOMPARE(
        db.scalar("SELECT COUNT(*) FROM RDB$TRIGGERS WHERE COALESCE(RDB$SYSTEM_FLAG, 0) = 0").toLongLong(),
        14);

    const QStringList before = inspect::snapshot(db.connection());
    QTest::mouseClick(updateI.FBAtualiza, Qt::LeftButton);
    QTest::mouseClick(updateII.FBAtualiza, Qt::LeftButton);
    QCOMPARE(inspect::snapshot(db.connection()), before);
    QVERIFY(updateII.FBAtualiza->isEnabled());

    db.exec("INSERT INTO LICITACOES (LICITACAO, ANO) VALUES ('010/2018', '2018')");
    db.exec("INSERT INTO ATAS (LICITACAO, ANO, I_ATA, N_VALOR_ADITIVO) VALUES ('010/2018', '2018', 1, 0)");
    db.exec("INSERT INTO ATAS_PRODUTOS (LICITACAO, ANO, I_ATA, I_ITEM, N_SUBTOTAL) "
            "VALUES ('010/2018', '2018', 1, 1, 10.00)");
    db.exec("INSERT INTO ATAS_PRODUTOS (LICITACAO, ANO, I_ATA, I_ITEM, N_SUBTOTAL) "
            "VALUES ('010/2018', '2018', 1, 2, 15.50)");
    QCOMPARE(inspect::rows(db.connection(), "SELECT N_VALOR_ATA, N_VALOR_TOTAL FROM LICITACOES").first(),
             QStringList({"25.50", "25.50"}));
    db.connection()->close();
}

QTEST_MAIN(TestServerSchema)
#include "tst_serverschema.moc"
