#include "DialogScript.h"
#include "shell/CalculatorLauncher.h"
#include "shell/WindowTitles.h"

#include <QTest>

// The calculator command with the window list and the installed programs faked.
class TestCalculator : public QObject
{
    Q_OBJECT

private slots:
    void launch_data();
    void launch();
    void titlesFromWindowTree();
};

void TestCalculator::launch_data()
{
    QTest::addColumn<QStringList>("titles");
    QTest::addColumn<QStringList>("installed");
    QTest::addColumn<QString>("started");
    QTest::addColumn<QString>("message");
    const QString naoDisponivel = "Calculadora não disponível";
    QTest::newRow("already open") << QStringList{"Estocarium", "Calculadora"} << QStringList{"gnome-calculator"}
                                  << "" << naoDisponivel;
    QTest::newRow("first installed wins") << QStringList{"Estocarium"} << QStringList{"xcalc", "mate-calc"}
                                          << "/usr/bin/mate-calc" << "";
    QTest::newRow("title must match whole") << QStringList{"Calculadora - 2"} << QStringList{"gnome-calculator"}
                                            << "/usr/bin/gnome-calculator" << "";
    QTest::newRow("none installed") << QStringList{} << QStringList{} << "" << naoDisponivel;
}

void TestCalculator::launch()
{
    QFETCH(QStringList, titles);
    QFETCH(QStringList, installed);
    DialogScript dialogs;
    QStringList started;
    CalculatorLauncher launcher;
    launcher.windowTitles = [&] { return titles; };
    launcher.findProgram = [&](const QString &program) {
        return installed.contains(program) ? "/usr/bin/" + program : QString();
    };
    launcher.startProgram = [&](const QString &path) { started << path; };

    launcher.run(nullptr);

    QTEST(started.join('|'), "started");
    QTEST(dialogs.texts().join('|'), "message");
}

void TestCalculator::titlesFromWindowTree()
{
    const QString tree = R"(
xwininfo: Window id: 0x1d5 (the root window) (has no name)

  Root window id: 0x1d5 (the root window) (has no name)
  Parent window id: 0x0 (none)
     3 children:
     0x400001 (has no name): ()  1x1+-1+-1  +-1+-1
     0xa00003 "Calculadora": ("gnome-calculator" "Gnome-calculator")  360x600+0+0  +10+30
        1 child:
        0xa00004 "Pasta: 1": ("x" "X")  10x10+0+0  +10+30
     0x600010 "Estocarium / Estocarium - 2017 | PREFEITURA": ("estocarium" "estocarium")  1280x800+0+0  +0+0
)";
    QCOMPARE(parseXwininfoTree(tree),
             QStringList({"Calculadora", "Pasta: 1", "Estocarium / Estocarium - 2017 | PREFEITURA"}));
}

QTEST_GUILESS_MAIN(TestCalculator)
#include "tst_calculator.moc"
