#include "ReportTestTools.h"
#include "SampleReport.h"

#include "reportengine/ReportCsvFilter.h"
#include "reportengine/ReportDocument.h"
#include "reportengine/ReportFontMetrics.h"
#include "reportengine/ReportHtmlFilter.h"
#include "reportengine/ReportPainter.h"
#include "reportengine/ReportPdfFilter.h"
#include "reportengine/ReportTextFilter.h"

#include <QPainter>
#include <QTemporaryDir>
#include <QTest>

using namespace ReportTestTools;

// A value too long for its column, or holding line breaks and tabs, prints the same way in every
// output: cut at the column's edge, and on one line.
class TestColumnFit : public QObject
{
    Q_OBJECT

private slots:
    void init() { QVERIFY(m_dir.isValid()); }
    void tooLongTextIsCutAtTheColumnsEdgeInEveryOutput();
    void cutTextStartsAtTheLeftEdgeWhateverTheAlignment();
    void lineBreaksAndTabsPrintAsBlanksExceptInCsv_data();
    void lineBreaksAndTabsPrintAsBlanksExceptInCsv();

private:
    QString save(const ReportExportFilter &filter, const ReportDocument &document, const QString &name)
    {
        return saveIn(m_dir, filter, document, name);
    }

    QTemporaryDir m_dir;
};

namespace
{

using ReportUnits::fromMm;

const ReportElementInstance *detailElement(const ReportDocument &document, const QString &name)
{
    for (const ReportBandInstance &band : document.bands()) {
        if (band.kind != ReportBandKind::Detail)
            continue;
        for (const ReportElementInstance &element : band.elements) {
            if (element.name == name)
                return &element;
        }
    }
    return nullptr;
}

// Whether anything darker than the row colours is painted in the rectangle, in millimetres
// on the page, of the page painted at 150 dpi.
bool inkIn(const ReportPage &page, const QRectF &mm)
{
    constexpr int dpi = 150;
    QImage image(int(297 / 25.4 * dpi), int(210 / 25.4 * dpi), QImage::Format_RGB32);
    QPainter painter(&image);
    ReportPainter::paint(painter, page, QRectF(image.rect()));
    painter.end();
    for (int x = int(mm.left() * dpi / 25.4); x <= int(mm.right() * dpi / 25.4); ++x) {
        for (int y = int(mm.top() * dpi / 25.4); y <= int(mm.bottom() * dpi / 25.4); ++y) {
            if (qGray(image.pixel(x, y)) < 150)
                return true;
        }
    }
    return false;
}

} // namespace

void TestColumnFit::tooLongTextIsCutAtTheColumnsEdgeInEveryOutput()
{
    // "W" is 944/1000 em wide: 89 of them fit in the 207.7 mm name column at 7 pt, 90 do not.
    const QString fits(89, u'W');
    SampleReport sample(0);
    sample.data.append({QStringLiteral("0001"), QString(120, u'W'), QStringLiteral("123.456.789-09")});
    const auto document = sample.report.generate();

    const ReportElementInstance *name = detailElement(*document, QStringLiteral("NOME"));
    QCOMPARE(name->text, QString(120, u'W')); // the value itself stays whole
    QCOMPARE(name->lines.size(), 1);
    QCOMPARE(name->lines.front().text, fits);

    // Preview and printer paint the page: nothing between the end of the name column and the
    // start of the centred CPF.
    QVERIFY(!inkIn(document->pages().front(), QRectF(10 + 16.9 + 207.7 + 0.2, 10 + 28.3 + 10.6 + 0.5, 5, 3)));
    QVERIFY(inkIn(document->pages().front(), QRectF(10 + 16.9 + 200, 10 + 28.3 + 10.6 + 0.5, 5, 3)));

    const QString pdf = pdfText(save(ReportPdfFilter(), *document, "longo.pdf"));
    QVERIFY2(pdf.contains(fits) && !pdf.contains(fits + u'W'), qPrintable(pdf));
    const QString html = QString::fromUtf8(readFile(save(ReportHtmlFilter(), *document, "longo.htm")));
    QVERIFY(html.contains(u'>' + fits + u'<'));
    // CSV carries the data whole.
    ReportCsvFilter csv;
    csv.setSeparator(u';');
    QCOMPARE(parseCsv(QString::fromUtf8(readFile(save(csv, *document, "longo.csv"))), u';')[1][1],
             QString(120, u'W'));
}

void TestColumnFit::cutTextStartsAtTheLeftEdgeWhateverTheAlignment()
{
    // The code column is centred and 15.9 mm wide: six "W" fit.
    SampleReport sample(0);
    sample.data.append({QStringLiteral("WWWWWWWWWW"), QStringLiteral("Maria"), QStringLiteral("1")});
    const auto document = sample.report.generate();

    const ReportElementInstance *code = detailElement(*document, QStringLiteral("CODIGO"));
    QCOMPARE(code->lines.front().text, QStringLiteral("WWWWWW"));
    bool placed = false;
    for (const ReportPageItem &item : document->pages().front().items) {
        const auto *text = std::get_if<ReportPageText>(&item);
        if (text && text->text == QStringLiteral("WWWWWW")) {
            QCOMPARE(text->baselineStart.x(), fromMm(10));
            placed = true;
        }
    }
    QVERIFY(placed);
    const QString html = QString::fromUtf8(readFile(save(ReportHtmlFilter(), *document, "codigo.htm")));
    QVERIFY(html.contains(QStringLiteral("text-align:left\">WWWWWW<")));
}

void TestColumnFit::lineBreaksAndTabsPrintAsBlanksExceptInCsv_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("printed");
    QTest::newRow("line feed") << "Maria\nda Silva"
                               << "Maria da Silva";
    QTest::newRow("carriage return and line feed") << "Maria\r\nda Silva"
                                                   << "Maria da Silva";
    QTest::newRow("carriage return") << "Maria\rda Silva"
                                     << "Maria da Silva";
    QTest::newRow("tab") << "Maria\tda\tSilva"
                         << "Maria da Silva";
    QTest::newRow("break at the end") << "Maria da Silva\n"
                                      << "Maria da Silva ";
}

void TestColumnFit::lineBreaksAndTabsPrintAsBlanksExceptInCsv()
{
    QFETCH(QString, name);
    QFETCH(QString, printed);
    SampleReport sample(0);
    sample.data.append({QStringLiteral("0001"), name, QStringLiteral("123.456.789-09")});
    sample.data.append({QStringLiteral("0002"), printed, QStringLiteral("123.456.789-09")});
    const auto document = sample.report.generate();

    // PDF, preview and printer all draw the laid-out lines.
    const ReportElementInstance *laidOut = detailElement(*document, QStringLiteral("NOME"));
    QCOMPARE(laidOut->lines.size(), 1);
    QCOMPARE(laidOut->lines.front().text, printed);
    const QStringList pdf = pdfText(save(ReportPdfFilter(), *document, "quebra.pdf")).split(u'\n');
    QCOMPARE(pdf.filter(QStringLiteral("Maria da Silva")).size(), 2);

    const QString html = QString::fromUtf8(readFile(save(ReportHtmlFilter(), *document, "quebra.htm")));
    QCOMPARE(html.count(u'>' + printed.toHtmlEscaped() + QStringLiteral("</div>")), 2);

    // The text listing keeps its columns: both rows read alike after their codes.
    const QStringList text = QString::fromUtf8(readFile(save(ReportTextFilter(), *document, "quebra.txt")))
                                 .split(u'\n')
                                 .filter(QStringLiteral("123.456.789-09"));
    QCOMPARE(text.size(), 2);
    QCOMPARE(QString(text[0]).replace(QStringLiteral("0001"), QStringLiteral("0002")), text[1]);

    ReportCsvFilter csv;
    csv.setSeparator(u';');
    const QString csvText = QString::fromUtf8(readFile(save(csv, *document, "quebra.csv")));
    QVERIFY(csvText.contains(u'"' + name + u'"'));
    QCOMPARE(parseCsv(csvText, u';')[1][1], name);
}

QTEST_MAIN(TestColumnFit)
#include "tst_columnfit.moc"
