#include "TestDatabase.h"

#include "db/AttachmentInAdvance.h"
#include "db/SqlConnection.h"
#include "db/SqlQuery.h"

#include <QTest>

using namespace std::chrono_literals;

namespace
{

fb::AttachOptions programOptions(const SqlConnection &connection)
{
    fb::AttachOptions options;
    options.user = connection.param(QStringLiteral("User_Name"));
    options.password = connection.param(QStringLiteral("Password"));
    options.role = connection.param(QStringLiteral("RoleName"));
    options.connectTimeout = SqlConnection::kConnectTimeoutSeconds;
    return options;
}

// User attachments on the database, this process's and every other's.
qint64 attachmentsOn(TestDatabase &db)
{
    return db.scalar("SELECT COUNT(*) FROM MON$ATTACHMENTS WHERE MON$SYSTEM_FLAG = 0").toLongLong();
}

} // namespace

// The attachment the program begins while its windows are built: the connection that opens
// with the same parameters takes it over (or its failure), and none is ever left open.
class TestAttachmentInAdvance : public QObject
{
    Q_OBJECT

private slots:
    void connectionTakesOverTheAttachmentBegun();
    void otherParametersAttachAfreshAndDropTheOneBegun();
    void failureIsThrownWhereTheConnectionOpens();
    void droppedAttachmentIsDetached();
};

void TestAttachmentInAdvance::connectionTakesOverTheAttachmentBegun()
{
    TestDatabase db;
    SqlConnection *connection = db.connection();
    connection->attachInAdvance();
    connection->open();
    QVERIFY(connection->isConnected());
    // The connection took the one begun: nothing of it is left for a later attach.
    fb::Attachment other;
    QVERIFY(!connection->attachmentInAdvance().takeOver(other, db.path(), programOptions(*connection)));
    QVERIFY(!other.isAttached());
}

void TestAttachmentInAdvance::otherParametersAttachAfreshAndDropTheOneBegun()
{
    TestDatabase db;
    SqlConnection *connection = db.connection();
    connection->attachInAdvance();
    connection->setParam(QStringLiteral("User_Name"), QStringLiteral("OUTRO"));
    connection->open();
    QCOMPARE(db.scalar("SELECT TRIM(CURRENT_USER) FROM RDB$DATABASE").toString(), QStringLiteral("OUTRO"));
    // The attachment begun as the other user detaches itself once it completes.
    QTRY_COMPARE_WITH_TIMEOUT(attachmentsOn(db), 1, 5000);
}

void TestAttachmentInAdvance::failureIsThrownWhereTheConnectionOpens()
{
    TestDatabase db;
    SqlConnection *connection = db.connection();
    const QString missing = db.folder() + QStringLiteral("/NAO_EXISTE.FDB");
    connection->setParam(QStringLiteral("Database"), missing);

    QString direct;
    try {
        fb::Attachment attachment;
        attachment.attach(missing, programOptions(*connection));
    } catch (const fb::Error &error) {
        direct = error.text();
    }
    QVERIFY(!direct.isEmpty());

    connection->attachInAdvance();
    try {
        connection->open();
        QFAIL("a missing database opened");
    } catch (const fb::Error &error) {
        QCOMPARE(error.text(), direct);
    }
    QVERIFY(!connection->isConnected());
    // The failure was the connection's to report once; the next open tries again by itself.
    QVERIFY_THROWS_EXCEPTION(fb::Error, connection->open());
}

void TestAttachmentInAdvance::droppedAttachmentIsDetached()
{
    TestDatabase db;
    SqlConnection *connection = db.connection();
    connection->attachInAdvance();
    connection->attachmentInAdvance().drop(10s);
    QCOMPARE(attachmentsOn(db), 1); // the one counting
    connection->close();
    fb::Attachment attachment;
    QVERIFY(!connection->attachmentInAdvance().takeOver(attachment, db.path(), programOptions(*connection)));
}

QTEST_GUILESS_MAIN(TestAttachmentInAdvance)
#include "tst_attachmentinadvance.moc"
