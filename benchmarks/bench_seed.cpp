// Seeding USUARIOS_ESTOC as `estocarium-db create --users N` does it (one prepared insert executed N
// times in one transaction) against isql-fb running the same inserts as a script, on the same embedded
// engine, each on a database of its own. Forced writes are off on both so that the disk's flushes, which
// other work on the machine makes erratic, do not drown the difference; each side runs several times and
// the medians are compared. Usage: bench_seed [N] [RUNS]   (defaults 9998 and 5)
// isql-fb cannot bind values to one prepared statement: each INSERT text is prepared anew. An EXECUTE
// BLOCK would prepare its INSERT once, but would have to make the names, CPFs and encoded passwords in
// PSQL, which is other work; so the reference stays the script of INSERT texts.
// Prints the figures on stderr and, on stdout, one line per run for scripts/bench-seed.sh: our inserts,
// isql-fb's without its start-up and attach (its run with an empty script taken off), 0 where the
// script puts the peak of `estocarium-db create` itself, and the peak of that isql-fb run.

#include "codec/Win1252.h"
#include "common/PasswordEncoding.h"
#include "db/Attachment.h"
#include "db/Statement.h"
#include "db/Transaction.h"
#include "dbmaint/SchemaStatements.h"
#include "dbmaint/SchemaTables.h"
#include "users/InsereUsuarios.h"
#include "users/UsuariosFicticios.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <sys/resource.h>

namespace
{

constexpr int Key = 10;

QString newUserTable(const QString &path)
{
    {
        fb::Attachment attachment;
        fb::CreateOptions options;
        options.forcedWrites = false; // flushes would measure the disk, not the inserts
        attachment.create(path, fb::AttachOptions{}, options);
        const TableDefinition &users = schemaTable(QStringLiteral("USUARIOS_ESTOC"));
        fb::executeImmediate(attachment, createTableText(users));
        fb::executeImmediate(attachment, addPrimaryKeyText(users));
    }
    return path;
}

// Peak memory of this process, the side measured here.
long ownPeakKib()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss; // kibibytes on Linux
}

double median(QList<double> values)
{
    std::sort(values.begin(), values.end());
    return values.at(values.size() / 2);
}

QString literal(const QString &text)
{
    return QLatin1Char('\'') + QString(text).replace(QLatin1Char('\''), QStringLiteral("''")) +
           QLatin1Char('\'');
}

QByteArray isqlScript(const QList<UsuarioNovo> &users)
{
    QString script;
    for (const UsuarioNovo &u : users) {
        const QString password = literal(encodedToColumn(Codificar(u.senha, Key)));
        script +=
            QStringLiteral("INSERT INTO USUARIOS_ESTOC (IDUSUARIO, USUARIO, CPF, SENHA, CONFIRMA, NIVEL, "
                           "PRIMEIRO_ACESSO, DIGITADO) VALUES (%1, %2, %3, %4, %4, %5, %6, %7);\n")
                .arg(literal(u.codigo), literal(u.nome), literal(u.cpf), password,
                     literal(encodedToColumn(Codificar(u.nivel, Key))), literal(u.primeiroAcesso),
                     literal(u.digitado));
    }
    script += QStringLiteral("COMMIT;\n");
    return fb::Win1252::fromUnicode(script);
}

struct IsqlRun {
    double ms;
    long peakKib;
};

// isql-fb runs under GNU time for its peak: a child's own accounting would count the pages it
// shared with this process before it started isql-fb.
IsqlRun runIsql(const QString &database, const QString &scriptPath)
{
    const QString peakFile = scriptPath + QStringLiteral(".peak");
    QProcess isql;
    QElapsedTimer timer;
    timer.start();
    isql.start(QStringLiteral("/usr/bin/time"), {"-f", "%M", "-o", peakFile, "isql-fb", "-q", "-bail", "-ch",
                                                 "WIN1252", "-i", scriptPath, database});
    if (!isql.waitForFinished(-1) || isql.exitCode() != 0)
        qFatal("isql-fb failed: %s", isql.readAllStandardError().constData());
    const double ms = double(timer.nsecsElapsed()) / 1e6;
    QFile peak(peakFile);
    if (!peak.open(QIODevice::ReadOnly))
        qFatal("GNU time wrote no peak for isql-fb");
    return {ms, peak.readAll().trimmed().toLong()};
}

QByteArray contents(const QString &database)
{
    fb::Attachment attachment;
    attachment.attach(database, fb::AttachOptions{});
    fb::Transaction transaction(attachment);
    fb::Statement select(transaction,
                         QStringLiteral("SELECT IDUSUARIO, USUARIO, CPF, SENHA, CONFIRMA, NIVEL, "
                                        "PRIMEIRO_ACESSO, DIGITADO FROM USUARIOS_ESTOC ORDER BY 1"));
    auto cursor = select.openCursor();
    QByteArray all;
    while (cursor->next()) {
        for (int c = 0; c < cursor->columnCount(); ++c)
            all += cursor->value(c).toString().toUtf8() + '\t';
        all += '\n';
    }
    return all;
}

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        qFatal("cannot write %s", qPrintable(path));
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const int count = argc > 1 ? QString::fromLocal8Bit(argv[1]).toInt() : 9998;
    const int runs = argc > 2 ? QString::fromLocal8Bit(argv[2]).toInt() : 5;
    QTemporaryDir dir;
    const QString stamp = cpfFicticio(1) + QStringLiteral(" - ADMINISTRADOR");
    const QList<UsuarioNovo> users = usuariosFicticios(2, count, stamp);
    const QString script = dir.filePath(QStringLiteral("inserts.sql"));
    const QString empty = dir.filePath(QStringLiteral("empty.sql"));
    writeFile(script, isqlScript(users));
    writeFile(empty, "COMMIT;\n");

    QList<double> ours, theirs, startUp;
    long isqlPeakKib = 0;
    for (int run = 0; run < runs; ++run) {
        const QString mine = newUserTable(dir.filePath(QStringLiteral("OURS%1.FDB").arg(run)));
        {
            fb::Attachment attachment;
            attachment.attach(mine, fb::AttachOptions{});
            QElapsedTimer timer;
            timer.start();
            insereUsuarios(attachment, users, Key);
            ours << double(timer.nsecsElapsed()) / 1e6;
        }
        const QString isqlDatabase = newUserTable(dir.filePath(QStringLiteral("ISQL%1.FDB").arg(run)));
        const IsqlRun isql = runIsql(isqlDatabase, script);
        theirs << isql.ms;
        isqlPeakKib = std::max(isqlPeakKib, isql.peakKib);
        startUp << runIsql(newUserTable(dir.filePath(QStringLiteral("EMPTY%1.FDB").arg(run))), empty).ms;
        std::printf("%.2f %.2f 0 %ld\n", ours.last(), theirs.last() - startUp.last(), isql.peakKib);
        if (contents(mine) != contents(isqlDatabase))
            qFatal("the two databases differ: the benchmark did not compare the same inserts");
    }

    const double oursMs = median(ours), isqlMs = median(theirs), startMs = median(startUp);
    std::fprintf(stderr, "users inserted:               %d (median of %d runs)\n", count, runs);
    std::fprintf(stderr, "prepared insert, one commit:  %.1f ms\n", oursMs);
    std::fprintf(stderr, "isql-fb script:               %.1f ms (of which %.1f ms start-up and attach)\n",
                 isqlMs, startMs);
    std::fprintf(stderr, "peaks: this process %ld KiB, isql-fb %ld KiB\n", ownPeakKib(), isqlPeakKib);
    return 0;
}
