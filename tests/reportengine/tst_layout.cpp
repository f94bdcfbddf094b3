#include "SampleReport.h"

#include "reportengine/ReportDocument.h"
#include "reportengine/ReportFontMetrics.h"

#include <QTest>

namespace
{

using ReportUnits::fromMm;

std::vector<const ReportBandInstance *> bandsOf(const ReportDocument &document, ReportBandKind kind)
{
    std::vector<const ReportBandInstance *> found;
    for (const ReportBandInstance &band : document.bands()) {
        if (band.kind == kind)
            found.push_back(&band);
    }
    return found;
}

const ReportElementInstance *element(const ReportBandInstance &band, const QString &name)
{
    for (const ReportElementInstance &element : band.elements) {
        if (element.name == name)
            return &element;
    }
    return nullptr;
}

const ReportPageText *pageText(const ReportPage &page, const QString &text)
{
    for (const ReportPageItem &item : page.items) {
        if (const auto *found = std::get_if<ReportPageText>(&item); found && found->text == text)
            return found;
    }
    return nullptr;
}

} // namespace

class TestReportLayout : public QObject
{
    Q_OBJECT

private slots:
    void pagesFollowTheRecords_data();
    void pagesFollowTheRecords();
    void everyPageStartsWithItsHeadings();
    void beforePrintRunsOncePerPrintedBand();
    void instancesKeepWhatTheirNotificationSet();
    void rowsStayOnTheMillimetreGridOverThousandsOfRows();
    void textsArePlacedWithHelveticaWidths_data();
    void textsArePlacedWithHelveticaWidths();
    void longTextBreaksAtBlanks();
    void dataTextsAndPageNumbersResolvePerBand();
    void disabledPictureDoesNotPrint();
    void headingsAreNeverLeftAloneWhenABandCannotFit();
    void errorOfANotificationLeavesGenerate();
};

// 37 rows fill a page below the headings (151.1 mm); the summary (19.8 mm) fits after 32.
void TestReportLayout::pagesFollowTheRecords_data()
{
    QTest::addColumn<int>("rows");
    QTest::addColumn<int>("pages");
    QTest::addColumn<int>("rowsOnLastPage");

    QTest::newRow("no records") << 0 << 1 << 0;
    QTest::newRow("one record") << 1 << 1 << 1;
    QTest::newRow("summary just fits") << 32 << 1 << 32;
    QTest::newRow("summary moves to a page of its own") << 33 << 2 << 0;
    QTest::newRow("page full of rows") << 37 << 2 << 0;
    QTest::newRow("one row over a page") << 38 << 2 << 1;
    QTest::newRow("list of 9999") << 9999 << 271 << 9;
}

void TestReportLayout::pagesFollowTheRecords()
{
    QFETCH(int, rows);
    QFETCH(int, pages);
    QFETCH(int, rowsOnLastPage);

    SampleReport sample(rows);
    const auto document = sample.report.generate();

    QCOMPARE(int(document->pages().size()), pages);
    const auto details = bandsOf(*document, ReportBandKind::Detail);
    QCOMPARE(int(details.size()), rows);
    for (int row = 0; row < rows; ++row)
        QCOMPARE(details[std::size_t(row)]->record, row);
    QCOMPARE(
        int(std::count_if(details.begin(), details.end(), [&](auto *band) { return band->page == pages; })),
        rowsOnLastPage);
    const auto summaries = bandsOf(*document, ReportBandKind::Summary);
    QCOMPARE(int(summaries.size()), 1);
    QCOMPARE(summaries.front()->page, pages);
    QVERIFY(summaries.front()->area.bottom() < fromMm(200));
    QCOMPARE(&document->bands().back(), summaries.front());
}

void TestReportLayout::everyPageStartsWithItsHeadings()
{
    SampleReport sample(100);
    const auto document = sample.report.generate();
    QCOMPARE(document->pages().size(), std::size_t(3));

    int page = 0;
    const auto &bands = document->bands();
    for (std::size_t i = 0; i < bands.size(); ++i) {
        if (bands[i].page == page)
            continue;
        page = bands[i].page;
        QCOMPARE(bands[i].kind, ReportBandKind::PageHeader);
        QCOMPARE(bands[i].area.top(), fromMm(10));
        QCOMPARE(bands[i + 1].kind, ReportBandKind::ColumnHeader);
        QCOMPARE(bands[i + 1].area.top(), fromMm(10 + 28.3));
        QCOMPARE(bands[i + 2].kind, ReportBandKind::Detail);
        QVERIFY2(pageText(document->pages()[std::size_t(page - 1)], QStringLiteral("Pág.  %1").arg(page)),
                 qPrintable(QStringLiteral("page number on page %1").arg(page)));
    }
    QCOMPARE(page, 3);
}

void TestReportLayout::beforePrintRunsOncePerPrintedBand()
{
    SampleReport sample(80);
    std::map<ReportBandKind, int> notified;
    for (ReportBand *band : {sample.pageHeader, sample.columnHeader, sample.summary})
        band->setBeforePrint([&](ReportBand &b) { ++notified[b.kind()]; });
    int detailCalls = 0;
    sample.detail->setBeforePrint([&](ReportBand &) { ++detailCalls; });

    for (int run = 1; run <= 2; ++run) {
        notified.clear();
        detailCalls = 0;
        const auto document = sample.report.generate();
        QCOMPARE(sample.generations, run);
        QCOMPARE(detailCalls, 80);
        for (const ReportBandKind kind :
             {ReportBandKind::PageHeader, ReportBandKind::ColumnHeader, ReportBandKind::Summary})
            QCOMPARE(notified[kind], int(bandsOf(*document, kind).size()));
        QCOMPARE(notified[ReportBandKind::PageHeader], int(document->pages().size()));
    }
}

void TestReportLayout::instancesKeepWhatTheirNotificationSet()
{
    SampleReport sample(40);
    const auto document = sample.report.generate();
    const auto details = bandsOf(*document, ReportBandKind::Detail);

    // The alternation runs on over the page break after row 37.
    for (std::size_t row = 0; row < details.size(); ++row)
        QCOMPARE(details[row]->colour, row % 2 == 0 ? SampleReport::kGreen : SampleReport::kWhite);
    QCOMPARE(details[36]->page, 1);
    QCOMPARE(details[37]->page, 2);
    QCOMPARE(bandsOf(*document, ReportBandKind::ColumnHeader).front()->colour, SampleReport::kGrey);
    QCOMPARE(element(*bandsOf(*document, ReportBandKind::Summary).front(), QStringLiteral("Total"))->text,
             QStringLiteral("Total de Registros : 40"));

    // Changing the definition afterwards does not reach a generated document.
    sample.total->setText(QStringLiteral("outro"));
    sample.detail->setColour(ReportColour{255, 0, 0});
    QCOMPARE(element(*bandsOf(*document, ReportBandKind::Summary).front(), QStringLiteral("Total"))->text,
             QStringLiteral("Total de Registros : 40"));
    QCOMPARE(details[0]->colour, SampleReport::kGreen);
}

void TestReportLayout::rowsStayOnTheMillimetreGridOverThousandsOfRows()
{
    SampleReport sample(10000);
    const auto document = sample.report.generate();
    int previousPage = 0;
    int index = 0;
    for (const ReportBandInstance *band : bandsOf(*document, ReportBandKind::Detail)) {
        index = band->page == previousPage ? index + 1 : 0;
        previousPage = band->page;
        QCOMPARE(band->area.top(), fromMm(10 + 28.3 + 10.6) + index * fromMm(4.0));
    }
    const ReportPage &last = document->pages().back();
    const double baselineOffset = ReportFontMetrics::instance().ascent(ReportFont{7, false});
    const ReportPageText *lastCode = pageText(last, QStringLiteral("10000"));
    QVERIFY(lastCode);
    QCOMPARE(lastCode->baselineStart.y(),
             fromMm(10 + 28.3 + 10.6) + index * fromMm(4.0) + int(std::lround(baselineOffset)));
}

void TestReportLayout::textsArePlacedWithHelveticaWidths_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("expectedLeft");

    // Widths from the Helvetica AFM files: "Código" in Helvetica-Bold 7 pt is
    // 722+611+611+278+611+611 = 3444/1000 em; "Pág.  1" in Helvetica 8 pt 667+556+556+278+278+278+556.
    const int codigo = int(std::lround(3444 / 1000.0 * 7 * 2540 / 72));
    const int pagina = int(std::lround(3169 / 1000.0 * 8 * 2540 / 72));
    QTest::newRow("centred") << QStringLiteral("Código") << fromMm(10) + (fromMm(15.9) - codigo) / 2;
    QTest::newRow("left") << QStringLiteral("Usuário") << fromMm(10 + 16.9);
    QTest::newRow("right") << QStringLiteral("Pág.  1") << fromMm(10 + 236.3 + 39.7) - pagina;
}

void TestReportLayout::textsArePlacedWithHelveticaWidths()
{
    QFETCH(QString, text);
    QFETCH(int, expectedLeft);

    SampleReport sample(1);
    const auto document = sample.report.generate();
    const ReportPageText *placed = pageText(document->pages().front(), text);
    QVERIFY(placed);
    QVERIFY2(std::abs(placed->baselineStart.x() - expectedLeft) <= 1,
             qPrintable(QStringLiteral("%1 at %2, expected %3")
                            .arg(text)
                            .arg(placed->baselineStart.x())
                            .arg(expectedLeft)));
}

void TestReportLayout::longTextBreaksAtBlanks()
{
    SampleReport sample(0);
    sample.title->setWordWrap(true);
    const QString text =
        QStringLiteral("Relação dos usuários do módulo de estoque com os seus códigos, nomes e números de "
                       "CPF conforme o cadastro vigente no exercício corrente da administração municipal "
                       "por ordem de código e sem repetições");
    sample.title->setText(text);
    const auto document = sample.report.generate();
    const ReportElementInstance *title =
        element(*bandsOf(*document, ReportBandKind::PageHeader).front(), QStringLiteral("Titulo"));
    QVERIFY(title->lines.size() > 1);
    QStringList joined;
    for (const ReportTextLine &line : title->lines) {
        QVERIFY2(line.width <= fromMm(194.2), qPrintable(line.text));
        QVERIFY(!line.text.startsWith(u' ') && !line.text.endsWith(u' '));
        joined << line.text;
    }
    QCOMPARE(joined.join(u' '), text);
    const double lineHeight = ReportFontMetrics::instance().lineHeight(ReportFont{8, false});
    QCOMPARE(title->frame.height(), int(std::lround(lineHeight * double(title->lines.size()))));
}

void TestReportLayout::dataTextsAndPageNumbersResolvePerBand()
{
    SampleReport sample(3);
    sample.data.append({QStringLiteral("0004"), QVariant(), QStringLiteral("000.000.000-00")});
    const auto document = sample.report.generate();
    const auto details = bandsOf(*document, ReportBandKind::Detail);
    QCOMPARE(element(*details[1], QStringLiteral("CODIGO"))->text, QStringLiteral("0002"));
    QCOMPARE(element(*details[1], QStringLiteral("NOME"))->text, QStringLiteral("Usuário número 2"));
    QCOMPARE(element(*details[3], QStringLiteral("NOME"))->text, QString());
    QVERIFY(!pageText(document->pages().front(), QString()));
}

void TestReportLayout::disabledPictureDoesNotPrint()
{
    SampleReport sample(50);
    int header = 0;
    // Only the second page's header shows the logo.
    sample.pageHeader->setBeforePrint([&](ReportBand &) { sample.logo->setEnabled(++header == 2); });
    const auto document = sample.report.generate();
    QCOMPARE(document->pages().size(), std::size_t(2));
    std::vector<int> pictures;
    for (const ReportPage &page : document->pages()) {
        pictures.push_back(
            int(std::count_if(page.items.begin(), page.items.end(), [](const ReportPageItem &item) {
                return std::holds_alternative<ReportPagePicture>(item);
            })));
    }
    QCOMPARE(pictures, (std::vector<int>{0, 1}));
    const auto &second = document->pages()[1];
    for (const ReportPageItem &item : second.items) {
        if (const auto *picture = std::get_if<ReportPagePicture>(&item))
            QCOMPARE(picture->rect, QRect(fromMm(10 + 2.6), fromMm(10 + 2.4), fromMm(25.1), fromMm(25.4)));
    }
}

void TestReportLayout::headingsAreNeverLeftAloneWhenABandCannotFit()
{
    // A summary taller than what a page holds below its headings.
    SampleReport sample(2, 160);
    int summaries = 0;
    sample.summary->setBeforePrint([&](ReportBand &) { ++summaries; });
    const auto document = sample.report.generate();

    QCOMPARE(summaries, 1);
    QCOMPARE(document->pages().size(), std::size_t(2));
    const auto bands = document->bands();
    QCOMPARE(bands.back().kind, ReportBandKind::Summary);
    QCOMPARE(bands.back().page, 2);
    QCOMPARE(bands[bands.size() - 2].kind, ReportBandKind::ColumnHeader);
}

void TestReportLayout::errorOfANotificationLeavesGenerate()
{
    SampleReport sample(10);
    sample.detail->setBeforePrint([](ReportBand &) { throw std::runtime_error("falha na linha"); });
    QVERIFY_THROWS_EXCEPTION(std::runtime_error, sample.report.generate());
}

QTEST_GUILESS_MAIN(TestReportLayout)
#include "tst_layout.moc"
