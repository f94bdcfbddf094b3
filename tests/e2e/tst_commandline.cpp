#include "ProgramPaths.h"
#include "common/ProgramVersion.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

// --version and --help of both programs answer on standard output and end at once, with no display
// and no database: they are what a package manager, a manual page or a user in a terminal runs first.
class TestCommandLine : public QObject
{
    Q_OBJECT

private slots:
    void answersWithoutDisplay_data();
    void answersWithoutDisplay();
};

void TestCommandLine::answersWithoutDisplay_data()
{
    QTest::addColumn<QString>("program");
    QTest::addColumn<QString>("argument");
    QTest::addColumn<QStringList>("expectedLines");

    for (const char *program : {"estocarium", "estocarium-db"})
        QTest::addRow("%s --version", program) << program << "--version" << QStringList{versionLine(program)};
    QTest::addRow("estocarium --help")
        << "estocarium"
        << "--help"
        << QStringList{"Uso: estocarium [--help | --version]", "  --version   mostra a versão e termina"};
    QTest::addRow("estocarium-db --help")
        << "estocarium-db"
        << "--help"
        << QStringList{
               "Uso:", "  estocarium-db create PASTA [--users N]   cria PASTA/LICITACAO.FDB pronto para uso",
               "  estocarium-db --version                  mostra a versão"};
}

void TestCommandLine::answersWithoutDisplay()
{
    QFETCH(QString, program);
    QFETCH(QString, argument);
    QFETCH(QStringList, expectedLines);

    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove("DISPLAY");
    env.remove("WAYLAND_DISPLAY");
    env.remove("QT_QPA_PLATFORM"); // the program must not reach for a window system at all
    QTemporaryDir emptyFolder;     // no clientes.ini, no database
    QProcess process;
    process.setProcessEnvironment(env);
    process.setWorkingDirectory(emptyFolder.path());
    process.start(programPath(program), {argument});
    QVERIFY2(process.waitForFinished(10000), "did not end");
    const QString err = QString::fromUtf8(process.readAllStandardError());
    QCOMPARE(process.exitStatus(), QProcess::NormalExit);
    QVERIFY2(process.exitCode() == 0, qPrintable(err));
    QCOMPARE(err, QString());
    const QStringList lines = QString::fromUtf8(process.readAllStandardOutput()).split('\n');
    for (const QString &expected : expectedLines)
        QVERIFY2(lines.contains(expected), qPrintable(expected));
    QCOMPARE(lines.last(), QString()); // ends with a line break
}

QTEST_GUILESS_MAIN(TestCommandLine)
#include "tst_commandline.moc"
