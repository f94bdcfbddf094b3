// Speed of the user list of the user maintenance window with 9,999 users: loading the list,
// re-ordering it by a title click, and one step of the typed search.
//
//   bench_users prepare <database>   creates the database file with 9,999 users
//   bench_users measure <database>   prints the figures on stderr, one a line
//   bench_users first <database>     the list's first query and fetch in this process, nothing else
//
// scripts/bench-users.sh runs them, with isql-fb fetching the same SELECT as the reference. For it,
// measure also prints on stdout the medians that have a reference, "refresh" and "fetch", and the
// process's peak memory, "peak", each as a name, a tab and the value (milliseconds, KiB); first
// prints "first" and "peak" likewise.
#include "common/PasswordEncoding.h"
#include "db/Attachment.h"
#include "db/SqlQuery.h"
#include "db/Transaction.h"
#include "dbmaint/SchemaStatements.h"
#include "dbmaint/SchemaTables.h"
#include "records/ui/LinkLabel.h"
#include "records/ui/RecordGrid.h"
#include "session/TdmPrincipal.h"
#include "session/uTotal.h"
#include "users/PreparaPesquisa.h"
#include "users/UsuariosFicticios.h"
#include "users/ui/TFrm_Usuarios_Estoc.h"
#include "users/ui/TabPage.h"
#include "users/ui/TdmUsuarios_Estoc.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QRandomGenerator>
#include <QTabWidget>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <malloc.h>
#include <numeric>
#include <sys/resource.h>
#include <unistd.h>

namespace
{

constexpr int kUsuarios = 9999;

int prepare(const QString &database)
{
    {
        fb::Attachment creator;
        fb::CreateOptions options;
        options.forcedWrites = false;
        creator.create(database, fb::AttachOptions{}, options);
        const TableDefinition &tabela = schemaTable(QStringLiteral("USUARIOS_ESTOC"));
        fb::executeImmediate(creator, createTableText(tabela));
        fb::executeImmediate(creator, addPrimaryKeyText(tabela));
        creator.detach();
    }
    const QStringList nomes = {"JOSÉ",   "MARIA",    "JOÃO",  "ANA",      "ANTÔNIO", "FRANCISCA",
                               "CARLOS", "ÂNGELA",   "PAULO", "ADRIANA",  "LUÍS",    "JULIANA",
                               "MÁRCIO", "PATRÍCIA", "ÉRICO", "CONCEIÇÃO"};
    const QStringList sobrenomes = {"SILVA",      "SANTOS",   "OLIVEIRA",  "SOUZA",     "LIMA",
                                    "PEREIRA",    "FERREIRA", "COSTA",     "RODRIGUES", "ALMEIDA",
                                    "NASCIMENTO", "ARAÚJO",   "GONÇALVES", "BRANDÃO",   "ÁVILA"};
    QRandomGenerator random(2017);
    // CPFs in an order unrelated to the codes, so that ordering by CPF has real work to do.
    QList<int> origemCpf(kUsuarios);
    std::iota(origemCpf.begin(), origemCpf.end(), 1);
    std::shuffle(origemCpf.begin(), origemCpf.end(), random);
    SqlConnection *conexao = dmPrincipal->NimboConnection;
    conexao->startTransaction();
    SqlQuery insert(conexao);
    insert.setSql(
        QStringLiteral("INSERT INTO USUARIOS_ESTOC (IDUSUARIO, USUARIO, CPF, SENHA, CONFIRMA, NIVEL, "
                       "PRIMEIRO_ACESSO, DIGITADO) VALUES (:ID, :NOME, :CPF, :SENHA, :SENHA, :NIVEL, 'S', "
                       "'BENCHMARK')"));
    insert.setParam(QStringLiteral("SENHA"), encodedToColumn(Codificar(QStringLiteral("1"), Chave)));
    insert.setParam(QStringLiteral("NIVEL"), encodedToColumn(Codificar(QStringLiteral("INICIANTE"), Chave)));
    for (int codigo = 1; codigo <= kUsuarios; ++codigo) {
        insert.setParam(QStringLiteral("ID"), QStringLiteral("%1").arg(codigo, 4, 10, QLatin1Char('0')));
        insert.setParam(QStringLiteral("NOME"), nomes.at(random.bounded(nomes.size())) + u' ' +
                                                    sobrenomes.at(random.bounded(sobrenomes.size())) + u' ' +
                                                    sobrenomes.at(random.bounded(sobrenomes.size())));
        insert.setParam(QStringLiteral("CPF"), cpfFicticio(origemCpf.at(codigo - 1)));
        insert.execSQL();
    }
    conexao->commit();
    conexao->close();
    std::fprintf(stderr, "prepared %d users in %s\n", kUsuarios, qPrintable(database));
    return 0;
}

struct Figures {
    std::vector<double> ms;

    void add(double value) { ms.push_back(value); }
    double at(double fraction)
    {
        std::sort(ms.begin(), ms.end());
        return ms.at(std::min(ms.size() - 1, size_t(fraction * double(ms.size()))));
    }
};

double timed(const std::function<void()> &work)
{
    QElapsedTimer clock;
    clock.start();
    work();
    return double(clock.nsecsElapsed()) / 1e6;
}

// Prints the figures on stderr; returns the median in milliseconds.
double report(const char *what, Figures figures, const char *unit = "ms")
{
    const double scale = std::string(unit) == "us" ? 1000.0 : 1.0;
    std::fprintf(stderr, "%-58s median %9.3f %s   min %9.3f %s   p99 %9.3f %s   max %9.3f %s   (%zu runs)\n",
                 what, figures.at(0.5) * scale, unit, figures.at(0.0) * scale, unit, figures.at(0.99) * scale,
                 unit, figures.at(1.0) * scale, unit, figures.ms.size());
    return figures.at(0.5);
}

int measure(const QString &database)
{
    SqlConnection *conexao = dmPrincipal->NimboConnection;
    Figures attach;
    attach.add(timed([&] { conexao->open(); }));
    report("attach to the database (once)", attach);

    TFrm_Usuarios_Estoc janela(nullptr);
    janela.show();
    RecordSet *lista = janela.dmUsuarios_Estoc->cdsPesquisa;

    Figures primeira;
    primeira.add(timed([&] { janela.PageControl1->setCurrentWidget(janela.TabPesquisaS); }));
    std::fprintf(stderr, "users in the list: %d (%s)\n", lista->recordCount(), qPrintable(database));
    report("load list: first show of the page", primeira);

    Figures recarga;
    for (int i = 0; i < 20; ++i)
        recarga.add(timed([&] { emit janela.Clique2->clicked(); }));
    std::printf("refresh\t%.3f\n", report("load list: refresh link (query, fetch, grid)", recarga));

    Figures soDados;
    for (int i = 0; i < 20; ++i) {
        lista->close();
        soDados.add(timed([&] { lista->open(); }));
    }
    std::printf("fetch\t%.3f\n", report("load list: record set alone (query and fetch)", soDados));

    for (int coluna = 0; coluna < 3; ++coluna) {
        Figures ordem;
        for (int i = 0; i < 10; ++i) {
            ordem.add(timed([&] { emit janela.DBGrid1->titleClicked(coluna); }));
            emit janela.DBGrid1->titleClicked((coluna + 1) % 3);
        }
        const QByteArray rotulo =
            "title click " + janela.DBGrid1->column(coluna).title.toUtf8() + " (re-order, grid)";
        report(rotulo.constData(), ordem);
    }

    // Typed search steps: every prefix of names, codes and CPFs taken from the list itself.
    QRandomGenerator random(7);
    for (int coluna = 0; coluna < 3; ++coluna) {
        emit janela.DBGrid1->titleClicked(coluna);
        const int campo = lista->fieldIndex(janela.DBGrid1->column(coluna).field);
        Figures janelaPasso;
        Figures soBusca;
        for (int i = 0; i < 300; ++i) {
            const QString valor = lista->valueAt(random.bounded(lista->recordCount()), campo).toString();
            for (int n = 1; n <= std::min<qsizetype>(valor.size(), 8); ++n) {
                const QString digitado = valor.left(n);
                janelaPasso.add(timed([&] { janela.Procura->setText(digitado); }));
                const QString preparado =
                    preparaTextoPesquisa(janela.DBGrid1->column(coluna).field, digitado);
                soBusca.add(timed([&] { lista->findNearest(preparado); }));
            }
        }
        const QByteArray titulo = janela.DBGrid1->column(coluna).title.toUtf8();
        report(("typed search step " + titulo + " (window: prepare, find, grid)").constData(), janelaPasso,
               "us");
        report(("typed search step " + titulo + " (record set: find only)").constData(), soBusca, "us");
    }
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    std::printf("peak\t%ld\n", usage.ru_maxrss);
    return 0;
}

// Resident memory of this process now, from /proc/self/statm.
long residentKib()
{
    long pages = 0, resident = 0;
    if (FILE *statm = std::fopen("/proc/self/statm", "r")) {
        if (std::fscanf(statm, "%ld %ld", &pages, &resident) != 2)
            resident = 0;
        std::fclose(statm);
    }
    return resident * (sysconf(_SC_PAGESIZE) / 1024);
}

// The list's record set opened once in a fresh process, right after the attachment: the same
// work as isql-fb's first SELECT, with the engine's page cache as cold.
int first()
{
    dmPrincipal->NimboConnection->open();
    QWidget owner;
    TdmUsuarios_Estoc modulo(&owner);
    const long before = residentKib();
    const size_t inUseBefore = mallinfo2().uordblks;
    const double ms = timed([&] { modulo.cdsPesquisa->open(); });
    const int rows = modulo.cdsPesquisa->recordCount();
    const double heapPerRow = double(mallinfo2().uordblks - inUseBefore) / 1024 / rows;
    // What the records hold is the heap still in use; the resident growth adds what the fetch used
    // meanwhile and gave back to the heap, and the collation data the sort keys read.
    std::fprintf(stderr,
                 "users in the list: %d, first query and fetch %.3f ms, %.3f KiB per row held, "
                 "%.3f KiB per row of resident growth\n",
                 rows, ms, heapPerRow, double(residentKib() - before) / rows);
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    std::printf("first\t%.3f\npeak\t%ld\nkib_per_row\t%.3f\n", ms, usage.ru_maxrss, heapPerRow);
    return 0;
}

} // namespace

int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    const QStringList modes = {"prepare", "measure", "first"};
    if (args.size() != 3 || !modes.contains(args.at(1))) {
        std::fprintf(stderr, "usage: bench_users prepare|measure|first <database>\n");
        return 2;
    }
    InicializaSessao();
    TdmPrincipal module;
    dmPrincipal = &module;
    module.NimboConnection->setParam(QStringLiteral("Database"), args.at(2));
    module.NimboConnection->setParam(QStringLiteral("ServerCharSet"), QStringLiteral("WIN1252"));
    if (args.at(1) == "first")
        return first();
    return args.at(1) == "prepare" ? prepare(args.at(2)) : measure(args.at(2));
}
