#include "ProgramPaths.h"
#include "TestDatabase.h"
#include "TestPart.h"

#include "dbmaint/SchemaDamage.h"

#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTest>

// estocarium-db update killed (SIGKILL, as a power cut or a killed session) at points of both
// catalogues, then run once more, on a new database each time. The second run never crashes: it
// says the last update did not end and where its copy is, then either completes the schema, or
// finds the damage the first one left and stops before sending anything, saying so. It never
// reports success over an incomplete schema. Then the copy is put back with estocarium-db restore:
// the database is again the one from before the first run, and an update completes it.
class TestInterruptedRun : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void killedRun_theNextRunCompletesOrNamesTheDamage_data();
    void killedRun_theNextRunCompletesOrNamesTheDamage();
    void cleanupTestCase();

private:
    QString m_program;
    int m_runs = 0;
    int m_interrupted = 0;
    int m_whole = 0;
    int m_damageNamed = 0;
    int m_wholeWithTheCopy = 0;
};

namespace
{

struct Run {
    int exitCode = -1;
    bool crashed = false;
    QString out;
    QString err;
};

// Everything both updates make is there, and nothing in the catalogue is damaged.
QStringList missingFromTheSchema(TestDatabase &db)
{
    QStringList missing;
    const auto expect = [&](const char *what, qint64 wanted, const QString &sql) {
        const qint64 found = db.scalar(sql).toLongLong();
        if (found != wanted)
            missing << QStringLiteral("%1: %2 of %3").arg(what).arg(found).arg(wanted);
    };
    expect(
        "tables", 37,
        "SELECT COUNT(*) FROM RDB$RELATIONS WHERE COALESCE(RDB$SYSTEM_FLAG, 0) = 0 AND RDB$VIEW_BLR IS NULL "
        "AND RDB$FORMAT IS NOT NULL");
    expect("primary keys", 37,
           "SELECT COUNT(*) FROM RDB$RELATION_CONSTRAINTS WHERE RDB$CONSTRAINT_TYPE = 'PRIMARY KEY'");
    expect("foreign keys", 13,
           "SELECT COUNT(*) FROM RDB$RELATION_CONSTRAINTS WHERE RDB$CONSTRAINT_TYPE = 'FOREIGN KEY'");
    expect("added columns", 4,
           "SELECT COUNT(*) FROM RDB$RELATION_FIELDS WHERE (RDB$RELATION_NAME = 'COMPRAPRODUTO' AND "
           "RDB$FIELD_NAME IN ('PROCESSO', 'LICITACAO', 'EMPENHO')) OR (RDB$RELATION_NAME = 'PRODUTOS' AND "
           "RDB$FIELD_NAME = 'I_GRUPO')");
    expect("triggers", 14, "SELECT COUNT(*) FROM RDB$TRIGGERS WHERE COALESCE(RDB$SYSTEM_FLAG, 0) = 0");
    missing << schemaDamage(*db.connection());
    return missing;
}

// The copy named by the marker of an update that did not end; empty when there is no marker.
QString markedCopy(const TestDatabase &db)
{
    QFile marker(db.path() + ".atualizando");
    if (!marker.open(QIODevice::ReadOnly))
        return QString();
    for (const QString &line : QString::fromUtf8(marker.readAll()).split('\n'))
        if (line.startsWith("copia="))
            return line.mid(6);
    return QStringLiteral("<no copy named>");
}

qint64 userTables(TestDatabase &db)
{
    return db.scalar("SELECT COUNT(*) FROM RDB$RELATIONS WHERE COALESCE(RDB$SYSTEM_FLAG, 0) = 0")
        .toLongLong();
}

} // namespace

void TestInterruptedRun::initTestCase()
{
    m_program = programPath(QStringLiteral("estocarium-db"));
    QVERIFY2(QFile::exists(m_program), qPrintable(m_program));
}

void TestInterruptedRun::killedRun_theNextRunCompletesOrNamesTheDamage_data()
{
    QTest::addColumn<QString>("afterLine"); // killed once this line is out; empty: by time
    QTest::addColumn<int>("afterMs");
    const TestPart part = TestPart::current();
    int row = 0;
    for (const char *line : {"I.1", "I.4", "I.9", "I.16", "I.18", "I.25", "I.33", "I.44", "I.58", "I.67",
                             "I.80", "I.95", "I.101", "II.1", "II.2", "II.9", "II.16", "II.27"}) {
        if (part.takes(row++))
            QTest::newRow(line) << QString::fromLatin1(line) << 0;
    }
    for (const int ms : {60, 120, 180, 250, 350, 500}) {
        if (part.takes(row++))
            QTest::newRow(QByteArray::number(ms) + " ms") << QString() << ms;
    }
}

void TestInterruptedRun::killedRun_theNextRunCompletesOrNamesTheDamage()
{
    QFETCH(QString, afterLine);
    QFETCH(int, afterMs);
    TestDatabase db;
    db.connection()->close();
    ++m_runs;

    QProcess killed;
    killed.start(m_program, {"update", db.folder()});
    QVERIFY(killed.waitForStarted());
    if (afterLine.isEmpty()) {
        QTest::qWait(afterMs);
    } else {
        QByteArray out;
        const QByteArray mark = '\n' + afterLine.toLatin1() + ' ';
        while (!out.contains(mark) && killed.state() == QProcess::Running) {
            killed.waitForReadyRead(1000);
            out += killed.readAllStandardOutput();
        }
    }
    if (killed.state() == QProcess::Running) {
        killed.kill();
        ++m_interrupted;
    }
    killed.waitForFinished(30000);
    QCOMPARE(killed.state(), QProcess::NotRunning);
    const QString copy = markedCopy(db);
    if (copy.isEmpty()) {
        // Killed before its copy was taken, when nothing was sent, or once the run had ended
        // whole, the marker going last: the database is untouched or complete.
        QVERIFY(killed.exitStatus() == QProcess::NormalExit || userTables(db) == 0 ||
                missingFromTheSchema(db).isEmpty());
        db.connection()->close();
    } else {
        QVERIFY2(QFile::exists(copy), qPrintable(copy));
    }

    QProcess again;
    again.start(m_program, {"update", db.folder()});
    QVERIFY(again.waitForFinished(120000));
    const QString err = QString::fromUtf8(again.readAllStandardError());
    QVERIFY2(again.exitStatus() == QProcess::NormalExit, qPrintable("the second run crashed: " + err));
    if (!copy.isEmpty())
        QVERIFY2(
            err.contains("Atenção, a última atualização do banco de dados, iniciada em ") &&
                err.contains("\nA cópia de segurança feita antes da atualização está neste computador em " +
                             copy +
                             ". Para recolocá-la, feche o programa em todas as estações e execute "
                             "neste computador: estocarium-db restore " +
                             db.folder() + ' ' + copy + '\n'),
            qPrintable(err));
    const QStringList missing = missingFromTheSchema(db);
    db.connection()->close();
    if (again.exitCode() == 0) {
        QVERIFY2(missing.isEmpty(), qPrintable(missing.join(", ")));
        QVERIFY(markedCopy(db).isEmpty());
        ++m_whole;
    } else {
        QVERIFY2(err.contains("Atenção, o banco de dados está danificado e a atualização não foi feita"),
                 qPrintable(err));
        // The damage message points to the copy from before the interrupted run.
        QVERIFY2(err.contains("estocarium-db restore " + db.folder() + ' ' + copy), qPrintable(err));
        ++m_damageNamed;
    }
    if (copy.isEmpty())
        return;

    QProcess restore;
    restore.start(m_program, {"restore", db.folder(), copy});
    QVERIFY(restore.waitForFinished(120000));
    QVERIFY2(restore.exitStatus() == QProcess::NormalExit && restore.exitCode() == 0,
             qPrintable(QString("exit %1 %2: ").arg(restore.exitStatus()).arg(restore.exitCode()) +
                        restore.readAllStandardError() + restore.readAllStandardOutput()));
    // The database from before the first run: new, without a table, undamaged.
    QCOMPARE(userTables(db), 0);
    QCOMPARE(schemaDamage(*db.connection()), QStringList());
    db.connection()->close();
    QProcess complete;
    complete.start(m_program, {"update", db.folder()});
    QVERIFY(complete.waitForFinished(120000));
    QCOMPARE(complete.exitCode(), 0);
    QCOMPARE(missingFromTheSchema(db), QStringList());
    db.connection()->close();
    ++m_wholeWithTheCopy;
}

void TestInterruptedRun::cleanupTestCase()
{
    qInfo("%d runs, %d interrupted; after one more run %d whole, %d stopped naming the damage; %d whole "
          "after the copy was put back and updated",
          m_runs, m_interrupted, m_whole, m_damageNamed, m_wholeWithTheCopy);
}

QTEST_GUILESS_MAIN(TestInterruptedRun)
#include "tst_interruptedrun.moc"
