#include "ReportTestTools.h"
#include "SampleReport.h"

#include "reportengine/ReportDocument.h"
#include "reportengine/ReportExportError.h"
#include "reportengine/ReportPainter.h"
#include "reportengine/ReportPdfFilter.h"
#include "reportengine/ReportPdfWriter.h"

#include <QBuffer>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

using namespace ReportTestTools;

namespace
{

constexpr int kDpi = 72;

QString writePdf(const ReportDocument &document, const QString &path, const QDateTime &created)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return {};
    ReportPdfWriter writer(file, created);
    document.replay(writer);
    return path;
}

// Middle of the n-th detail row (from 1) of a page, to the right of the last column.
double rowMiddleMm(int row)
{
    return 10 + 28.3 + 10.6 + (row - 1) * 4.0 + 2.0;
}

} // namespace

class TestPdfExport : public QObject
{
    Q_OBJECT

private slots:
    void init() { QVERIFY(m_dir.isValid()); }
    void pagesTextsAndInformationReadBack();
    void contentStreamsAreNotCompressedAndTextIsWinAnsi();
    void rowColoursShowOnTheRenderedPages_data();
    void rowColoursShowOnTheRenderedPages();
    void pdfAndPainterPutTextInTheSamePlace();
    void aPictureOnEveryPageIsEmbeddedOnce();
    void streamedAndStoredExportsAreIdentical();
    void failedWritesFailTheExport();

private:
    QTemporaryDir m_dir;
    const QDateTime m_created{QDate(2018, 3, 7), QTime(14, 25, 36), Qt::OffsetFromUTC, -3 * 3600};
};

void TestPdfExport::pagesTextsAndInformationReadBack()
{
    SampleReport sample(80);
    const QString pdf = writePdf(*sample.report.generate(), m_dir.filePath("lista.pdf"), m_created);

    QCOMPARE(pdfInfo(pdf, "Pages"), QStringLiteral("3"));
    QVERIFY2(pdfInfo(pdf, "Page size").startsWith(QStringLiteral("841.89 x 595.28")),
             qPrintable(pdfInfo(pdf, "Page size")));
    QCOMPARE(pdfInfo(pdf, "CreationDate"), QStringLiteral("2018-03-07T14:25:36-03"));
    // pdftotext turns runs of blanks into one; the bytes show the two blanks after "Pág.".
    const QString text = pdfText(pdf);
    const QString simplified = text.simplified();
    for (const QString &expected :
         {QStringLiteral("Relatório de teste"), QStringLiteral("Pág. 1"), QStringLiteral("Pág. 3"),
          QStringLiteral("Código"), QStringLiteral("Usuário número 80"), QStringLiteral("123.456.789-09"),
          QStringLiteral("Total de Registros : 80")}) {
        QVERIFY2(simplified.contains(expected), qPrintable(expected));
    }
    QVERIFY(readFile(pdf).contains("(P\xE1g.  3) Tj"));
    const QStringList pages = text.split(u'\f');
    QVERIFY(!pages[0].contains(QStringLiteral("Total de Registros")));
    QVERIFY(pages[2].contains(QStringLiteral("Total de Registros")));
}

void TestPdfExport::contentStreamsAreNotCompressedAndTextIsWinAnsi()
{
    SampleReport sample(2);
    sample.title->setText(QStringLiteral("Ação € (teste) \\ Ωmega"));
    const QString pdf = writePdf(*sample.report.generate(), m_dir.filePath("texto.pdf"), m_created);
    const QByteArray bytes = readFile(pdf);

    // Every stream without an image's dictionary is page content and must carry no filter.
    const QRegularExpression stream(QStringLiteral("<<([^>]*(?:>>[^>]*)?)>>\\s*stream"));
    int contents = 0;
    for (const auto &match : stream.globalMatch(QString::fromLatin1(bytes))) {
        if (match.captured(1).contains(QStringLiteral("/Subtype /Image")))
            continue;
        ++contents;
        QVERIFY2(!match.captured(1).contains(QStringLiteral("/Filter")), qPrintable(match.captured(1)));
    }
    QCOMPARE(contents, 1);
    QVERIFY(bytes.contains("/Encoding /WinAnsiEncoding"));
    // 8-bit Windows-1252 bytes, escaped parentheses and backslash, '?' for what 1252 lacks.
    QVERIFY(bytes.contains("(A\xE7\xE3o \x80 \\(teste\\) \\\\ ?mega) Tj"));
    QVERIFY(pdfText(pdf).contains(QStringLiteral("Ação € (teste) \\ ?mega")));
}

void TestPdfExport::rowColoursShowOnTheRenderedPages_data()
{
    QTest::addColumn<int>("page");
    QTest::addColumn<int>("row");
    QTest::addColumn<ReportColour>("colour");

    QTest::newRow("row 1") << 1 << 1 << SampleReport::kGreen;
    QTest::newRow("row 2") << 1 << 2 << SampleReport::kWhite;
    QTest::newRow("row 3") << 1 << 3 << SampleReport::kGreen;
    QTest::newRow("row 37, last of page 1") << 1 << 37 << SampleReport::kGreen;
    QTest::newRow("row 38, first of page 2") << 2 << 1 << SampleReport::kWhite;
    QTest::newRow("row 39") << 2 << 2 << SampleReport::kGreen;
}

void TestPdfExport::rowColoursShowOnTheRenderedPages()
{
    QFETCH(int, page);
    QFETCH(int, row);
    QFETCH(ReportColour, colour);

    SampleReport sample(45);
    const QString pdf = writePdf(*sample.report.generate(), m_dir.filePath("cores.pdf"), m_created);
    const QImage image = pdfPageImage(pdf, page, kDpi);
    QVERIFY(!image.isNull());
    const QColor seen = colourAtMm(image, 270, rowMiddleMm(row), kDpi);
    QVERIFY2(near(seen, colour), qPrintable(seen.name()));
    QVERIFY(near(colourAtMm(image, 270, 10 + 28.3 + 3, kDpi), SampleReport::kGrey));
}

void TestPdfExport::pdfAndPainterPutTextInTheSamePlace()
{
    SampleReport sample(3);
    const auto document = sample.report.generate();
    const QString pdf = writePdf(*document, m_dir.filePath("comparar.pdf"), m_created);
    const int dpi = 100;
    const QImage fromPdf = pdfPageImage(pdf, 1, dpi).convertToFormat(QImage::Format_RGB32);

    const ReportPage &page = document->pages().front();
    QImage painted(fromPdf.size(), QImage::Format_RGB32);
    painted.fill(Qt::white);
    QPainter painter(&painted);
    ReportPainter::paint(painter, page, QRectF(QPointF(0, 0), QSizeF(page.size) * dpi / 2540.0));
    painter.end();

    // Ink of the row texts, column by column, in the two renderings.
    auto inkColumns = [](const QImage &image, int top, int bottom) {
        QList<int> columns;
        for (int x = 0; x < image.width(); ++x) {
            for (int y = top; y < bottom; ++y) {
                if (qGray(image.pixel(x, y)) < 100) {
                    columns << x;
                    break;
                }
            }
        }
        return columns;
    };
    // Inside the rows, clear of the heading's line just above them.
    const int top = int((rowMiddleMm(1) - 1.5) * dpi / 25.4);
    const int bottom = int((rowMiddleMm(3) + 1.5) * dpi / 25.4);
    const QList<int> pdfInk = inkColumns(fromPdf, top, bottom);
    const QList<int> paintedInk = inkColumns(painted, top, bottom);
    QVERIFY(pdfInk.size() > 50);
    QVERIFY2(std::abs(pdfInk.first() - paintedInk.first()) <= 1 &&
                 std::abs(pdfInk.last() - paintedInk.last()) <= 2,
             qPrintable(QStringLiteral("pdf %1..%2, painter %3..%4")
                            .arg(pdfInk.first())
                            .arg(pdfInk.last())
                            .arg(paintedInk.first())
                            .arg(paintedInk.last())));
}

void TestPdfExport::aPictureOnEveryPageIsEmbeddedOnce()
{
    SampleReport sample(120);
    // A new picture object with the same pixels for every page header, as a logo read per page is.
    sample.pageHeader->setBeforePrint(
        [&](ReportBand &) { sample.logo->setPicture(toReportImage(SampleReport::logoPicture())); });
    const QString pdf = writePdf(*sample.report.generate(), m_dir.filePath("logo.pdf"), m_created);
    const QByteArray bytes = readFile(pdf);
    QCOMPARE(bytes.count("/Subtype /Image"), qsizetype(1));
    QCOMPARE(bytes.count(" Do Q"), qsizetype(4));

    const QImage image = pdfPageImage(pdf, 4, kDpi);
    QVERIFY(near(colourAtMm(image, 10 + 2.6 + 12.5, 10 + 2.4 + 12.7, kDpi), QColor(230, 180, 20), 10));
    QVERIFY(near(colourAtMm(image, 10 + 2.6 + 3, 10 + 2.4 + 3, kDpi), QColor(20, 60, 160), 10));
}

void TestPdfExport::streamedAndStoredExportsAreIdentical()
{
    SampleReport sample(100);
    QBuffer streamed;
    streamed.open(QIODevice::WriteOnly);
    ReportPdfWriter streaming(streamed, m_created);
    sample.report.generate(streaming);

    QBuffer stored;
    stored.open(QIODevice::WriteOnly);
    ReportPdfWriter replaying(stored, m_created);
    sample.report.generate()->replay(replaying);

    QVERIFY(streamed.data().size() > 10000);
    QCOMPARE(streamed.data(), stored.data());
}

void TestPdfExport::failedWritesFailTheExport()
{
    SampleReport sample(10);
    const auto document = sample.report.generate();
    ReportPdfFilter filter;
    const QString missing = m_dir.filePath("nao-existe/lista.pdf");
    try {
        filter.save(*document, missing);
        QFAIL("saving into a missing folder succeeded");
    } catch (const ReportExportError &error) {
        QVERIFY2(error.text().contains(missing), qPrintable(error.text()));
    }

    // A device that stops accepting bytes part way.
    QFile readOnly(m_dir.filePath("somente-leitura.pdf"));
    QVERIFY(readOnly.open(QIODevice::WriteOnly));
    readOnly.close();
    QVERIFY(readOnly.open(QIODevice::ReadOnly));
    ReportPdfWriter writer(readOnly, m_created);
    QVERIFY_THROWS_EXCEPTION(ReportExportError, document->replay(writer));
}

QTEST_MAIN(TestPdfExport)
#include "tst_pdfexport.moc"
