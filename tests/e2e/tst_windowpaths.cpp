#include "MissingRequirement.h"
#include "ProgramPaths.h"
#include "X11Desktop.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

// The real program under Xvfb + openbox, along the paths a user takes around its windows: the
// login dialog minimised and its hints, a report saved as "x.html", the little doors of the main
// window, and a schema update clicked at while it runs. Screenshots of each step are kept in
// <build>/e2e-artifacts/windowpaths.
class TestWindowPaths : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void cleanup();
    void loginDialog_keepsTheMainWindowWithinReach();
    void signIn();
    void usersReport_savedAsXHtml_isHtml();
    void onlineInformation_withoutBrowser_saysWhatIsMissing();
    void calculator_startsTheInstalledOne();
    void updateII_clickedDuringTheRun_staysOpenAndIdle();

private:
    // "Normal" or "Iconic", as the window manager keeps it in WM_STATE.
    QString state(const QString &window) const;
    QString property(const QString &window, const QString &name) const;
    // The colour of the window's pixel at x, y.
    QColor pixel(const QString &window, int x, int y) const;
    void menu(const QStringList &keys) const;
    // Minimises a modal window as the window manager's button does; it and the main window,
    // which openbox minimises with it, must come back.
    void minimiseAndSeeBothBack(const QString &modal);

    QTemporaryDir m_tmp;
    X11Desktop m_desktop{QStringLiteral("windowpaths")};
    QString m_folder;
    QProcess *m_program = nullptr;
    QString m_main;
};

QString TestWindowPaths::state(const QString &window) const
{
    const QString wmState = property(window, "WM_STATE");
    return wmState.contains("Iconic") ? "Iconic" : wmState.contains("Normal") ? "Normal" : wmState;
}

QString TestWindowPaths::property(const QString &window, const QString &name) const
{
    return m_desktop.x("xprop", {"-id", window, name});
}

QColor TestWindowPaths::pixel(const QString &window, int x, int y) const
{
    const QString file = m_tmp.filePath("janela.png");
    m_desktop.x("import", {"-window", window, file});
    return QImage(file).pixelColor(x, y);
}

void TestWindowPaths::menu(const QStringList &keys) const
{
    m_desktop.key({"alt"});
    m_desktop.key(keys);
}

void TestWindowPaths::minimiseAndSeeBothBack(const QString &modal)
{
    // xprop -spy prints the state at every change: the first print, then one for minimising
    // and one for coming back (the state read back by then is always Normal again).
    std::vector<std::unique_ptr<QProcess>> spies;
    for (const QString &window : {modal, m_main}) {
        auto spy = std::make_unique<QProcess>();
        spy->setProcessEnvironment(m_desktop.environment());
        spy->start("xprop", {"-spy", "-id", window, "WM_STATE"});
        QVERIFY(spy->waitForStarted());
        QTRY_VERIFY_WITH_TIMEOUT(spy->canReadLine(), 10000); // the state before
        spies.push_back(std::move(spy));
    }
    QByteArray modalStates;
    QByteArray mainStates;
    m_desktop.x("xdotool", {"windowminimize", modal});
    QTRY_VERIFY_WITH_TIMEOUT((modalStates += spies[0]->readAll()).count("window state:") >= 3 &&
                                 (mainStates += spies[1]->readAll()).count("window state:") >= 3,
                             10000);
    QTRY_COMPARE_WITH_TIMEOUT(state(modal), QString("Normal"), 10000);
    QTRY_COMPARE_WITH_TIMEOUT(state(m_main), QString("Normal"), 10000);
    for (auto &spy : spies) {
        spy->kill();
        spy->waitForFinished();
    }
    QTRY_COMPARE_WITH_TIMEOUT(m_desktop.activeWindow(), modal, 10000);
}

void TestWindowPaths::initTestCase()
{
    QVERIFY2(missingProgram().isEmpty(), qPrintable(missingProgram()));
    const QString failure = m_desktop.start();
    QVERIFY2(failure.isEmpty(), qPrintable(failure));
    m_folder = m_tmp.path() + "/trabalho";
    const QString created = createWorkingFolder(m_folder, {"--users", "40"});
    QVERIFY2(created.isEmpty(), qPrintable(created));
    // The program looks for browsers and calculators on PATH. Here it finds galculator alone, so what
    // it starts does not depend on what else this machine has installed.
    const QString programs = m_tmp.filePath("programas");
    QVERIFY(QDir().mkpath(programs));
    const QString galculator = QStandardPaths::findExecutable("galculator");
    if (!galculator.isEmpty())
        QVERIFY(QFile::link(galculator, programs + "/galculator"));
    QProcessEnvironment env = m_desktop.environment();
    env.insert("PATH", programs);
    env.remove("BROWSER");
    m_program = m_desktop.launch(programPath("estocarium"), {}, m_folder, env);
}

void TestWindowPaths::cleanup()
{
    m_desktop.recordIfFailed();
}

void TestWindowPaths::cleanupTestCase()
{
    m_desktop.stop();
}

void TestWindowPaths::loginDialog_keepsTheMainWindowWithinReach()
{
    QString login;
    QTRY_VERIFY_WITH_TIMEOUT(!(login = m_desktop.window("^Estocarium / Estocarium - 2017$")).isEmpty(),
                             40000);
    QTRY_COMPARE_WITH_TIMEOUT(m_desktop.activeWindow(), login, 10000);
    m_main = m_desktop.window("^Estocarium / Estocarium - 2017 \\| ");
    QVERIFY(!m_main.isEmpty());

    // Decoration hints as well as function hints: title and border, moving only, no buttons.
    QCOMPARE(property(login, "_MOTIF_WM_HINTS"),
             QString("_MOTIF_WM_HINTS(_MOTIF_WM_HINTS) = 0x3, 0x4, 0xa, 0x0, 0x0"));
    QVERIFY2(property(login, "WM_TRANSIENT_FOR").endsWith(QString("0x%1").arg(m_main.toULongLong(), 0, 16)),
             qPrintable(property(login, "WM_TRANSIENT_FOR")));
    QVERIFY(m_desktop.screenshot("01-acesso.png"));

    // openbox offers a minimise button anyway, and takes the main window along: both come back.
    minimiseAndSeeBothBack(login);
    if (QTest::currentTestFailed())
        return;
    QVERIFY(m_desktop.screenshot("02-acesso-depois-de-minimizar.png"));
}

void TestWindowPaths::signIn()
{
    m_desktop.type("1");
    m_desktop.key({"Return"});
    m_desktop.type("1");
    m_desktop.key({"Return", "Return", "Return"});
    QString novaSenha;
    QTRY_VERIFY_WITH_TIMEOUT(!(novaSenha = m_desktop.window("^Atenção$")).isEmpty(), 10000);
    QTRY_COMPARE_WITH_TIMEOUT(m_desktop.activeWindow(), novaSenha, 10000);
    minimiseAndSeeBothBack(novaSenha);
    if (QTest::currentTestFailed())
        return;
    m_desktop.type("nova1");
    m_desktop.key({"Return"});
    QTRY_VERIFY_WITH_TIMEOUT(m_desktop.windowName(m_main).contains("Usuário: "), 10000);
    QTRY_COMPARE_WITH_TIMEOUT(m_desktop.activeWindow(), m_main, 10000);
}

void TestWindowPaths::usersReport_savedAsXHtml_isHtml()
{
    // Usuários › Relatórios › Relatório dos Usuários.
    menu({"Down", "Down", "Right", "Return"});
    QString preview;
    QTRY_VERIFY_WITH_TIMEOUT(!(preview = m_desktop.window("^Visualização do relatório$")).isEmpty(), 20000);
    QTRY_COMPARE_WITH_TIMEOUT(m_desktop.activeWindow(), preview, 10000);
    QVERIFY(property(preview, "WM_TRANSIENT_FOR").contains("window id"));
    QVERIFY(m_desktop.screenshot("03-relatorio.png"));

    // Salvar proposes the title and the date as a PDF; the name typed as x.html writes HTML.
    m_desktop.key({"ctrl+s"});
    QString dialog;
    QTRY_VERIFY_WITH_TIMEOUT(!(dialog = m_desktop.window("^Salvar relatório$")).isEmpty(), 10000);
    QTRY_COMPARE_WITH_TIMEOUT(m_desktop.activeWindow(), dialog, 10000);
    QVERIFY(m_desktop.screenshot("04-salvar-proposto.png"));
    m_desktop.key({"ctrl+a"});
    const QString saved = m_tmp.filePath("x.html");
    m_desktop.type(saved);
    QVERIFY(m_desktop.screenshot("05-salvar-x-html.png"));
    m_desktop.key({"Return"});
    QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(saved), 20000);
    QTRY_COMPARE_WITH_TIMEOUT(m_desktop.activeWindow(), preview, 10000);
    QFile html(saved);
    QVERIFY(html.open(QIODevice::ReadOnly));
    const QByteArray bytes = html.readAll();
    QVERIFY(bytes.startsWith("<!DOCTYPE html>"));
    QCOMPARE(bytes.count("<div class=\"page\""), 2); // 41 users: two pages
    QVERIFY(QDir(m_tmp.path()).entryList({"x.*"}, QDir::Files) == QStringList{"x.html"});

    m_desktop.key({"Escape"});
    QTRY_VERIFY_WITH_TIMEOUT(m_desktop.window("^Visualização do relatório$").isEmpty(), 10000);
    QTRY_COMPARE_WITH_TIMEOUT(m_desktop.activeWindow(), m_main, 10000);
}

void TestWindowPaths::onlineInformation_withoutBrowser_saysWhatIsMissing()
{
    // Ajuda › Informações on-line.
    menu({"Right", "Right", "Down", "Down", "Return"});
    QString message;
    QTRY_VERIFY_WITH_TIMEOUT(!(message = m_desktop.window("^Estocarium$")).isEmpty(), 10000);
    QTRY_COMPARE_WITH_TIMEOUT(m_desktop.activeWindow(), message, 10000);
    QVERIFY(m_desktop.screenshot("06-sem-navegador.png"));
    m_desktop.key({"Return"});
    QTRY_COMPARE_WITH_TIMEOUT(m_desktop.activeWindow(), m_main, 10000);
}

void TestWindowPaths::calculator_startsTheInstalledOne()
{
    if (QStandardPaths::findExecutable("galculator").isEmpty())
        SKIP_FOR_MISSING("galculator is not installed (scripts/setup.sh installs it)");
    // The tool bar's second button, after "Usuários": Calculadora.
    m_desktop.x("xdotool", {"mousemove", "--window", m_main, "80", "44", "click", "1"});
    QString calculator;
    QTRY_VERIFY_WITH_TIMEOUT(!(calculator = m_desktop.window("^galculator$")).isEmpty(), 20000);
    QVERIFY(m_desktop.screenshot("07-calculadora.png"));

    // A second press finds the calculator open: a message, and no second calculator.
    m_desktop.x("xdotool", {"windowactivate", "--sync", m_main});
    m_desktop.x("xdotool", {"mousemove", "--window", m_main, "80", "44", "click", "1"});
    QString message;
    QTRY_VERIFY_WITH_TIMEOUT(!(message = m_desktop.window("^Estocarium$")).isEmpty(), 10000);
    QVERIFY(m_desktop.screenshot("07-calculadora-aberta.png"));
    m_desktop.key({"Return"});
    QTRY_VERIFY_WITH_TIMEOUT(m_desktop.window("^Estocarium$").isEmpty(), 10000);
    QCOMPARE(m_desktop.window("^galculator$"), calculator); // the one visible

    m_desktop.x("xdotool", {"windowkill", calculator});
    QTRY_VERIFY_WITH_TIMEOUT(m_desktop.window("^galculator$").isEmpty(), 10000);
}

void TestWindowPaths::updateII_clickedDuringTheRun_staysOpenAndIdle()
{
    // Procedimentos › Atualizar Banco de Dados II.
    menu({"Right", "Down", "Down", "Return"});
    QString update;
    QTRY_VERIFY_WITH_TIMEOUT(!(update = m_desktop.window("^Atualiza Banco de Dados II$")).isEmpty(), 10000);
    QTRY_COMPARE_WITH_TIMEOUT(m_desktop.activeWindow(), update, 10000);
    QCOMPARE(property(update, "_MOTIF_WM_HINTS"),
             QString("_MOTIF_WM_HINTS(_MOTIF_WM_HINTS) = 0x3, 0x24, 0x1a, 0x0, 0x0")); // move and close
    QVERIFY(m_desktop.screenshot("08-atualiza-ii.png"));

    // Space runs the catalogue (the focus is on its button); meanwhile Fechar is clicked,
    // Atualizar double-clicked, Escape pressed and the window closed from the window manager
    // (Alt+F4). The window is 505 x 139: the buttons above and below the gauge. One xdotool sends
    // it all at once: the run may take a fraction of a second, and starting one program after
    // another from this test is slow in the sanitizer build.
    m_desktop.x("xdotool", {"key", "--delay", "0",       "space",    "mousemove", "--window", update,
                            "250", "120",     "click",   "1",        "mousemove", "--window", update,
                            "250", "20",      "click",   "--repeat", "2",         "--delay",  "0",
                            "1",   "key",     "--delay", "0",        "Escape",    "alt+F4"});
    QVERIFY(m_desktop.screenshot("09-atualiza-ii-durante.png"));
    // The run ends with the gauge full (red to its right end), the window still there.
    QTRY_VERIFY_WITH_TIMEOUT(pixel(update, 490, 69) == QColor(Qt::red), 60000);
    QVERIFY(m_desktop.screenshot("10-atualiza-ii-depois.png"));
    // The title bar names the safety copy the run took first.
    QCOMPARE(m_desktop.window("^Atualiza Banco de Dados II [|] C.+pia de seguran.+a do banco de dados: .*/"
                              "LICITACAO-copia-[0-9-]+[.]fbk$"),
             update);
    QCOMPARE(m_program->state(), QProcess::Running);
    QTRY_COMPARE_WITH_TIMEOUT(m_desktop.activeWindow(), update, 10000);

    // Usable as before: Fechar by keyboard, then the restart message ends the program.
    m_desktop.key({"Tab", "space"});
    QString message;
    QTRY_VERIFY_WITH_TIMEOUT(!(message = m_desktop.window("^Estocarium$")).isEmpty(), 10000);
    QVERIFY(m_desktop.window("^Atualiza Banco de Dados II").isEmpty());
    QVERIFY(m_desktop.screenshot("11-reinicio.png"));
    m_desktop.key({"Return"});
    QVERIFY(m_program->waitForFinished(20000));
    QCOMPARE(m_program->exitCode(), 0);
}

QTEST_GUILESS_MAIN(TestWindowPaths)
#include "tst_windowpaths.moc"
