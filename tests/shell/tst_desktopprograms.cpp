#include "DialogScript.h"
#include "shell/CalculatorLauncher.h"
#include "shell/WebPageLauncher.h"

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
        return path != "/usr/bin/" + wontStart ? qint64(4000 + started.size()) : qint64(0);
    };
}

} // namespace

// The calculator and the web page commands with the window list and the installed programs faked.
Q_DECLARE_METATYPE(DesktopWindow)

class TestDesktopPrograms : public QObject
{
    Q_OBJECT

private slots:
    void calculator_data();
    void calculator();
    void calculatorStartedBeforeIsFoundByItsProcess();
    void webPage_data();
    void webPage();
};

void TestDesktopPrograms::calculator_data()
{
    QTest::addColumn<QList<DesktopWindow>>("windows");
    QTest::addColumn<QStringList>("installed");
    QTest::addColumn<QString>("wontStart");
    QTest::addColumn<QString>("started");
    QTest::addColumn<QString>("message");
    const QList<DesktopWindow> estocarium{{"Estocarium", "estocarium", 100}};
    QTest::newRow("window titled Calculadora")
        << estocarium + QList<DesktopWindow>{{"Calculadora", "qualquer", 200}}
        << QStringList{"gnome-calculator"} << ""
        << ""
        << "Calculadora não disponível";
    QTest::newRow("galculator's window")
        << estocarium + QList<DesktopWindow>{{"galculator", "galculator", 300}} << QStringList{"galculator"}
        << ""
        << ""
        << "Calculadora não disponível";
    QTest::newRow("another calculator's window, in English")
        << QList<DesktopWindow>{{"Calculator", "gnome-calculator", 0}} << QStringList{"galculator"} << ""
        << ""
        << "Calculadora não disponível";
    QTest::newRow("first installed wins") << estocarium << QStringList{"xcalc", "mate-calc"} << ""
                                          << "/usr/bin/mate-calc"
                                          << "";
    QTest::newRow("title must match whole")
        << QList<DesktopWindow>{{"Calculadora - 2", "editor", 0}} << QStringList{"gnome-calculator"} << ""
        << "/usr/bin/gnome-calculator"
        << "";
    QTest::newRow("a calculator's name in another program's title")
        << QList<DesktopWindow>{{"galculator - notas.txt", "gedit", 0}} << QStringList{"galculator"} << ""
        << "/usr/bin/galculator"
        << "";
    QTest::newRow("none installed") << QList<DesktopWindow>{} << QStringList{} << ""
                                    << ""
                                    << "Calculadora não disponível: nenhum programa de calculadora está "
                                       "instalado (gnome-calculator, kcalc, "
                                       "mate-calc, galculator, xcalc).";
    QTest::newRow("start fails")
        << QList<DesktopWindow>{} << QStringList{"galculator"} << "galculator"
        << "/usr/bin/galculator"
        << "Calculadora não disponível: não foi possível iniciar /usr/bin/galculator.";
}

void TestDesktopPrograms::calculator()
{
    QFETCH(QList<DesktopWindow>, windows);
    QFETCH(QStringList, installed);
    QFETCH(QString, wontStart);
    DialogScript dialogs;
    QStringList started;
    CalculatorLauncher launcher;
    launcher.desktopWindows = [&] { return windows; };
    fake(launcher, installed, wontStart, started);

    launcher.run(nullptr);

    QTEST(started.join('|'), "started");
    QTEST(dialogs.texts().join('|'), "message");
}

// A calculator that names itself otherwise is still found the second time, by the process the
// first press started.
void TestDesktopPrograms::calculatorStartedBeforeIsFoundByItsProcess()
{
    DialogScript dialogs;
    QStringList started;
    CalculatorLauncher launcher;
    QList<DesktopWindow> windows;
    launcher.desktopWindows = [&] { return windows; };
    fake(launcher, {"xcalc"}, "", started);

    launcher.run(nullptr);
    QCOMPARE(started, QStringList{"/usr/bin/xcalc"});
    windows << DesktopWindow{"Rechner", "rechner", 4001};
    launcher.run(nullptr);
    launcher.run(nullptr);

    QCOMPARE(started, QStringList{"/usr/bin/xcalc"});
    QCOMPARE(dialogs.texts(), QStringList({"Calculadora não disponível", "Calculadora não disponível"}));
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
