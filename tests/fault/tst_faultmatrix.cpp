#include "MissingRequirement.h"
#include "PrivateCups.h"
#include "PrivateServer.h"
#include "ProgramPaths.h"
#include "X11Desktop.h"
#include "common/PasswordEncoding.h"
#include "db/SqlConnection.h"
#include "db/SqlQuery.h"
#include "shell/uTotal.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <memory>
#include <optional>

#include <csignal>
#include <sys/stat.h>
#include <unistd.h>

// The real programs, each window and command a person uses, under each fault of the
// environment that applies to it: a cell of the table below. Every cell asserts that a
// Portuguese message comes within 20 s, that the window can then be left by its normal ways
// (or the program ended by a signal, when the cell asks so), and that nothing was stored half
// or lost, read back from the database afterwards. Message boxes are read as the person could
// copy them (Ctrl+C in the box, then the clipboard). Disk full and read-only disks are small
// tmpfs mounts in a private mount namespace of the command alone (unshare -m), so the test
// needs root; servers are private ones, stopped by their process id.
//
// Cells that do not apply, or live elsewhere, and why:
// - estocarium-db create | file missing, server faults: create makes a new local file and asks
//   no server; estocarium-db update works on the folder's own file, never through a server.
// - users window (save, delete, search, photo) and report window under a stopped or killed
//   server: tests/fault/tst_databasefaults drives those windows in-process against a private
//   server (the save, its commit, the deletion, the first-access password, two workstations),
//   and tests/fault/tst_largephoto the slow photo; the matrix keeps the sign-in, where the
//   program could trap the person, and the start-up.
// - the users window's delete, search and photo under a file taken away: the check that refuses
//   the save is the connection's own, made for every call (tests/db/tst_databasefile); the save
//   stands for them here. A photo over the limit: tests/users/tst_photo.
// - no permission: the suite runs as root, which no file mode stops; a read-only mount stands in
//   for it, and the engine's lock folder is the start-up's concern (tests/shell/tst_localengine).
// - start-up files that are FIFOs: clientes.ini here; TELA_PRINCIPAL.JPG takes the same regular-
//   file check (tests/widgets/tst_pictures).
class TestFaultMatrix : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void cleanup();
    void cell_data();
    void cell();

private:
    // A fresh copy of the prepared working folder for one cell.
    QString cellFolder(const QString &name) const;
    void writeIni(const QString &folder, const QString &rede, const QString &ipnome,
                  bool utf16 = false) const;
    // estocarium-db with args; with mount, inside a private mount namespace where mount (a shell
    // command) has run first. Its merged output, or empty with a failure recorded.
    // after (a shell command) runs in the namespace once the tool has ended, its output appended.
    QString tool(const QStringList &args, const QString &mount = QString(), const QString &after = QString(),
                 int *exitCode = nullptr) const;
    // With mount, the program runs in a private mount namespace where mount (a shell command) ran first.
    QProcess *launch(const QString &folder, const QString &mount = QString());
    // The login dialog, active; empty when it did not come.
    QString waitForLogin(QProcess *program) const;
    QString signIn(QProcess *program);
    // The text of the message box that becomes active within 20 s, copied by Ctrl+C; empty when
    // none came. previous: the window that was active before it.
    QString messageBox(const QString &previous);
    // Answers message boxes with Enter and the login dialog with Escape until the program ends;
    // false when it still runs after limitMs.
    bool leaveByNormalWays(QProcess *program, int limitMs);
    // Ends a signed-in program by "Sair" and its question.
    bool leaveBySair(QProcess *program, const QString &main);
    int usersNamed(const QString &folder, const QString &name) const;
    QString passwordOf(const QString &folder, const QString &code) const;

    // One cell each: estocarium-db's commands, the start-up, the sign-in's look-up, Salvar in the
    // users window, the first-access password, and the report's export and printing.
    void toolCell(const QString &folder, const QString &path, const QString &fault, const QString &message);
    void startUpCell(const QString &folder, const QString &fault, const QString &message);
    void signInCell(const QString &folder, const QString &fault, const QString &message);
    void usersSaveCell(const QString &folder, const QString &fault, const QString &message);
    void firstAccessCell(const QString &folder, const QString &fault, const QString &message);
    void reportCell(const QString &folder, const QString &path, const QString &fault, const QString &message);

    QTemporaryDir m_tmp;
    QString m_base;
    X11Desktop m_desktop{QStringLiteral("faultmatrix")};
    // When the last message box became active, counted from the action that brought it.
    qint64 m_boxAfterMs = -1;
    QProcess *m_program = nullptr; // the cell's program, ended by its process id if a cell left it running
    std::optional<PrivateServer> m_server;
    std::optional<PrivateCups> m_cups;
};

namespace
{

// The program's own bound is 20 s (a call cancelled after 15 s, cut off 5 s later); looking
// for the box on the display adds a moment.
constexpr qint64 kWithin = 21500;

// Window names as xdotool searches them, accented letters left to the wildcard: the title's
// legacy property (WM_NAME) is written in the program's C library locale, which may not be UTF-8.
const QString kPrincipal = QStringLiteral("Usu.*rio: ");
const QString kUsuarios = QStringLiteral("^Usu.*rios - Estocarium$");
const QString kNovaSenha = QStringLiteral("^Aten.*o$");
const QString kVisualizacao = QStringLiteral("^Visualiza.*o do relat.*rio$");

const QString kNaoEncontrado = QStringLiteral("arquivo do banco de dados não foi encontrado");
const QString kSemServidor = QStringLiteral("não foi possível conectar ao servidor do banco de dados");
const QString kSemResposta = QStringLiteral("o banco de dados não respondeu em");
const QString kRemovido = QStringLiteral("foi removido ou movido da pasta");
const QString kSubstituido = QStringLiteral("foi substituído por outro");

// Texts of the system, Qt or Firebird that must not reach the person as the message itself.
const QRegularExpression kEnglish(QStringLiteral(
    "No such file|Permission denied|No space left|Read-only file system|refers to a directory|"
    "I/O error|operating system directive|unsupported on-disk|Unable to complete network request"));

// The message's own text: the clipboard copy of a box holds its title, text and detail between
// lines of dashes, then its buttons.
QString boxText(const QString &copy)
{
    QStringList parts = copy.split(QStringLiteral("---------------------------"), Qt::SkipEmptyParts);
    for (QString &part : parts)
        part = part.trimmed();
    parts.removeAll(QString());
    // Title first, buttons last.
    if (parts.size() >= 3)
        return parts.mid(1, parts.size() - 2).join(u'\n');
    return copy;
}

} // namespace

void TestFaultMatrix::initTestCase()
{
    QVERIFY2(missingProgram().isEmpty(), qPrintable(missingProgram()));
    if (::geteuid() != 0)
        SKIP_FOR_MISSING(
            QStringLiteral("the fault matrix mounts file systems in a namespace of its own: run as root"));
    if (QStandardPaths::findExecutable(QStringLiteral("xclip")).isEmpty())
        SKIP_FOR_MISSING(QStringLiteral("xclip, which reads the message boxes' texts, is not installed"));
    const QString failure = m_desktop.start();
    QVERIFY2(failure.isEmpty(), qPrintable(failure));
    // The administrator 0001 has chosen a password: no first-access question in the cells; 0002
    // still has the first-access "1".
    m_base = m_tmp.filePath(QStringLiteral("base"));
    const QString created = createWorkingFolder(m_base, {"--users", "1"});
    QVERIFY2(created.isEmpty(), qPrintable(created));
    InicializaSessao();
    SqlConnection connection;
    connection.setParam("Database", m_base + "/LICITACAO.FDB");
    connection.setParam("ServerCharSet", "WIN1252");
    SqlQuery update(&connection);
    update.setSql("UPDATE USUARIOS_ESTOC SET SENHA = :S, CONFIRMA = :S WHERE IDUSUARIO = '0001'");
    update.setParam("S", encodedToColumn(Codificar("segredo", Chave)));
    update.execSQL();
    connection.close();
}

void TestFaultMatrix::cleanupTestCase()
{
    m_desktop.stop();
}

void TestFaultMatrix::cleanup()
{
    // A failed cell must not leave its windows over the next one's.
    if (m_program && m_program->state() != QProcess::NotRunning) {
        m_program->kill();
        m_program->waitForFinished();
    }
    m_program = nullptr;
    m_server.reset();
    m_cups.reset();
}

QString TestFaultMatrix::cellFolder(const QString &name) const
{
    const QString folder = m_tmp.filePath(name);
    QDir().mkpath(folder);
    for (const QString &file : QDir(m_base).entryList(QDir::Files))
        QFile::copy(m_base + u'/' + file, folder + u'/' + file);
    return folder;
}

void TestFaultMatrix::writeIni(const QString &folder, const QString &rede, const QString &ipnome,
                               bool utf16) const
{
    const QString text =
        QStringLiteral("[dados_cliente]\r\ncodigo=1\r\nnome=Prefeitura\r\nweb=0\r\nrede=%1\r\n"
                       "ipnome=%2\r\ncaminho=\r\n")
            .arg(rede, ipnome);
    QFile ini(folder + QStringLiteral("/clientes.ini"));
    QVERIFY(ini.open(QIODevice::WriteOnly | QIODevice::Truncate));
    if (utf16) {
        // As Windows Notepad saves "Unicode": UTF-16, little-endian, with its byte order mark.
        ini.write("\xFF\xFE");
        ini.write(reinterpret_cast<const char *>(text.utf16()), text.size() * 2);
    } else {
        ini.write(text.toUtf8());
    }
}

QString TestFaultMatrix::tool(const QStringList &args, const QString &mount, const QString &after,
                              int *exitCode) const
{
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    if (mount.isEmpty()) {
        process.start(programPath(QStringLiteral("estocarium-db")), args);
    } else {
        process.start(QStringLiteral("unshare"),
                      QStringList{"-m", "--propagation", "private", "sh", "-c",
                                  mount + " && { \"$0\" \"$@\"; status=$?; " +
                                      (after.isEmpty() ? "true" : after) + "; exit $status; }",
                                  programPath(QStringLiteral("estocarium-db"))} +
                          args);
    }
    if (!process.waitForFinished(20000)) {
        process.kill();
        process.waitForFinished();
        return QStringLiteral("(estocarium-db did not end within 20 s)");
    }
    if (exitCode)
        *exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    return QString::fromUtf8(process.readAll());
}

QProcess *TestFaultMatrix::launch(const QString &folder, const QString &mount)
{
    QProcessEnvironment env = m_desktop.environment();
    env.insert(QStringLiteral("ESTOCARIUM_SPLASH_MS"), QStringLiteral("0"));
    if (m_cups)
        env.insert(QStringLiteral("CUPS_SERVER"), m_cups->server());
    const QString program = programPath(QStringLiteral("estocarium"));
    // unshare and sh hand their process over to the program (exec): its process id stays the one started.
    m_program = mount.isEmpty() ? m_desktop.launch(program, {}, folder, env)
                                : m_desktop.launch(QStringLiteral("unshare"),
                                                   {"-m", "--propagation", "private", "sh", "-c",
                                                    mount + " && exec \"$0\"", program},
                                                   folder, env);
    return m_program;
}

QString TestFaultMatrix::waitForLogin(QProcess *program) const
{
    QString login;
    const bool shown = QTest::qWaitFor(
        [&] {
            login = m_desktop.window(QStringLiteral("^Estocarium / Estocarium - 2017$"));
            return (!login.isEmpty() && m_desktop.activeWindow() == login) ||
                   program->state() == QProcess::NotRunning;
        },
        30000);
    return shown && m_desktop.activeWindow() == login ? login : QString();
}

QString TestFaultMatrix::signIn(QProcess *program)
{
    if (waitForLogin(program).isEmpty())
        return QString();
    m_desktop.type(QStringLiteral("1"));
    m_desktop.key({"Return"});
    m_desktop.type(QStringLiteral("segredo"));
    m_desktop.key({"Return", "Return", "Return"});
    QString main;
    const bool signedIn = QTest::qWaitFor(
        [&] {
            main = m_desktop.window(kPrincipal);
            return !main.isEmpty() && m_desktop.activeWindow() == main;
        },
        30000);
    if (!signedIn)
        m_desktop.screenshot(
            QStringLiteral("sem-acesso-%1.png").arg(QString::number(qint64(program->processId()))));
    return signedIn ? main : QString();
}

QString TestFaultMatrix::messageBox(const QString &previous)
{
    QElapsedTimer clock;
    clock.start();
    // Emptied first, so that a box saying what the previous one said is still told apart.
    QProcess empty;
    empty.setProcessEnvironment(m_desktop.environment());
    empty.start(QStringLiteral("xclip"), {"-selection", "clipboard", "-i", "/dev/null"});
    empty.waitForFinished();
    m_boxAfterMs = -1;
    // Ctrl+C copies a message box's texts and does nothing in the other windows.
    QString copy;
    const bool copied = QTest::qWaitFor(
        [&] {
            const QString active = m_desktop.activeWindow();
            if (active.isEmpty() || active == previous)
                return false;
            if (m_boxAfterMs < 0)
                m_boxAfterMs = clock.elapsed();
            m_desktop.key({"ctrl+c"});
            copy = m_desktop.x(QStringLiteral("xclip"), {"-selection", "clipboard", "-o"});
            return copy.contains(QStringLiteral("-----"));
        },
        30000);
    return copied ? boxText(copy) : QString();
}

bool TestFaultMatrix::leaveByNormalWays(QProcess *program, int limitMs)
{
    QElapsedTimer clock;
    clock.start();
    while (program->state() != QProcess::NotRunning && clock.elapsed() < limitMs) {
        const QString active = m_desktop.activeWindow();
        if (!active.isEmpty()) {
            const QString name = m_desktop.windowName(active);
            // The login dialog is left by Escape (Cancelar); a message box or a question by Enter.
            m_desktop.key(
                {name == QStringLiteral("Estocarium / Estocarium - 2017") &&
                         m_desktop.window(QStringLiteral("^Estocarium / Estocarium - 2017$")) == active
                     ? "Escape"
                     : "Return"});
        }
        program->waitForFinished(500);
    }
    return program->state() == QProcess::NotRunning;
}

int TestFaultMatrix::usersNamed(const QString &folder, const QString &name) const
{
    SqlConnection connection;
    connection.setParam("Database", folder + "/LICITACAO.FDB");
    connection.setParam("ServerCharSet", "WIN1252");
    SqlQuery query(&connection);
    query.setSql("SELECT COUNT(*) FROM USUARIOS_ESTOC WHERE USUARIO = :N");
    query.setParam("N", name);
    query.open();
    const int count = query.value(0, 0).toInt();
    connection.close();
    return count;
}

void TestFaultMatrix::cell_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("fault");
    QTest::addColumn<QString>("message"); // what the Portuguese message must say

    // estocarium-db: its lines on the terminal, its exit status, and the database afterwards.
    QTest::newRow("estocarium-db report | file missing") << "report"
                                                         << "missing" << kNaoEncontrado;
    QTest::newRow("estocarium-db report | server refused") << "report"
                                                           << "refused" << kSemServidor;
    QTest::newRow("estocarium-db report | output onto a folder")
        << "report"
        << "folder"
        << "O nome escolhido é o de uma pasta, não o de um arquivo.";
    QTest::newRow("estocarium-db report | read-only disk")
        << "report"
        << "read-only"
        << "está protegido contra gravação (somente leitura)";
    QTest::newRow("estocarium-db report | disk full") << "report"
                                                      << "full"
                                                      << "Não há espaço livre no disco";
    // update works on the folder's own file, never through a server: no server cells.
    QTest::newRow("estocarium-db update | file missing") << "update"
                                                         << "missing"
                                                         << "não encontrado";
    QTest::newRow("estocarium-db create | disk full") << "create"
                                                      << "full"
                                                      << "espaço";
    QTest::newRow("estocarium-db create | read-only disk") << "create"
                                                           << "read-only"
                                                           << "somente leitura";

    // The program: start-up and the login dialog.
    QTest::newRow("start-up | file missing") << "start-up"
                                             << "missing" << kNaoEncontrado;
    QTest::newRow("start-up | server refused") << "start-up"
                                               << "refused" << kSemServidor;
    QTest::newRow("start-up | clientes.ini in UTF-16") << "start-up"
                                                       << "utf-16" << kSemServidor;
    QTest::newRow("start-up | clientes.ini is a FIFO") << "start-up"
                                                       << "fifo" << QString();
    QTest::newRow("sign-in look-up | server stopped") << "sign-in"
                                                      << "stopped" << kSemResposta;
    QTest::newRow("sign-in look-up | server killed") << "sign-in"
                                                     << "killed" << kSemServidor;

    // The users window: Salvar of a new user with the database file taken away meanwhile.
    QTest::newRow("users save | file removed") << "users save"
                                               << "removed" << kRemovido;
    QTest::newRow("users save | file moved away") << "users save"
                                                  << "moved" << kRemovido;
    QTest::newRow("users save (network) | file replaced by mv") << "users save (network)"
                                                                << "replaced" << kSubstituido;
    QTest::newRow("first access | file replaced by mv") << "first access"
                                                        << "replaced" << kSubstituido;

    // The report: its preview saved onto a disk that takes nothing, and printed to a queue that
    // refuses jobs.
    QTest::newRow("report export | read-only disk") << "report export"
                                                    << "read-only"
                                                    << "somente leitura";
    QTest::newRow("report export | disk full") << "report export"
                                               << "full"
                                               << "Não há espaço livre no disco";
    QTest::newRow("print | queue refusing jobs") << "print"
                                                 << "refusing"
                                                 << "não está aceitando trabalhos";
    QTest::newRow("users save | file replaced by mv") << "users save"
                                                      << "replaced" << kSubstituido;
}

void TestFaultMatrix::cell()
{
    QFETCH(QString, path);
    QFETCH(QString, fault);
    QFETCH(QString, message);
    const QString folder = cellFolder(QString::fromLatin1(QTest::currentDataTag())
                                          .replace(QRegularExpression(QStringLiteral("[^A-Za-z0-9]+")), "-"));
    const bool network = path.endsWith(QLatin1String("(network)"));
    if (fault == "stopped" || fault == "killed" || network) {
        m_server.emplace();
        if (!m_server->failure().isEmpty())
            SKIP_FOR_MISSING(QStringLiteral("no private Firebird server: ") + m_server->failure());
        writeIni(folder, "1", m_server->host());
    } else if (fault == "refused" || fault == "utf-16") {
        // Nothing listens on port 1: the refusal comes at once.
        writeIni(folder, "1", "localhost/1", fault == "utf-16");
    } else if (fault == "missing") {
        QVERIFY(QFile::remove(folder + "/LICITACAO.FDB"));
    } else if (fault == "fifo") {
        QVERIFY(QFile::remove(folder + "/clientes.ini"));
        QCOMPARE(::mkfifo(QFile::encodeName(folder + "/clientes.ini").constData(), 0600), 0);
    }

    if (path == "report" || path == "update" || path == "create")
        toolCell(folder, path, fault, message);
    else if (path == "start-up")
        startUpCell(folder, fault, message);
    else if (path == "sign-in")
        signInCell(folder, fault, message);
    else if (path.startsWith(QLatin1String("users save")))
        usersSaveCell(folder, fault, message);
    else if (path == "first access")
        firstAccessCell(folder, fault, message);
    else
        reportCell(folder, path, fault, message);
}

void TestFaultMatrix::toolCell(const QString &folder, const QString &path, const QString &fault,
                               const QString &message)
{
    const QString disk = folder + "/disco";
    QDir().mkpath(disk);
    QString mount;
    if (fault == "full")
        mount = QStringLiteral(
                    "mount -t tmpfs -o size=64k tmpfs %1 && (cat /dev/zero > %1/cheio 2>/dev/null; true)")
                    .arg(disk);
    else if (fault == "read-only")
        mount = QStringLiteral("mount -t tmpfs -o ro,size=64k tmpfs %1").arg(disk);
    QStringList args{path};
    if (path == "report") {
        const QString out = fault == "folder" ? disk : disk + "/usuarios.pdf";
        args << "usuarios" << folder << "--format"
             << "pdf"
             << "--out" << out;
    } else {
        args << (path == "create" ? disk + "/novo" : folder);
    }
    // Nothing half-written: what is left on the mounted disk is looked at before it goes.
    const QString after = QStringLiteral("for f in %1/usuarios.pdf %1/novo/LICITACAO.FDB; do "
                                         "[ -e $f ] && echo MEIO-GRAVADO $f; done")
                              .arg(disk);
    int status = 0;
    QElapsedTimer clock;
    clock.start();
    const QString output = tool(args, mount, after, &status);
    QVERIFY2(clock.elapsed() < 20000, qPrintable(output));
    QVERIFY2(status != 0, qPrintable(output));
    QVERIFY2(output.contains(message), qPrintable(output));
    // A file not written is told wholly in Portuguese; for the database, Firebird's own text may
    // follow as the detail, below the Portuguese line.
    const bool fileFault = path == "report" && fault != "missing" && fault != "refused";
    QVERIFY2(!kEnglish.match(fileFault ? output : output.section(u'\n', 0, 0)).hasMatch(),
             qPrintable(output));
    QVERIFY2(!output.contains("MEIO-GRAVADO"), qPrintable(output));
    QVERIFY(!QFile::exists(disk + "/usuarios.pdf"));
    // The database read is untouched.
    if (fault != "missing" && path != "create")
        QCOMPARE(usersNamed(folder, "ADMINISTRADOR"), 1);
}

void TestFaultMatrix::startUpCell(const QString &folder, const QString &fault, const QString &message)
{
    QProcess *program = launch(folder);
    if (fault == "fifo") {
        // A start-up file that never delivers must not hold the program: it comes up, and a
        // termination signal ends it.
        // Its own window, not whatever was active: the program's handlers are in place by then.
        QVERIFY2(QTest::qWaitFor([&] { return !m_desktop.window(QStringLiteral("^Estocarium")).isEmpty(); },
                                 20000),
                 "nothing came up while clientes.ini was a FIFO");
        QVERIFY(m_desktop.screenshot("fifo.png"));
        program->terminate();
        QVERIFY2(program->waitForFinished(5000), "SIGTERM did not end the program");
        QCOMPARE(program->exitStatus(), QProcess::NormalExit);
        QCOMPARE(program->exitCode(), 0);
        return;
    }
    const QString text = messageBox(QString());
    QVERIFY(m_desktop.screenshot(QStringLiteral("%1-inicio.png").arg(fault)));
    QVERIFY2(text.contains(message), qPrintable(text));
    QVERIFY2(m_boxAfterMs <= kWithin, qPrintable(QString::number(m_boxAfterMs)));
    QVERIFY2(!kEnglish.match(text.section(u'\n', 0, 0)).hasMatch(), qPrintable(text));
    QVERIFY2(leaveByNormalWays(program, 20000), "the program could not be left by Enter and Escape");
    QCOMPARE(program->exitStatus(), QProcess::NormalExit);
}

void TestFaultMatrix::signInCell(const QString &folder, const QString &fault, const QString &message)
{
    QProcess *program = launch(folder);
    const QString login = waitForLogin(program);
    QVERIFY2(!login.isEmpty(), "no login dialog");
    fault == "stopped" ? m_server->pause() : m_server->kill();
    m_desktop.type(QStringLiteral("1"));
    m_desktop.key({"Return"}); // leaving the code field looks the user up
    const QString text = messageBox(login);
    QVERIFY(m_desktop.screenshot(QStringLiteral("%1-acesso.png").arg(fault)));
    QVERIFY2(text.contains(message), qPrintable(text));
    QVERIFY2(m_boxAfterMs <= kWithin, qPrintable(QString::number(m_boxAfterMs)));
    const bool left = leaveByNormalWays(program, 40000);
    if (fault == "stopped")
        m_server->resume();
    QVERIFY2(left, "the login dialog could not be left by Escape while its server failed");
    QCOMPARE(program->exitStatus(), QProcess::NormalExit);
}

void TestFaultMatrix::usersSaveCell(const QString &folder, const QString &fault, const QString &message)
{
    // The copy that replaces the file is made while nobody holds it.
    const QString replacement = folder + "/COPIA.FDB";
    if (fault == "replaced")
        QVERIFY(QFile::copy(folder + "/LICITACAO.FDB", replacement));
    QProcess *program = launch(folder);
    const QString main = signIn(program);
    QVERIFY2(!main.isEmpty(), "could not sign in");
    m_desktop.key({"alt"});
    m_desktop.key({"Down", "Return"});
    QString usuarios;
    QTRY_VERIFY_WITH_TIMEOUT(!(usuarios = m_desktop.window(kUsuarios)).isEmpty(), 10000);
    QTRY_COMPARE_WITH_TIMEOUT(m_desktop.activeWindow(), usuarios, 10000);
    m_desktop.key({"alt+n"});
    QTRY_COMPARE_WITH_TIMEOUT(m_desktop.windowName(usuarios),
                              QStringLiteral("Usuários - Estocarium - Incluindo"), 10000);
    const QString name = QStringLiteral("FALHA ") + fault.toUpper();
    m_desktop.key({"Tab"});
    m_desktop.type(name);
    m_desktop.key({"Tab"});
    m_desktop.type(QStringLiteral("52998224725"));

    const QString moved = folder + "/OUTRO.FDB";
    if (fault == "removed")
        QVERIFY(QFile::remove(folder + "/LICITACAO.FDB"));
    else if (fault == "moved")
        QVERIFY(QFile::rename(folder + "/LICITACAO.FDB", moved));
    else
        QVERIFY(::rename(QFile::encodeName(replacement), QFile::encodeName(folder + "/LICITACAO.FDB")) == 0);
    m_desktop.key({"alt+s"});
    const QString text = messageBox(usuarios);
    QVERIFY(m_desktop.screenshot(QStringLiteral("%1-salvar.png").arg(fault)));
    QVERIFY2(text.contains(message), qPrintable(text));
    QVERIFY2(m_boxAfterMs <= kWithin, qPrintable(QString::number(m_boxAfterMs)));
    m_desktop.key({"Return"});
    // The typed record is still there, in its insertion.
    QTRY_COMPARE_WITH_TIMEOUT(m_desktop.activeWindow(), usuarios, 10000);
    QCOMPARE(m_desktop.windowName(usuarios), QStringLiteral("Usuários - Estocarium - Incluindo"));

    if (fault == "removed") {
        // Nothing to save into: Cancelar, Fechar, and the program ends.
        m_desktop.key({"alt+c"});
        QTRY_COMPARE_WITH_TIMEOUT(m_desktop.windowName(usuarios), QStringLiteral("Usuários - Estocarium"),
                                  10000);
    } else {
        if (fault == "moved")
            QVERIFY(QFile::rename(moved, folder + "/LICITACAO.FDB"));
        // Salvar again: stored in the file now at the path.
        m_desktop.key({"alt+s"});
        QTRY_COMPARE_WITH_TIMEOUT(m_desktop.windowName(usuarios), QStringLiteral("Usuários - Estocarium"),
                                  10000);
    }
    // Fechar, pressed again while the window is still there: keys that reach it while a call
    // still holds it are discarded, and Enter (below) would press Novo, where the focus waits.
    QElapsedTimer closing;
    closing.start();
    while (!m_desktop.window(kUsuarios).isEmpty() && closing.elapsed() < 20000) {
        m_desktop.key({"alt+f"});
        QTest::qWait(500);
    }
    const bool ended = leaveByNormalWays(program, 20000);
    if (!ended)
        m_desktop.screenshot(QStringLiteral("%1-fechar.png").arg(fault));
    QVERIFY2(ended, "the program did not end after Fechar");
    QCOMPARE(program->exitStatus(), QProcess::NormalExit);
    m_server.reset(); // a server holds its files for itself
    if (fault != "removed")
        QCOMPARE(usersNamed(folder, name), 1);
}

void TestFaultMatrix::firstAccessCell(const QString &folder, const QString &fault, const QString &message)
{
    const QString replacement = folder + "/COPIA.FDB";
    QVERIFY(QFile::copy(folder + "/LICITACAO.FDB", replacement));
    QProcess *program = launch(folder);
    const QString login = waitForLogin(program);
    QVERIFY2(!login.isEmpty(), "no login dialog");
    // 0002 still has the first-access password.
    m_desktop.type(QStringLiteral("2"));
    m_desktop.key({"Return"});
    m_desktop.type(QStringLiteral("1"));
    m_desktop.key({"Return", "Return", "Return"});
    QString novaSenha;
    QTRY_VERIFY_WITH_TIMEOUT(!(novaSenha = m_desktop.window(kNovaSenha)).isEmpty(), 10000);
    QTRY_COMPARE_WITH_TIMEOUT(m_desktop.activeWindow(), novaSenha, 10000);
    QCOMPARE(fault, QStringLiteral("replaced"));
    QVERIFY(::rename(QFile::encodeName(replacement), QFile::encodeName(folder + "/LICITACAO.FDB")) == 0);
    m_desktop.type(QStringLiteral("nova"));
    m_desktop.key({"Return"});
    const QString text = messageBox(novaSenha);
    QVERIFY(m_desktop.screenshot(QStringLiteral("primeiro-acesso-%1.png").arg(fault)));
    QVERIFY2(text.contains(message), qPrintable(text));
    QVERIFY2(m_boxAfterMs <= kWithin, qPrintable(QString::number(m_boxAfterMs)));
    // Back in the login dialog, which Escape leaves.
    QVERIFY2(leaveByNormalWays(program, 20000), "the login dialog could not be left after the refusal");
    QCOMPARE(program->exitStatus(), QProcess::NormalExit);
    // Nothing half-written: the file at the path still holds the first-access password.
    QCOMPARE(passwordOf(folder, "0002"), QStringLiteral("1"));
}

void TestFaultMatrix::reportCell(const QString &folder, const QString &path, const QString &fault,
                                 const QString &message)
{
    QString mount;
    const QString disk = folder + "/disco";
    QDir().mkpath(disk);
    if (fault == "full")
        mount = QStringLiteral(
                    "mount -t tmpfs -o size=64k tmpfs %1 && (cat /dev/zero > %1/cheio 2>/dev/null; true)")
                    .arg(disk);
    else if (fault == "read-only")
        mount = QStringLiteral("mount -t tmpfs -o ro,size=64k tmpfs %1").arg(disk);
    int jobsBefore = 0;
    if (fault == "refusing") {
        m_cups.emplace();
        if (!m_cups->failure().isEmpty())
            SKIP_FOR_MISSING(QStringLiteral("no private print service: ") + m_cups->failure());
        QVERIFY(m_cups->makeDefault());
        QVERIFY(m_cups->reject());
        jobsBefore = m_cups->jobCount();
    }
    QProcess *program = launch(folder, mount);
    const QString main = signIn(program);
    QVERIFY2(!main.isEmpty(), "could not sign in");
    // "Usuários" > "Relatórios" > "Relatório dos Usuários".
    m_desktop.key({"alt"});
    m_desktop.key({"Down", "Down", "Right", "Return"});
    QString preview;
    QTRY_VERIFY_WITH_TIMEOUT(
        !(preview = m_desktop.window(kVisualizacao)).isEmpty() && m_desktop.activeWindow() == preview, 20000);
    QString dialog;
    if (path == "report export") {
        m_desktop.key({"ctrl+s"});
        QTRY_VERIFY_WITH_TIMEOUT(!(dialog = m_desktop.activeWindow()).isEmpty() && dialog != preview, 10000);
        m_desktop.key({"ctrl+a"});
        m_desktop.type(disk + "/usuarios.pdf");
    } else {
        m_desktop.key({"ctrl+p"});
        QTRY_VERIFY_WITH_TIMEOUT(!(dialog = m_desktop.activeWindow()).isEmpty() && dialog != preview, 10000);
    }
    QVERIFY(m_desktop.screenshot(QStringLiteral("%1-dialogo.png").arg(fault)));
    m_desktop.key({"Return"});
    const QString text = messageBox(dialog);
    QVERIFY(m_desktop.screenshot(QStringLiteral("%1-relatorio.png").arg(fault)));
    QVERIFY2(text.contains(message), qPrintable(text));
    QVERIFY2(m_boxAfterMs <= kWithin, qPrintable(QString::number(m_boxAfterMs)));
    QVERIFY2(!kEnglish.match(text).hasMatch(), qPrintable(text));
    m_desktop.key({"Return"});
    QTRY_COMPARE_WITH_TIMEOUT(m_desktop.activeWindow(), preview, 10000);
    m_desktop.key({"Escape"});
    QTRY_COMPARE_WITH_TIMEOUT(m_desktop.activeWindow(), main, 10000);
    QVERIFY(leaveBySair(program, main));
    if (m_cups)
        QCOMPARE(m_cups->jobCount(), jobsBefore);
}

bool TestFaultMatrix::leaveBySair(QProcess *program, const QString &main)
{
    // "Sair", the menu bar's last entry; Yes is the default answer of its question.
    m_desktop.key({"alt"});
    m_desktop.key({"Left", "Return"});
    const bool asked = QTest::qWaitFor(
        [&] {
            const QString active = m_desktop.activeWindow();
            return !active.isEmpty() && active != main;
        },
        10000);
    if (!asked)
        return false;
    m_desktop.key({"Return"});
    return program->waitForFinished(20000) && program->exitStatus() == QProcess::NormalExit;
}

QString TestFaultMatrix::passwordOf(const QString &folder, const QString &code) const
{
    SqlConnection connection;
    connection.setParam("Database", folder + "/LICITACAO.FDB");
    connection.setParam("ServerCharSet", "WIN1252");
    SqlQuery query(&connection);
    query.setSql("SELECT SENHA FROM USUARIOS_ESTOC WHERE IDUSUARIO = :C");
    query.setParam("C", code);
    query.open();
    const QString password = Decodificar(encodedFromColumn(query.value(0, 0).toString()), Chave);
    connection.close();
    return password;
}
QTEST_GUILESS_MAIN(TestFaultMatrix)
#include "tst_faultmatrix.moc"
