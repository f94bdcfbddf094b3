#include "DialogScript.h"
#include "shell/ui/CalculatorLauncher.h"
#include "shell/ui/WebPageLauncher.h"
#include "widgets/WindowTitles.h"

#include <QTest>

namespace
{

// Installed programs, each at /usr/bin; the starts are recorded, and fail for a program that
// will not start.
void fake(ProgramStarter &starter, const QStringList &installed, const QString &wontStart,
          QStringList &started)
{
    starter.findProgram = [installed](const QString &program) {
        return installed.contains(program) ? "/usr/bin/" + program : QString();
    };
    starter.startProgram = [wontStart, &started](const QString &path, const QStringList &arguments) {
        started << (QStringList{path} + arguments).join(' ');
        return path != "/usr/bin/" + wontStart;
    };
}

} // namespace

// The calculator and the web page commands with the window list and the installed programs faked.
class TestDesktopPrograms : public QObject
{
    Q_OBJECT

private slots:
    void calculator_data();
    void calculator();
    void titlesFromWindowTree();
    void webPage_data();
    void webPage();
};

void TestDesktopPrograms::calculator_data()
{
    QTest::addColumn<QStringList>("titles");
    QTest::addColumn<QStringList>("installed");
    QTest::addColumn<QString>("wontStart");
    QTest::addColumn<QString>("started");
    QTest::addColumn<QString>("message");
    QTest::newRow("already open") << QStringList{"Estocarium", "Calculadora"}
                                  << QStringList{"gnome-calculator"} << ""
                                  << ""
                                  << "Calculadora não disponível";
    QTest::newRow("first installed wins")
        << QStringList{"Estocarium"} << QStringList{"xcalc", "mate-calc"} << ""
        << "/usr/bin/mate-calc"
        << "";
    QTest::newRow("title must match whole")
        << QStringList{"Calculadora - 2"} << QStringList{"gnome-calculator"} << ""
        << "/usr/bin/gnome-calculator"
        << "";
    QTest::newRow("none installed") << QStringList{} << QStringList{} << ""
                                    << ""
                                    << "Calculadora não disponível: nenhum programa de calculadora está "
                                       "instalado (gnome-calculator, kcalc, "
                                       "mate-calc, galculator, xcalc).";
    QTest::newRow("start fails")
        << QStringList{} << QStringList{"galculator"} << "galculator"
        << "/usr/bin/galculator"
        << "Calculadora não disponível: não foi possível iniciar /usr/bin/galculator.";
}

void TestDesktopPrograms::calculator()
{
    QFETCH(QStringList, titles);
    QFETCH(QStringList, installed);
    QFETCH(QString, wontStart);
    DialogScript dialogs;
    QStringList started;
    CalculatorLauncher launcher;
    launcher.windowTitles = [&] { return titles; };
    fake(launcher, installed, wontStart, started);

    launcher.run(nullptr);

    QTEST(started.join('|'), "started");
    QTEST(dialogs.texts().join('|'), "message");
}

void TestDesktopPrograms::titlesFromWindowTree()
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

void TestDesktopPrograms::webPage_data()
{
    QTest::addColumn<QString>("preferred");
    QTest::addColumn<QStringList>("installed");
    QTest::addColumn<QString>("wontStart");
    QTest::addColumn<QString>("started");
    QTest::addColumn<QString>("message");
    const QString address = "http://www.nimbo.example.org";
    QTest::newRow("the desktop's browser") << "" << QStringList{"firefox-esr", "x-www-browser"} << ""
                                           << "/usr/bin/x-www-browser " + address << "";
    QTest::newRow("BROWSER comes first")
        << "naoexiste:chromium" << QStringList{"x-www-browser", "chromium"} << ""
        << "/usr/bin/chromium " + address << "";
    QTest::newRow("a common browser") << "" << QStringList{"konqueror", "falkon"} << ""
                                      << "/usr/bin/falkon " + address << "";
    QTest::newRow("none installed")
        << "" << QStringList{} << ""
        << ""
        << "Não há navegador de internet instalado para abrir a página\n" + address +
               "\nInstale um navegador (por exemplo, firefox-esr) e tente de novo.";
    QTest::newRow("start fails")
        << "" << QStringList{"x-www-browser"} << "x-www-browser"
        << "/usr/bin/x-www-browser " + address
        << "Não foi possível iniciar o navegador /usr/bin/x-www-browser para abrir " + address + ".";
}

void TestDesktopPrograms::webPage()
{
    QFETCH(QString, preferred);
    QFETCH(QStringList, installed);
    QFETCH(QString, wontStart);
    DialogScript dialogs;
    QStringList started;
    WebPageLauncher launcher;
    launcher.preferredBrowsers = [&] { return preferred; };
    fake(launcher, installed, wontStart, started);

    launcher.open(nullptr, "http://www.nimbo.example.org");

    QTEST(started.join('|'), "started");
    QTEST(dialogs.texts().join('|'), "message");
}

QTEST_GUILESS_MAIN(TestDesktopPrograms)
#include "tst_desktopprograms.moc"
