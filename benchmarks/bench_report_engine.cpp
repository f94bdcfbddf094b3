// The report engine alone: a three-column list like the users report (page header with logo and
// page number, grey column headings, alternating row colours, a total) on RECORDS in-memory
// records, written to PDF and to CSV while it is laid out. Prints the time of each output, its
// pages and size, and the resident memory after the first tenth of the pages and at the end:
// pages are handed to the writer one at a time, so the second figure stays at the first.
// Usage: bench_report_engine [RECORDS] [OUTDIR]   (defaults 100000 and a temporary folder)

#include "reportengine/Report.h"
#include "reportengine/ReportCsvFilter.h"
#include "reportengine/ReportCsvWriter.h"
#include "reportengine/ReportDataText.h"
#include "reportengine/ReportImageConversion.h"
#include "reportengine/ReportLabel.h"
#include "reportengine/ReportMemoryDataSource.h"
#include "reportengine/ReportPdfWriter.h"
#include "reportengine/ReportPicture.h"
#include "reportengine/ReportShape.h"
#include "reportengine/ReportSystemData.h"
#include "reportengine/ReportUnits.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QPainter>
#include <QTemporaryDir>
#include <cstdio>

namespace
{

using ReportUnits::fromMm;

long residentKb()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').first().toLong();
    }
    return -1;
}

// Passes everything on and notes the resident memory as pages go by.
class MeasuringSink : public ReportSink
{
public:
    MeasuringSink(ReportSink &target, int expectedPages)
        : m_target(target), m_tenth(std::max(1, expectedPages / 10))
    {
    }

    void begin(const QSize &pageSize) override { m_target.begin(pageSize); }
    void band(const ReportBandInstance &band) override { m_target.band(band); }
    void page(const ReportPage &page) override
    {
        m_target.page(page);
        if (++pages == m_tenth)
            residentAtTenth = residentKb();
    }
    void finish() override
    {
        m_target.finish();
        residentAtEnd = residentKb();
    }

    int pages = 0;
    long residentAtTenth = 0;
    long residentAtEnd = 0;

private:
    ReportSink &m_target;
    int m_tenth;
};

QImage logo()
{
    QImage picture(300, 300, QImage::Format_RGB32);
    picture.fill(QColor(20, 60, 160));
    QPainter painter(&picture);
    painter.setBrush(QColor(230, 180, 20));
    painter.drawEllipse(40, 40, 220, 220);
    return picture;
}

struct UsersList {
    ReportMemoryDataSource data{
        {QStringLiteral("IDUSUARIO"), QStringLiteral("USUARIO"), QStringLiteral("CPF")}};
    Report report;
    bool firstColour = true;
    int count = 0;

    explicit UsersList(int records)
    {
        const QStringList names = {QStringLiteral("ANA"),    QStringLiteral("BRUNO"),
                                   QStringLiteral("CARLA"),  QStringLiteral("JOÃO"),
                                   QStringLiteral("MÁRCIA"), QStringLiteral("OTÁVIO")};
        const QStringList surnames = {QStringLiteral("ALVES"), QStringLiteral("BARBOSA"),
                                      QStringLiteral("CONCEIÇÃO"), QStringLiteral("FERREIRA"),
                                      QStringLiteral("GONÇALVES")};
        for (int i = 1; i <= records; ++i) {
            const QString digits = QString::number(100000000000LL + qint64(i) * 7919).right(11);
            data.append({QString::number(i).rightJustified(5, u'0'),
                         names[i % names.size()] + u' ' + surnames[(i / 7) % surnames.size()] + u' ' +
                             surnames[(i / 3) % surnames.size()],
                         digits.left(3) + u'.' + digits.mid(3, 3) + u'.' + digits.mid(6, 3) + u'-' +
                             digits.right(2)});
        }
        report.setDataSource(&data);
        report.pageSetup().orientation = ReportPageSetup::Orientation::Landscape;

        ReportBand *header = report.addBand(ReportBandKind::PageHeader, fromMm(28.3));
        header
            ->add<ReportPicture>(QStringLiteral("Imagem"),
                                 QRect(fromMm(2.6), fromMm(2.4), fromMm(25.1), fromMm(25.4)))
            ->setPicture(toReportImage(logo()));
        const QStringList headings = {
            QStringLiteral("ESTADO DE MINAS GERAIS"), QStringLiteral("PREFEITURA MUNICIPAL DE SERRA DOURADA"),
            QStringLiteral("Relatório dos Usuários"), QStringLiteral("Exercício : 2018")};
        const double tops[] = {10.1, 14.8, 19.6, 23.8};
        for (int i = 0; i < 4; ++i) {
            auto *label =
                header->add<ReportLabel>(QStringLiteral("Cabecalho%1").arg(i), fromMm(28.3), fromMm(tops[i]),
                                         fromMm(194.2), ReportFont{i < 2 ? 10.0 : 8.0, i < 2});
            label->setText(headings[i]);
            label->setBackground(ReportColour::white());
        }
        auto *page =
            header->add<ReportSystemData>(QStringLiteral("Pagina"), fromMm(236.3), fromMm(2.1), fromMm(39.7),
                                          ReportFont{8, false}, QStringLiteral("Pág.  "));
        page->setAlignment(ReportAlignment::Right);

        ReportBand *columns = report.addBand(ReportBandKind::ColumnHeader, fromMm(10.6));
        columns->setColour(ReportColour{192, 192, 192});
        columns->add<ReportShape>(QStringLiteral("Linha1"), QRect(0, 0, fromMm(277), fromMm(0.8)));
        columns->add<ReportShape>(QStringLiteral("Linha2"), QRect(0, fromMm(10.1), fromMm(277), fromMm(0.8)));
        ReportBand *detail = report.addBand(ReportBandKind::Detail, fromMm(4.0));
        const struct {
            QString field, title;
            double left, width;
            ReportAlignment alignment;
        } layout[] = {
            {QStringLiteral("IDUSUARIO"), QStringLiteral("Código"), 0, 15.9, ReportAlignment::Centre},
            {QStringLiteral("USUARIO"), QStringLiteral("Usuário"), 16.9, 207.7, ReportAlignment::Left},
            {QStringLiteral("CPF"), QStringLiteral("C P F"), 226.5, 26.5, ReportAlignment::Centre}};
        for (const auto &column : layout) {
            auto *title = columns->add<ReportLabel>(column.title, fromMm(column.left), fromMm(5.0),
                                                    fromMm(column.width), ReportFont{7, true});
            title->setText(column.title);
            title->setAlignment(column.alignment);
            detail
                ->add<ReportDataText>(column.field, fromMm(column.left), 0, fromMm(column.width),
                                      ReportFont{7, false}, column.field)
                ->setAlignment(column.alignment);
        }
        ReportBand *summary = report.addBand(ReportBandKind::Summary, fromMm(19.8));
        auto *total =
            summary->add<ReportLabel>(QStringLiteral("Registros"), 0, fromMm(0.8), 0, ReportFont{7, true});
        total->setAutoWidth(true);

        report.setBeforeGenerate([this, total](Report &) {
            firstColour = true;
            count = 0;
            total->setText(QStringLiteral("T O T A L"));
        });
        detail->setBeforePrint([this, total](ReportBand &band) {
            band.setColour(firstColour ? ReportColour{192, 220, 192} : ReportColour::white());
            firstColour = !firstColour;
            total->setText(QStringLiteral("Total de Registros : %1").arg(++count));
        });
    }
};

template<class Writer, class... Args>
void measure(const char *format, UsersList &list, const QString &path, Args &&...args)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
        std::exit(1);
    }
    Writer writer(file, std::forward<Args>(args)...);
    MeasuringSink sink(writer, (list.data.rowCount() + 36) / 37);
    QElapsedTimer timer;
    timer.start();
    list.report.generate(sink);
    file.close();
    std::printf(
        "%-4s %8.3f s  %6d pages  %9.1f MB  resident after 1/10 of the pages %6ld kB, at the end %6ld kB\n",
        format, double(timer.elapsed()) / 1000.0, sink.pages, double(QFileInfo(path).size()) / 1e6,
        sink.residentAtTenth, sink.residentAtEnd);
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const int records = argc > 1 ? std::atoi(argv[1]) : 100000;
    QTemporaryDir temporary;
    const QString dir = argc > 2 ? QString::fromLocal8Bit(argv[2]) : temporary.path();

    QElapsedTimer timer;
    timer.start();
    UsersList list(records);
    std::printf("%d in-memory records built in %.3f s; resident %ld kB\n", records,
                double(timer.elapsed()) / 1000.0, residentKb());
    measure<ReportPdfWriter>("PDF", list, dir + QStringLiteral("/lista.pdf"));
    measure<ReportCsvWriter>("CSV", list, dir + QStringLiteral("/lista.csv"), QChar(u';'));
    return 0;
}
