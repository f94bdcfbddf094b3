#include "MissingRequirement.h"
#include "PrivateCups.h"
#include "PrivateServer.h"
#include "ProgramPaths.h"
#include "TestPart.h"
#include "X11Desktop.h"
#include "common/PasswordEncoding.h"
#include "db/SqlConnection.h"
#include "db/SqlQuery.h"
#include "session/uTotal.h"

#include <QCryptographicHash>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
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
// environment that applies to it: a cell of the table in cell_data(). Every cell asserts that a
// Portuguese message comes within 20 s, that the window can then be left by its normal ways
// (or the program ended by a signal, when the cell asks so), and that nothing was stored half
// or lost, read back from the database afterwards. Message boxes are read as the person could
// copy them (Ctrl+C in the box, then the clipboard). Disk full and read-only disks are small
// tmpfs mounts in a private mount namespace of the command alone (unshare -m), so the test
// needs root; servers are private ones, stopped by their process id.
//
// Cells that do not apply, or live elsewhere, and why:
// - estocarium-db create | file missing, an older structure, something not a file at the path,
//   server faults: create makes a new local file where nothing is yet (any existing path is
//   refused before it is opened) and asks no server; estocarium-db update works on the folder's
//   own file, never through a server.
// - users window (save, delete, search, photo) and report window under a stopped or killed
//   server: tests/fault/tst_databasefaults drives those windows in-process against a private
//   server (the save, its commit, the deletion, the first-access password, two workstations),
//   and tests/fault/tst_largephoto the slow photo; the matrix keeps the sign-in, where the
//   program could trap the person, and the start-up. A photo over the limit: tests/users/tst_photo.
// - the sign-in look-up and the windows behind it under an older structure or something not a
//   file at the path: the start-up attaches first and stops there.
// - the file and print dialogs under a machine locale that is not Brazilian: their dates, sizes
//   and units are drawn by Qt and cannot be read from outside the program on this display (no
//   accessibility bridge); tests/shell/tst_brazilianlocale reads them in the program's own dialogs
//   under C.UTF-8, and tests/widgets/tst_filedialogs checks that none of them is cut.
// - no permission: the suite runs as root, which no file mode stops; a read-only mount stands in
//   for it, and the engine's lock folder is the start-up's concern (tests/shell/tst_localengine).
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
    enum class IniForm { Utf8, Utf16, Oversized };

    // A fresh copy of the prepared working folder for one cell.
    QString cellFolder(const QString &name) const;
    void writeIni(const QString &folder, const QString &rede, const QString &ipnome,
                  IniForm form = IniForm::Utf8) const;
    // The environment of the programs a cell starts: the desktop's, with the cell's changes.
    QProcessEnvironment environment() const;
    // estocarium-db with args; with mount, inside a private mount namespace where mount (a shell
    // command) has run first. Its merged output, or empty with a failure recorded.
    // after (a shell command) runs in the namespace once the tool has ended, its output appended.
    QString tool(const QStringList &args, const QString &mount = QString(), const QString &after = QString(),
                 int *exitCode = nullptr) const;
    // With mount, the program runs in a private mount namespace where mount (a shell command) ran
    // first; with after, that command runs there once the program has ended.
    QProcess *launch(const QString &folder, const QString &mount = QString(),
                     const QString &after = QString());
    // The login dialog, active within limitMs; empty when it did not come.
    QString waitForLogin(QProcess *program, int limitMs = 30000) const;
    QString signIn(QProcess *program);
    // The users window of a signed-in program, active.
    QString openUsers();
    // The text of the message box that becomes active within 20 s, copied by Ctrl+C; empty when
    // none came. previous: the window that was active before it.
    QString messageBox(const QString &previous);
    // Which of a box's lines must not be the system's, Qt's or Firebird's English: the message
    // line, or every line (where the program wrote the detail too).
    enum class BoxCheck { MessageLine, WholeText };
    // The message box that becomes active after previous, with a picture of the screen saved:
    // empty when it says message within the bound, in Portuguese, otherwise what was wrong.
    QString boxFault(const QString &previous, const QString &message, const QString &picture,
                     BoxCheck check = BoxCheck::MessageLine);
    // Puts text on the clipboard, as if copied from another program.
    void copyToClipboard(const QByteArray &text) const;
    // Answers message boxes with Enter and the login dialog with Escape until the program ends;
    // false when it still runs after limitMs.
    bool leaveByNormalWays(QProcess *program, int limitMs);
    // Ends a signed-in program by "Sair" and its question.
    bool leaveBySair(QProcess *program, const QString &main);
    // Fechar in the users window, then whatever the program asks on its way out.
    void closeUsersAndLeave(QProcess *program, const QString &fault);
    // The first column of the first row of sql, with :C bound to code, read from database.
    QVariant readBack(const QString &database, const QString &sql, const QString &code) const;
    int usersNamed(const QString &folder, const QString &name) const;
    // What is at path: "folder", "fifo", or a digest of the file's bytes.
    static QByteArray stateOf(const QString &path);

    // One cell each: estocarium-db's commands, the start-up, the sign-in's look-up, the users
    // window's actions, the first-access password, the report's export and printing, and the
    // engine's shared configuration.
    void toolCell(const QString &folder, const QString &path, const QString &fault, const QString &message);
    void startUpCell(const QString &folder, const QString &fault, const QString &message);
    void signInCell(const QString &folder, const QString &fault, const QString &message);
    void usersCell(const QString &folder, const QString &action, const QString &fault,
                   const QString &message);
    void firstAccessCell(const QString &folder, const QString &fault, const QString &message);
    void reportCell(const QString &folder, const QString &path, const QString &fault, const QString &message);
    void engineCell(const QString &folder, const QString &fault, const QString &message);

    QTemporaryDir m_tmp;
    QString m_base;
    QByteArray m_oldPhoto; // 0001's photo in every cell's database
    X11Desktop m_desktop{QStringLiteral("faultmatrix") + TestPart::current().suffix()};
    // When the last message box became active, counted from the action that brought it.
    qint64 m_boxAfterMs = -1;
    // The cell's programs, ended by their process ids if a cell left them running.
    QList<QProcess *> m_programs;
    // The cell's changes to the programs' environment: a variable set, or removed when empty.
    QList<QPair<QString, std::optional<QString>>> m_environment;
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
// {pasta} stands for the cell's folder.
const QString kRemovido = QStringLiteral(
    "Atenção, o arquivo do banco de dados LICITACAO.FDB foi removido ou movido da pasta {pasta} enquanto o "
    "programa trabalhava nele: nada desta operação foi gravado. Peça ao administrador que devolva o "
    "arquivo à pasta e repita a operação.");
const QString kSubstituido = QStringLiteral(
    "Atenção, o arquivo do banco de dados LICITACAO.FDB na pasta {pasta} foi substituído por outro "
    "enquanto o programa trabalhava nele: nada desta operação foi gravado no arquivo que está agora na "
    "pasta. A próxima operação usa esse arquivo; confira os dados e repita a operação.");
const QString kEstruturaAntiga = QStringLiteral(
    "Atenção, o banco de dados foi gravado pelo Firebird 2.5 (estrutura 11.2), que o Firebird 3 não abre. "
    "Converta-o com o gbak: no Firebird 2.5, gbak -b LICITACAO.FDB licitacao.fbk; aqui, gbak -c "
    "licitacao.fbk LICITACAO.FDB.");
const QString kNaoArquivo = QStringLiteral(
    "Atenção, o caminho do banco de dados não leva a um arquivo: há ali uma pasta, um canal ou um "
    "dispositivo. Confira a pasta de trabalho e o caminho configurado em clientes.ini.");
const QString kDiscoCheio =
    QStringLiteral("Atenção, o disco do banco de dados está cheio: a operação não foi "
                   "concluída. Libere espaço no disco e tente de novo.");
const QString kNomeComControle =
    QStringLiteral("Atenção, o nome do usuário tem caracteres de controle (tabulação, quebra de linha ou "
                   "outros); nada foi gravado. Corrija o nome.");
const QString kSenhaComControle =
    QStringLiteral("Atenção, a senha não pode ter caracteres de controle (tabulação, quebra de linha ou "
                   "outros); nada foi gravado. Informe outra senha.");
const QString kMotorExclusivo =
    QStringLiteral("Atenção, não foi possível gravar a configuração do Firebird deste programa");
const QString kEmUso = QStringLiteral("está em uso por outro programa");

// Faults that put something else than the database at its path, or an older one: the file at the
// path must be as it was after the cell.
const QStringList kPathFaults{"older structure", "database folder", "database fifo"};

// What the files of a folder hold, in bytes.
qint64 folderSize(const QString &folder)
{
    qint64 size = 0;
    for (const QFileInfo &file : QDir(folder).entryInfoList(QDir::Files))
        size += file.size();
    return size;
}

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
    // Its photo, which a photo refused must leave as it was.
    QFile limpa(m_base + "/Limpa.JPG");
    QVERIFY(limpa.open(QIODevice::ReadOnly));
    m_oldPhoto = limpa.readAll();
    update.setSql(
        "UPDATE USUARIOS_ESTOC SET SENHA = :S, CONFIRMA = :S, B_FOTO = :F WHERE IDUSUARIO = '0001'");
    update.setParam("S", encodedToColumn(Codificar("segredo", Chave)));
    update.setParam("F", m_oldPhoto);
    update.execSQL();
    connection.close();
}

void TestFaultMatrix::cleanupTestCase()
{
    m_desktop.stop();
}

void TestFaultMatrix::cleanup()
{
    m_desktop.recordIfFailed();
    // A failed cell must not leave its windows over the next one's.
    for (QProcess *program : std::as_const(m_programs)) {
        if (program->state() != QProcess::NotRunning) {
            program->kill();
            program->waitForFinished();
        }
    }
    m_programs.clear();
    m_environment.clear();
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
                               IniForm form) const
{
    const QString text =
        QStringLiteral("[dados_cliente]\r\ncodigo=1\r\nnome=Prefeitura\r\nweb=0\r\nrede=%1\r\n"
                       "ipnome=%2\r\ncaminho=\r\n")
            .arg(rede, ipnome);
    QFile ini(folder + QStringLiteral("/clientes.ini"));
    QVERIFY(ini.open(QIODevice::WriteOnly | QIODevice::Truncate));
    if (form == IniForm::Utf16) {
        // As Windows Notepad saves "Unicode": UTF-16, little-endian, with its byte order mark.
        ini.write("\xFF\xFE");
        ini.write(reinterpret_cast<const char *>(text.utf16()), text.size() * 2);
    } else {
        ini.write(text.toUtf8());
    }
    if (form == IniForm::Oversized) {
        // A valid section at the top, then 2 MiB of notes below it.
        const QByteArray note = "; " + QByteArray(1022, 'x') + "\r\n";
        for (int line = 0; line < 2048; ++line)
            ini.write(note);
    }
}

QProcessEnvironment TestFaultMatrix::environment() const
{
    QProcessEnvironment env = m_desktop.environment();
    for (const auto &[name, value] : m_environment) {
        if (value)
            env.insert(name, *value);
        else
            env.remove(name);
    }
    return env;
}

QString TestFaultMatrix::tool(const QStringList &args, const QString &mount, const QString &after,
                              int *exitCode) const
{
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.setProcessEnvironment(environment());
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

QProcess *TestFaultMatrix::launch(const QString &folder, const QString &mount, const QString &after)
{
    QProcessEnvironment env = environment();
    env.insert(QStringLiteral("ESTOCARIUM_SPLASH_MS"), QStringLiteral("0"));
    if (m_cups)
        env.insert(QStringLiteral("CUPS_SERVER"), m_cups->server());
    const QString program = programPath(QStringLiteral("estocarium"));
    // unshare and sh hand their process over to the program (exec): its process id stays the
    // one started, unless a command must run after it.
    const QString run = after.isEmpty()
                            ? QStringLiteral("exec \"$0\"")
                            : QStringLiteral("{ \"$0\"; status=$?; %1; exit $status; }").arg(after);
    QProcess *started =
        mount.isEmpty()
            ? m_desktop.launch(program, {}, folder, env)
            : m_desktop.launch(QStringLiteral("unshare"),
                               {"-m", "--propagation", "private", "sh", "-c", mount + " && " + run, program},
                               folder, env);
    m_programs.append(started);
    return started;
}

QString TestFaultMatrix::waitForLogin(QProcess *program, int limitMs) const
{
    QString login;
    const bool shown = QTest::qWaitFor(
        [&] {
            login = m_desktop.window(QStringLiteral("^Estocarium / Estocarium - 2017$"));
            return (!login.isEmpty() && m_desktop.activeWindow() == login) ||
                   program->state() == QProcess::NotRunning;
        },
        limitMs);
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

QString TestFaultMatrix::boxFault(const QString &previous, const QString &message, const QString &picture,
                                  BoxCheck check)
{
    const QString text = messageBox(previous);
    m_desktop.screenshot(picture);
    if (text.isEmpty())
        return QStringLiteral("no message box came");
    if (!text.contains(message))
        return QStringLiteral("the box said: ") + text;
    if (m_boxAfterMs > kWithin)
        return QStringLiteral("the box came after %1 ms").arg(m_boxAfterMs);
    if (kEnglish.match(check == BoxCheck::WholeText ? text : text.section(u'\n', 0, 0)).hasMatch())
        return QStringLiteral("English in the box: ") + text;
    return QString();
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

QVariant TestFaultMatrix::readBack(const QString &database, const QString &sql, const QString &code) const
{
    SqlConnection connection;
    connection.setParam("Database", database);
    connection.setParam("ServerCharSet", "WIN1252");
    SqlQuery query(&connection);
    query.setSql(sql);
    query.setParam("C", code);
    query.open();
    const QVariant value = query.rowCount() > 0 ? query.value(0, 0) : QVariant();
    connection.close();
    return value;
}

int TestFaultMatrix::usersNamed(const QString &folder, const QString &name) const
{
    return readBack(folder + "/LICITACAO.FDB", "SELECT COUNT(*) FROM USUARIOS_ESTOC WHERE USUARIO = :C", name)
        .toInt();
}

QByteArray TestFaultMatrix::stateOf(const QString &path)
{
    const QFileInfo info(path);
    if (info.isDir())
        return "folder";
    struct stat status {
    };
    if (::lstat(QFile::encodeName(path).constData(), &status) == 0 && S_ISFIFO(status.st_mode))
        return "fifo";
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return "missing";
    return QCryptographicHash::hash(file.readAll(), QCryptographicHash::Sha1).toHex();
}

void TestFaultMatrix::copyToClipboard(const QByteArray &text) const
{
    // xclip stays behind to hand the text over, as the program that copied it would.
    QProcess copy;
    copy.setProcessEnvironment(m_desktop.environment());
    copy.start(QStringLiteral("xclip"), {"-selection", "clipboard", "-i"});
    copy.write(text);
    copy.closeWriteChannel();
    QVERIFY(copy.waitForFinished());
}

QString TestFaultMatrix::openUsers()
{
    // "Usuários" > "Usuários", the first menu and its first entry.
    m_desktop.key({"alt"});
    m_desktop.key({"Down", "Return"});
    QString usuarios;
    const bool opened = QTest::qWaitFor(
        [&] {
            return !(usuarios = m_desktop.window(kUsuarios)).isEmpty() &&
                   m_desktop.activeWindow() == usuarios;
        },
        20000);
    return opened ? usuarios : QString();
}

void TestFaultMatrix::closeUsersAndLeave(QProcess *program, const QString &fault)
{
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
}

namespace
{

// One cell: the window or command (path), what goes wrong under it (fault), and what the Portuguese
// message must say.
struct MatrixCell {
    const char *tag;
    const char *path;
    const char *fault;
    QString message;
};

const MatrixCell kCells[] = {
    // estocarium-db: its lines on the terminal, its exit status, and the database afterwards.
    {"estocarium-db report | file missing", "report", "missing", kNaoEncontrado},
    {"estocarium-db report | server refused", "report", "refused", kSemServidor},
    {"estocarium-db report | older structure", "report", "older structure", kEstruturaAntiga},
    {"estocarium-db report | folder at the file's path", "report", "database folder", kNaoArquivo},
    {"estocarium-db report | FIFO at the file's path", "report", "database fifo", kNaoArquivo},
    {"estocarium-db report | output onto a folder", "report", "folder",
     "O nome escolhido é o de uma pasta, não o de um arquivo."},
    {"estocarium-db report | read-only disk", "report", "read-only",
     "está protegido contra gravação (somente leitura)"},
    {"estocarium-db report | disk full", "report", "full", "Não há espaço livre no disco"},
    // update works on the folder's own file, never through a server: no server cells.
    {"estocarium-db update | file missing", "update", "missing", "não encontrado"},
    {"estocarium-db update | older structure", "update", "older structure", kEstruturaAntiga},
    {"estocarium-db update | folder at the file's path", "update", "database folder", kNaoArquivo},
    {"estocarium-db update | FIFO at the file's path", "update", "database fifo", kNaoArquivo},
    {"estocarium-db create | disk full", "create", "full", "espaço"},
    {"estocarium-db create | read-only disk", "create", "read-only", "somente leitura"},
    // The engine's configuration folder cannot be made where it belongs: the program and the
    // tool, started with the same environment, share the file through the runtime folder, or are
    // told that they cannot.
    {"program and estocarium-db | home not writable", "engine", "home not writable", QString()},
    {"program and estocarium-db | XDG_CACHE_HOME unusable", "engine", "cache unusable", QString()},
    {"program and estocarium-db | nowhere to write", "engine", "nowhere to write", kMotorExclusivo},
    // The program: start-up and the login dialog.
    {"start-up | file missing", "start-up", "missing", kNaoEncontrado},
    {"start-up | server refused", "start-up", "refused", kSemServidor},
    {"start-up | older structure", "start-up", "older structure", kEstruturaAntiga},
    {"start-up | folder at the file's path", "start-up", "database folder", kNaoArquivo},
    {"start-up | FIFO at the file's path", "start-up", "database fifo", kNaoArquivo},
    // A network configuration read from the file is what sends the program to the refusing port.
    {"start-up | clientes.ini in UTF-16", "start-up", "utf-16", kSemServidor},
    {"start-up | clientes.ini over 1 MiB", "start-up", "oversized ini", kSemServidor},
    {"start-up | clientes.ini is a FIFO", "start-up", "ini fifo", QString()},
    {"start-up | TELA_PRINCIPAL.JPG is a FIFO", "start-up", "picture fifo", "Erro imagem"},
    {"sign-in look-up | server stopped", "sign-in", "stopped", kSemResposta},
    {"sign-in look-up | server killed", "sign-in", "killed", kSemServidor},
    // The users window: each action with the database file taken away meanwhile, refused; the
    // next one lands in the file then at the path.
    {"users save | file removed", "users save", "removed", kRemovido},
    {"users save | file moved away", "users save", "moved", kRemovido},
    {"users save | file replaced by mv", "users save", "replaced", kSubstituido},
    {"users save (network) | file replaced by mv", "users save (network)", "replaced", kSubstituido},
    {"users save | control character pasted into the name", "users save", "control character",
     kNomeComControle},
    {"users delete | file removed", "users delete", "removed", kRemovido},
    {"users delete | file replaced by mv", "users delete", "replaced", kSubstituido},
    {"users search | file removed", "users search", "removed", kRemovido},
    {"users search | file replaced by mv", "users search", "replaced", kSubstituido},
    {"users photo | file removed", "users photo", "removed", kRemovido},
    {"users photo | file replaced by mv", "users photo", "replaced", kSubstituido},
    {"users photo | disk full", "users photo", "full", kDiscoCheio},
    {"first access | file replaced by mv", "first access", "replaced", kSubstituido},
    {"first access | control character pasted into the password", "first access", "control character",
     kSenhaComControle},
    // The report: its preview saved onto a disk that takes nothing, and printed to a queue that
    // refuses jobs.
    {"report export | read-only disk", "report export", "read-only", "somente leitura"},
    {"report export | disk full", "report export", "full", "Não há espaço livre no disco"},
    {"print | queue refusing jobs", "print", "refusing", "não está aceitando trabalhos"},
};

} // namespace

void TestFaultMatrix::cell_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("fault");
    QTest::addColumn<QString>("message"); // what the Portuguese message must say

    const TestPart part = TestPart::current();
    for (int index = 0; index < int(std::size(kCells)); ++index) {
        if (!part.takes(index))
            continue;
        const MatrixCell &cell = kCells[index];
        QTest::newRow(cell.tag) << QString::fromLatin1(cell.path) << QString::fromLatin1(cell.fault)
                                << cell.message;
    }
}

void TestFaultMatrix::cell()
{
    QFETCH(QString, path);
    QFETCH(QString, fault);
    QFETCH(QString, message);
    const QString folder = cellFolder(QString::fromLatin1(QTest::currentDataTag())
                                          .replace(QRegularExpression(QStringLiteral("[^A-Za-z0-9]+")), "-"));
    message.replace(QStringLiteral("{pasta}"), folder);
    const QString database = folder + "/LICITACAO.FDB";
    const bool network = path.endsWith(QLatin1String("(network)"));
    if (fault == "stopped" || fault == "killed" || network) {
        m_server.emplace();
        if (!m_server->failure().isEmpty())
            SKIP_FOR_MISSING(QStringLiteral("no private Firebird server: ") + m_server->failure());
        writeIni(folder, "1", m_server->host());
    } else if (fault == "refused" || fault == "utf-16" || fault == "oversized ini") {
        // Nothing listens on port 1: the refusal comes at once.
        writeIni(folder, "1", "localhost/1",
                 fault == "utf-16"          ? IniForm::Utf16
                 : fault == "oversized ini" ? IniForm::Oversized
                                            : IniForm::Utf8);
    } else if (fault == "missing") {
        QVERIFY(QFile::remove(database));
    } else if (fault == "ini fifo" || fault == "picture fifo") {
        const QString file = folder + (fault == "ini fifo" ? "/clientes.ini" : "/TELA_PRINCIPAL.JPG");
        QVERIFY(QFile::remove(file));
        QCOMPARE(::mkfifo(QFile::encodeName(file).constData(), 0600), 0);
    } else if (fault == "database folder" || fault == "database fifo") {
        QVERIFY(QFile::remove(database));
        if (fault == "database folder")
            QVERIFY(QDir().mkpath(database));
        else
            QCOMPARE(::mkfifo(QFile::encodeName(database).constData(), 0600), 0);
    } else if (fault == "older structure") {
        // The header as Firebird 2.5 writes it: structure 11.2 (the version beside the Firebird
        // flag at byte 18, the minor version at byte 64).
        QFile header(database);
        QVERIFY(header.open(QIODevice::ReadWrite));
        QVERIFY(header.seek(18) && header.write("\x0B", 1) == 1);
        QVERIFY(header.seek(64) && header.write("\x02", 1) == 1);
    }
    const QByteArray before = stateOf(database);

    if (path == "report" || path == "update" || path == "create")
        toolCell(folder, path, fault, message);
    else if (path == "engine")
        engineCell(folder, fault, message);
    else if (path == "start-up")
        startUpCell(folder, fault, message);
    else if (path == "sign-in")
        signInCell(folder, fault, message);
    else if (path.startsWith(QLatin1String("users ")))
        usersCell(folder, path.section(u' ', 1, 1), fault, message);
    else if (path == "first access")
        firstAccessCell(folder, fault, message);
    else
        reportCell(folder, path, fault, message);
    if (QTest::currentTestFailed())
        return;
    // What stood at the database's path is still there, as it was.
    if (kPathFaults.contains(fault))
        QCOMPARE(stateOf(database), before);
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
    const bool fileFault = path == "report" && (fault == "folder" || fault == "read-only" || fault == "full");
    QVERIFY2(!kEnglish.match(fileFault ? output : output.section(u'\n', 0, 0)).hasMatch(),
             qPrintable(output));
    QVERIFY2(!output.contains("MEIO-GRAVADO"), qPrintable(output));
    QVERIFY(!QFile::exists(disk + "/usuarios.pdf"));
    // The database read is untouched.
    if (fault != "missing" && path != "create" && !kPathFaults.contains(fault))
        QCOMPARE(usersNamed(folder, "ADMINISTRADOR"), 1);
}

void TestFaultMatrix::startUpCell(const QString &folder, const QString &fault, const QString &message)
{
    QProcess *program = launch(folder);
    if (fault == "ini fifo") {
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
    if (fault == "picture fifo") {
        // The main window's picture: said missing, and the program goes on without it.
        const QString wrong = boxFault(QString(), message, "figura-fifo.png");
        QVERIFY2(wrong.isEmpty(), qPrintable(wrong));
        m_desktop.key({"Return"});
        const QString main = signIn(program);
        QVERIFY2(!main.isEmpty(), "no main window while TELA_PRINCIPAL.JPG was a FIFO");
        QVERIFY(leaveBySair(program, main));
        return;
    }
    const QString wrong =
        boxFault(QString(), message, QStringLiteral("%1-inicio.png").arg(QString(fault).replace(u' ', u'-')));
    QVERIFY2(wrong.isEmpty(), qPrintable(wrong));
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
    const QString wrong = boxFault(login, message, QStringLiteral("%1-acesso.png").arg(fault));
    QVERIFY2(wrong.isEmpty(), qPrintable(wrong));
    const bool left = leaveByNormalWays(program, 40000);
    if (fault == "stopped")
        m_server->resume();
    QVERIFY2(left, "the login dialog could not be left by Escape while its server failed");
    QCOMPARE(program->exitStatus(), QProcess::NormalExit);
}

void TestFaultMatrix::usersCell(const QString &folder, const QString &action, const QString &fault,
                                const QString &message)
{
    const QString database = folder + "/LICITACAO.FDB";
    // Where the file goes while it is away (removed: its other name, so that it can be read
    // back), and the copy that replaces it, made while nobody holds it.
    const QString away = folder + "/FORA.FDB";
    const QString replacement = folder + "/COPIA.FDB";
    if (fault == "replaced")
        QVERIFY(QFile::copy(database, replacement));
    // The photo chosen: the splash picture, on a full disk with 2 MiB after its end, which the
    // JPEG reader passes over.
    const QString photo = folder + "/foto-nova.jpg";
    QByteArray newPhoto;
    if (action == "photo") {
        QFile splash(folder + "/TELA_PRINCIPAL.JPG");
        QVERIFY(splash.open(QIODevice::ReadOnly));
        newPhoto = splash.readAll();
        if (fault == "full")
            newPhoto += QByteArray(2 << 20, '\x55');
        QFile chosen(photo);
        QVERIFY(chosen.open(QIODevice::WriteOnly) && chosen.write(newPhoto) == newPhoto.size());
    }
    // A full disk: the working folder's files on a small tmpfs that is then filled up; the
    // database is copied out once the program has ended, to be read back.
    QString mount;
    QString after;
    if (fault == "full") {
        const QString disk = folder + "/disco";
        QVERIFY(QDir().mkpath(disk));
        mount = QStringLiteral(
                    "mount -t tmpfs -o size=%1k tmpfs %2 && cp %3/*.FDB %3/*.JPG %3/clientes.ini %2 && "
                    "(cat /dev/zero > %2/cheio 2>/dev/null; true) && cd %2")
                    .arg(QString::number(folderSize(folder) / 1024 + 512), disk, folder);
        after = QStringLiteral("cp %1/LICITACAO.FDB %2/DEPOIS.FDB").arg(disk, folder);
    }
    QProcess *program = launch(folder, mount, after);
    const QString main = signIn(program);
    QVERIFY2(!main.isEmpty(), "could not sign in");
    const QString usuarios = openUsers();
    QVERIFY2(!usuarios.isEmpty(), "the users window did not open");

    const QString navegando = QStringLiteral("Usuários - Estocarium");
    const QString incluindo = navegando + QStringLiteral(" - Incluindo");
    const QString alterando = navegando + QStringLiteral(" - Alterando");
    const QString name = QStringLiteral("FALHA ") + fault.toUpper();
    // The window's state that the refusal must leave as it was.
    QString kept = navegando;
    if (action == "save") {
        m_desktop.key({"alt+n"});
        QTRY_COMPARE_WITH_TIMEOUT(m_desktop.windowName(usuarios), incluindo, 10000);
        m_desktop.key({"Tab"});
        if (fault == "control character") {
            // As copied from a spreadsheet's cells.
            copyToClipboard("MARIA\tSOUZA");
            m_desktop.key({"ctrl+v"});
        } else {
            m_desktop.type(name);
        }
        m_desktop.key({"Tab"});
        m_desktop.type(QStringLiteral("52998224725"));
        kept = incluindo;
    } else if (action == "photo") {
        // Alterar; on the "Foto" page, "Escolha Foto" has the focus; the file dialog takes a path.
        m_desktop.key({"alt+a"});
        QTRY_COMPARE_WITH_TIMEOUT(m_desktop.windowName(usuarios), alterando, 10000);
        m_desktop.key({"ctrl+Tab"});
        m_desktop.key({"space"});
        QString dialog;
        QTRY_VERIFY_WITH_TIMEOUT(!(dialog = m_desktop.activeWindow()).isEmpty() && dialog != usuarios, 10000);
        m_desktop.key({"ctrl+a"});
        m_desktop.type(photo);
        m_desktop.key({"Return"});
        QTRY_COMPARE_WITH_TIMEOUT(m_desktop.activeWindow(), usuarios, 10000);
        // Back to "Cadastro", where Salvar is.
        m_desktop.key({"ctrl+shift+Tab"});
        kept = alterando;
    }

    if (fault == "removed") {
        QCOMPARE(::link(QFile::encodeName(database).constData(), QFile::encodeName(away).constData()), 0);
        QVERIFY(QFile::remove(database));
    } else if (fault == "moved") {
        QVERIFY(QFile::rename(database, away));
    } else if (fault == "replaced") {
        QVERIFY(::rename(QFile::encodeName(replacement), QFile::encodeName(database)) == 0);
    }
    // The action, which must be refused.
    const auto act = [&] {
        if (action == "delete") {
            // "Confirma a exclusão ?", whose default is Não: Alt+S answers Sim.
            m_desktop.key({"alt+e"});
            QString question;
            QTRY_VERIFY_WITH_TIMEOUT(!(question = m_desktop.activeWindow()).isEmpty() && question != usuarios,
                                     10000);
            m_desktop.key({"alt+s"});
        } else if (action == "search") {
            // The "Pesquisa" page, the last one, lists the users as it is shown.
            m_desktop.key({"ctrl+shift+Tab"});
        } else {
            m_desktop.key({"alt+s"});
        }
    };
    act();
    const QString wrong =
        boxFault(action == "delete" ? QString() : usuarios, message,
                 QStringLiteral("%1-%2.png").arg(action, QString(fault).replace(u' ', u'-')));
    QVERIFY2(wrong.isEmpty(), qPrintable(wrong));
    m_desktop.key({"Return"});
    // The typed record is still there, in its state.
    QTRY_COMPARE_WITH_TIMEOUT(m_desktop.activeWindow(), usuarios, 10000);
    QCOMPARE(m_desktop.windowName(usuarios), kept);

    // Nothing of the refused action reached the file it was working on.
    const QString refusedIn = fault == "removed" || fault == "moved" ? away : database;
    if (fault != "full" && !m_server) {
        const QVariant admin =
            readBack(refusedIn, "SELECT USUARIO FROM USUARIOS_ESTOC WHERE IDUSUARIO = :C", "0001");
        QCOMPARE(admin.toString(), QStringLiteral("ADMINISTRADOR"));
        QCOMPARE(readBack(refusedIn, "SELECT B_FOTO FROM USUARIOS_ESTOC WHERE IDUSUARIO = :C", "0001")
                     .toByteArray(),
                 m_oldPhoto);
    }

    if (fault == "full" || fault == "control character") {
        // Nothing to do again: Cancelar.
        m_desktop.key({"alt+c"});
        QTRY_COMPARE_WITH_TIMEOUT(m_desktop.windowName(usuarios), navegando, 10000);
    } else {
        // The file back at its path (or the replacement there): the same action lands in it.
        if (fault != "replaced")
            QVERIFY(QFile::rename(away, database));
        if (action == "search") {
            // F5 lists the users again; Enter takes the first to the "Cadastro" page, where
            // Alterar works on it.
            m_desktop.key({"F5"});
            m_desktop.key({"Return"});
            m_desktop.key({"alt+a"});
            QTRY_COMPARE_WITH_TIMEOUT(m_desktop.windowName(usuarios), alterando, 10000);
            m_desktop.key({"alt+c"});
        } else {
            act();
        }
        QTRY_COMPARE_WITH_TIMEOUT(m_desktop.activeWindow(), usuarios, 10000);
        QTRY_COMPARE_WITH_TIMEOUT(m_desktop.windowName(usuarios), navegando, 10000);
    }
    closeUsersAndLeave(program, fault);
    m_server.reset(); // a server holds its files for itself

    const QString readFrom = fault == "full" ? folder + "/DEPOIS.FDB" : database;
    const QByteArray photoNow =
        readBack(readFrom, "SELECT B_FOTO FROM USUARIOS_ESTOC WHERE IDUSUARIO = :C", "0001").toByteArray();
    const int admins =
        readBack(readFrom, "SELECT COUNT(*) FROM USUARIOS_ESTOC WHERE IDUSUARIO = :C", "0001").toInt();
    if (action == "save" && fault == "control character")
        QCOMPARE(
            readBack(readFrom, "SELECT COUNT(*) FROM USUARIOS_ESTOC WHERE USUARIO STARTING WITH :C", "MARIA")
                .toInt(),
            0);
    else if (action == "save")
        QCOMPARE(usersNamed(folder, name), 1);
    else if (action == "delete")
        QCOMPARE(admins, 0);
    if (action != "delete") {
        QCOMPARE(admins, 1);
        QCOMPARE(photoNow, action == "photo" && fault != "full" ? newPhoto : m_oldPhoto);
    }
}

void TestFaultMatrix::firstAccessCell(const QString &folder, const QString &fault, const QString &message)
{
    const QString replacement = folder + "/COPIA.FDB";
    if (fault == "replaced")
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
    if (fault == "replaced") {
        QVERIFY(::rename(QFile::encodeName(replacement), QFile::encodeName(folder + "/LICITACAO.FDB")) == 0);
        m_desktop.type(QStringLiteral("nova"));
    } else {
        // A password copied with the tab that followed it in a spreadsheet.
        copyToClipboard("nova\tsenha");
        m_desktop.key({"ctrl+v"});
    }
    m_desktop.key({"Return"});
    const QString wrong = boxFault(
        novaSenha, message, QStringLiteral("primeiro-acesso-%1.png").arg(QString(fault).replace(u' ', u'-')));
    QVERIFY2(wrong.isEmpty(), qPrintable(wrong));
    if (fault == "control character") {
        // Asked again; Escape keeps the first-access password, and the person is signed in.
        // Escape is pressed again while the question is there: a key that comes before the new
        // box has the keyboard is lost.
        m_desktop.key({"Return"});
        QTRY_VERIFY_WITH_TIMEOUT(!m_desktop.window(kNovaSenha).isEmpty(), 10000);
        QElapsedTimer leaving;
        leaving.start();
        while (!(novaSenha = m_desktop.window(kNovaSenha)).isEmpty() && leaving.elapsed() < 20000) {
            if (m_desktop.activeWindow() == novaSenha)
                m_desktop.key({"Escape"});
            QTest::qWait(500);
        }
        // The main window comes; the window manager does not always give it the keyboard
        // when the login dialog goes this way, so it is activated as a click would.
        QString main;
        const bool signedIn =
            QTest::qWaitFor([&] { return !(main = m_desktop.window(kPrincipal)).isEmpty(); }, 20000);
        if (!signedIn)
            m_desktop.screenshot("primeiro-acesso-sem-entrada.png");
        QVERIFY2(signedIn, "no main window after the new password was left");
        m_desktop.x("xdotool", {"windowactivate", "--sync", main});
        QVERIFY(leaveBySair(program, main));
    } else {
        // Back in the login dialog, which Escape leaves.
        QVERIFY2(leaveByNormalWays(program, 20000), "the login dialog could not be left after the refusal");
        QCOMPARE(program->exitStatus(), QProcess::NormalExit);
    }
    // Nothing half-written: the file at the path still holds the first-access password.
    const QString password =
        readBack(folder + "/LICITACAO.FDB", "SELECT SENHA FROM USUARIOS_ESTOC WHERE IDUSUARIO = :C", "0002")
            .toString();
    QCOMPARE(Decodificar(encodedFromColumn(password), Chave), QStringLiteral("1"));
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
    // The file's own failure is told wholly in Portuguese, the detail line too.
    const QString wrong =
        boxFault(dialog, message, QStringLiteral("%1-relatorio.png").arg(fault), BoxCheck::WholeText);
    QVERIFY2(wrong.isEmpty(), qPrintable(wrong));
    m_desktop.key({"Return"});
    QTRY_COMPARE_WITH_TIMEOUT(m_desktop.activeWindow(), preview, 10000);
    m_desktop.key({"Escape"});
    QTRY_COMPARE_WITH_TIMEOUT(m_desktop.activeWindow(), main, 10000);
    QVERIFY(leaveBySair(program, main));
    if (m_cups)
        QCOMPARE(m_cups->jobCount(), jobsBefore);
}

void TestFaultMatrix::engineCell(const QString &folder, const QString &fault, const QString &message)
{
    // The runtime folder is the user's own, as the session manager makes it.
    const QString runtime = folder + "/runtime";
    QVERIFY(QDir().mkpath(runtime));
    QVERIFY(QFile::setPermissions(runtime, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
    const bool nowhere = fault == "nowhere to write";
    // No configuration handed down from this test: the programs find their own.
    m_environment.emplaceBack("FIREBIRD", std::nullopt);
    if (fault == "cache unusable") {
        m_environment.emplaceBack("XDG_CACHE_HOME", "/dev/null/cache");
    } else {
        // A file where the home folder should be: nothing can be made below it.
        m_environment.emplaceBack("HOME", "/dev/null");
        m_environment.emplaceBack("XDG_CACHE_HOME", std::nullopt);
    }
    m_environment.emplaceBack("XDG_RUNTIME_DIR", nowhere ? "/dev/null" : runtime);
    if (nowhere)
        m_environment.emplaceBack("TMPDIR", "/dev/null"); // where Qt makes a runtime folder of its own

    QProcess *first = launch(folder);
    if (nowhere) {
        // Told before the login what it means for a second program.
        const QString wrong = boxFault(QString(), message, "motor-exclusivo.png");
        QVERIFY2(wrong.isEmpty(), qPrintable(wrong));
        m_desktop.key({"Return"});
    }
    const QString main = signIn(first);
    QVERIFY2(!main.isEmpty(), "could not sign in");

    // The tool, while the program holds the file.
    const QString out = folder + "/usuarios.csv";
    int status = 0;
    const QString output =
        tool({"report", "usuarios", folder, "--format", "csv", "--out", out}, {}, {}, &status);
    if (nowhere) {
        QVERIFY2(output.contains(message) && output.contains(kEmUso), qPrintable(output));
        QVERIFY2(status != 0, qPrintable(output));
        QVERIFY(!QFile::exists(out));
    } else {
        QVERIFY2(status == 0, qPrintable(output));
        QVERIFY2(!output.contains(kMotorExclusivo) && !output.contains("incompatible"), qPrintable(output));
        QVERIFY(QFile::exists(runtime + "/estocarium/firebird/firebird.conf"));
        QFile report(out);
        QVERIFY(report.open(QIODevice::ReadOnly));
        QVERIFY(report.readAll().contains("ADMINISTRADOR"));

        // A second program signs in beside the first. The window manager may leave the activation
        // on the first program, where the person was just working; the person then clicks the new
        // main window, whose activation brings the login dialog.
        QProcess *second = launch(folder);
        if (waitForLogin(second, 10000).isEmpty()) {
            const QString secondMain = m_desktop.window(
                QStringLiteral("^Estocarium / Estocarium - 2017 \\| PREFEITURA MUNICIPAL DE SERRA DOURADA$"));
            QVERIFY2(!secondMain.isEmpty(), "the second program showed no main window");
            m_desktop.x("xdotool", {"windowactivate", secondMain});
        }
        QVERIFY2(!waitForLogin(second).isEmpty(), "the second program showed no login dialog");
        m_desktop.type(QStringLiteral("1"));
        m_desktop.key({"Return"});
        m_desktop.type(QStringLiteral("segredo"));
        m_desktop.key({"Return", "Return", "Return"});
        const bool signedIn = QTest::qWaitFor(
            [&] {
                return m_desktop.x("xdotool", {"search", "--onlyvisible", "--name", kPrincipal})
                           .split(u'\n', Qt::SkipEmptyParts)
                           .size() == 2;
            },
            30000);
        QVERIFY(m_desktop.screenshot(
            QStringLiteral("dois-programas-%1.png").arg(QString(fault).replace(u' ', u'-'))));
        QVERIFY2(signedIn, "the second program did not sign in");
        second->terminate();
        QVERIFY2(second->waitForFinished(10000), "SIGTERM did not end the second program");
        QCOMPARE(second->exitStatus(), QProcess::NormalExit);
        m_desktop.x("xdotool", {"windowactivate", "--sync", main});
    }
    QVERIFY(leaveBySair(first, main));
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

QTEST_GUILESS_MAIN(TestFaultMatrix)
#include "tst_faultmatrix.moc"
