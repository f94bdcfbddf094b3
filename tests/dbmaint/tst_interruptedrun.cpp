#include "ProgramPaths.h"
#include "TestDatabase.h"

#include "dbmaint/DanosNoEsquema.h"

#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTest>

// estocarium-db update killed (SIGKILL, as a power cut or a killed session) at points of both
// catalogues, then run once more, on a new database each time. The second run never crashes: it
// either completes the schema, or finds the damage the first one left and stops before sending
// anything, saying so. It never reports success over an incomplete schema.
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
    missing << danosNoEsquema(*db.connection());
    return missing;
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
    for (const char *line : {"I.1", "I.4", "I.9", "I.16", "I.18", "I.25", "I.33", "I.44", "I.58", "I.67",
                             "I.80", "I.95", "I.101", "II.1", "II.2", "II.9", "II.16", "II.27"})
        QTest::newRow(line) << QString::fromLatin1(line) << 0;
    for (const int ms : {60, 120, 180, 250, 350, 500})
        QTest::newRow(QByteArray::number(ms) + " ms") << QString() << ms;
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

    QProcess again;
    again.start(m_program, {"update", db.folder()});
    QVERIFY(again.waitForFinished(120000));
    const QString err = QString::fromUtf8(again.readAllStandardError());
    QVERIFY2(again.exitStatus() == QProcess::NormalExit, qPrintable("the second run crashed: " + err));
    const QStringList missing = missingFromTheSchema(db);
    db.connection()->close();
    if (again.exitCode() == 0) {
        QVERIFY2(missing.isEmpty(), qPrintable(missing.join(", ")));
        ++m_whole;
        return;
    }
    QVERIFY2(err.contains("Atenção, o banco de dados está danificado e a atualização não foi feita"),
             qPrintable(err));
    ++m_damageNamed;
}

void TestInterruptedRun::cleanupTestCase()
{
    qInfo("%d runs, %d interrupted; after one more run %d whole, %d stopped naming the damage", m_runs,
          m_interrupted, m_whole, m_damageNamed);
}

QTEST_GUILESS_MAIN(TestInterruptedRun)
#include "tst_interruptedrun.moc"
