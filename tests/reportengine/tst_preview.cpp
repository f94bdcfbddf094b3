#include "DialogScript.h"
#include "ReportTestTools.h"
#include "SampleReport.h"

#include "reportengine/ReportCsvFilter.h"
#include "reportengine/ReportDocument.h"
#include "reportengine/ReportHtmlFilter.h"
#include "reportengine/ReportPdfFilter.h"
#include "reportengine/ReportTextFilter.h"
#include "reportengine/ui/ReportPageView.h"
#include "reportengine/ui/ReportPreview.h"
#include "reportengine/ui/ReportPrinter.h"

#include <QAction>
#include <QApplication>
#include <QDate>
#include <QDir>
#include <QFileInfo>
#include <QPrinter>
#include <QScrollArea>
#include <QScrollBar>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using namespace ReportTestTools;

class TestPreview : public QObject
{
    Q_OBJECT

private slots:
    void init() { QVERIFY(m_dir.isValid()); }
    void opensModalMaximisedAndNotOnTopAt100Percent();
    void navigatesAndZooms();
    void turnsPagesByKeyboard();
    void pageChangeShowsTheTopOfTheNewPage();
    void saveProposesTheTitleAndTheDate();
    void saveWithoutFormatsSaysSoAndAsksNothing();
    void saveProposesPdfFirstAmongTheFormatsGiven();
    void saveWritesTheChosenFormat_data();
    void saveWritesTheChosenFormat();
    void saveFailureIsReportedAndThePreviewStays();
    void saveOpensInTheFolderLastSavedTo();
    void printingGoesThroughThePrintDialogWithOneCopyOfAllPages();
    void printedPagesAreThePreviewedPages();

private:
    QTemporaryDir m_dir;
};

void TestPreview::opensModalMaximisedAndNotOnTopAt100Percent()
{
    SampleReport sample(50);
    QWidget owner;
    ReportPreview preview(sample.report.generate(), &owner);
    bool checked = false;
    QTimer::singleShot(0, &preview, [&] {
        QCOMPARE(QApplication::activeModalWidget(), &preview);
        QVERIFY(preview.windowState() & Qt::WindowMaximized);
        QVERIFY(!(preview.windowFlags() & Qt::WindowStaysOnTopHint));
        QCOMPARE(preview.zoomPercent(), 100);
        const auto *view = preview.findChild<ReportPageView *>();
        // 297 mm at the screen's resolution.
        QCOMPARE(view->width(), qRound(297 / 25.4 * view->logicalDpiX()));
        QCOMPARE(preview.currentPage(), 1);
        QCOMPARE(preview.pageCount(), 2);
        checked = true;
        preview.accept();
    });
    preview.exec();
    QVERIFY(checked);
}

void TestPreview::navigatesAndZooms()
{
    SampleReport sample(100);
    ReportPreview preview(sample.report.generate());
    QCOMPARE(preview.pageCount(), 3);
    preview.showPage(3);
    QCOMPARE(preview.currentPage(), 3);
    preview.showPage(4);
    QCOMPARE(preview.currentPage(), 3);
    preview.showPage(0);
    QCOMPARE(preview.currentPage(), 1);

    auto *view = preview.findChild<ReportPageView *>();
    const int width = view->width();
    preview.setZoomPercent(200);
    QCOMPARE(preview.zoomPercent(), 200);
    QVERIFY(std::abs(view->width() - 2 * width) <= 1);
}

// The tool bar's buttons take no focus: the pages are turned by keys.
void TestPreview::turnsPagesByKeyboard()
{
    SampleReport sample(100);
    ReportPreview preview(sample.report.generate());
    preview.show();
    QVERIFY(QTest::qWaitForWindowActive(&preview));
    QStringList pages;
    for (const QKeySequence::StandardKey key :
         {QKeySequence::MoveToEndOfDocument, QKeySequence::MoveToPreviousPage,
          QKeySequence::MoveToStartOfDocument, QKeySequence::MoveToNextPage}) {
        QTest::keySequence(&preview, QKeySequence(key));
        pages << QString::number(preview.currentPage());
    }
    QCOMPARE(pages, QStringList({"3", "2", "1", "2"}));
}

void TestPreview::pageChangeShowsTheTopOfTheNewPage()
{
    SampleReport sample(100);
    ReportPreview preview(sample.report.generate());
    preview.show();
    preview.setZoomPercent(200);
    auto *scroll = preview.findChild<QScrollArea *>()->verticalScrollBar();
    QVERIFY(scroll->maximum() > 0);
    const auto actions = preview.findChildren<QAction *>();
    const auto action = [&](const QString &text) {
        return *std::find_if(actions.begin(), actions.end(), [&](QAction *a) { return a->text() == text; });
    };

    scroll->setValue(scroll->maximum());
    action(QStringLiteral("Próxima"))->trigger();
    QCOMPARE(preview.currentPage(), 2);
    QCOMPARE(scroll->value(), 0);

    scroll->setValue(scroll->maximum());
    action(QStringLiteral("Anterior"))->trigger();
    QCOMPARE(preview.currentPage(), 1);
    QCOMPARE(scroll->value(), 0);

    scroll->setValue(scroll->maximum());
    preview.findChild<QSpinBox *>()->setValue(3);
    QCOMPARE(preview.currentPage(), 3);
    QCOMPARE(scroll->value(), 0);
}

void TestPreview::saveProposesPdfFirstAmongTheFormatsGiven()
{
    ReportTextFilter text;
    ReportCsvFilter csv;
    ReportPdfFilter pdf;
    SampleReport sample(3);
    ReportPreview preview(sample.report.generate());
    preview.setSaveFormats({&text, &csv, &pdf});
    DialogScript dialogs;
    dialogs.answer(false);
    preview.save();

    QCOMPARE(dialogs.seen().size(), 1);
    QCOMPARE(dialogs.seen().first().kind, Dialogs::Kind::SaveFile);
    const QStringList formats = dialogs.seen().first().filter.split(QStringLiteral(";;"));
    QCOMPARE(formats.size(), 3); // no HTML filter given
    QVERIFY2(formats[0].endsWith(QStringLiteral("(*.pdf)")), qPrintable(formats[0]));
    QVERIFY(formats[1].endsWith(QStringLiteral("(*.txt)")));
    QVERIFY(formats[2].endsWith(QStringLiteral("(*.csv)")));
}

void TestPreview::saveWritesTheChosenFormat_data()
{
    QTest::addColumn<int>("format"); // position in the dialog's list
    QTest::addColumn<QString>("fileName");
    QTest::addColumn<QString>("written");
    QTest::addColumn<QString>("content");

    QTest::newRow("pdf proposed, extension added") << -1 << "lista"
                                                   << "lista.pdf"
                                                   << "PDF";
    QTest::newRow("text") << 1 << "lista.txt"
                          << "lista.txt"
                          << "TXT";
    QTest::newRow("csv") << 2 << "lista.csv"
                         << "lista.csv"
                         << "CSV";
    QTest::newRow("html, extension added") << 3 << "lista"
                                           << "lista.htm"
                                           << "HTM";
    QTest::newRow("html typed while pdf is chosen") << -1 << "x.html"
                                                    << "x.html"
                                                    << "HTM";
    QTest::newRow("htm typed") << -1 << "x.htm"
                               << "x.htm"
                               << "HTM";
    QTest::newRow("upper-case extension") << -1 << "LISTA.TXT"
                                          << "LISTA.TXT"
                                          << "TXT";
    QTest::newRow("mixed case") << 1 << "lista.Pdf"
                                << "lista.Pdf"
                                << "PDF";
    QTest::newRow("unknown extension keeps its name") << 2 << "lista.v2"
                                                      << "lista.v2.csv"
                                                      << "CSV";
}

void TestPreview::saveWritesTheChosenFormat()
{
    QFETCH(int, format);
    QFETCH(QString, fileName);
    QFETCH(QString, written);
    QFETCH(QString, content);

    ReportTextFilter text;
    ReportCsvFilter csv;
    csv.setSeparator(u';');
    ReportPdfFilter pdf;
    ReportHtmlFilter html;
    SampleReport sample(60);
    ReportPreview preview(sample.report.generate());
    preview.setSaveFormats({&text, &csv, &pdf, &html});
    DialogScript dialogs;
    // The first answer only reads the list the dialog offers.
    dialogs.answer(false);
    preview.save();
    const QStringList formats = dialogs.seen().first().filter.split(QStringLiteral(";;"));
    QTemporaryDir dir;
    dialogs.answer(true, dir.filePath(fileName), format < 0 ? QString() : formats[format]);
    preview.save();

    const QString path = dir.filePath(written);
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{written});
    QCOMPARE(dialogs.seen().size(), 2);
    const QByteArray bytes = readFile(path);
    if (content == QLatin1String("PDF")) {
        QCOMPARE(pdfInfo(path, "Pages"), QStringLiteral("2"));
    } else if (content == QLatin1String("CSV")) {
        QCOMPARE(parseCsv(QString::fromUtf8(bytes), u';').size(), 61);
    } else if (content == QLatin1String("HTM")) {
        QVERIFY(bytes.startsWith("<!DOCTYPE html>"));
    } else {
        QVERIFY(bytes.endsWith("Total de Registros : 60\n"));
    }
    // Saving shows what was previewed: the report was generated once.
    QCOMPARE(sample.generations, 1);
}

void TestPreview::saveProposesTheTitleAndTheDate()
{
    ReportCsvFilter csv;
    ReportPdfFilter pdf;
    ReportHtmlFilter html;
    SampleReport sample(3);
    ReportPreview preview(sample.report.generate());
    preview.setSaveFormats({&csv, &pdf, &html});
    preview.setTitle(QStringLiteral("Relatório dos Usuários"));
    DialogScript dialogs;
    dialogs.answer(false);
    preview.save();

    QCOMPARE(
        QFileInfo(dialogs.seen().first().value).fileName(),
        QStringLiteral("Relatório dos Usuários %1.pdf").arg(QDate::currentDate().toString("dd-MM-yyyy")));
    QVERIFY(dialogs.seen().first().filter.contains(QStringLiteral("Página HTML (*.htm *.html)")));
}

void TestPreview::saveWithoutFormatsSaysSoAndAsksNothing()
{
    SampleReport sample(3);
    ReportPreview preview(sample.report.generate());
    DialogScript dialogs;
    preview.save();

    QCOMPARE(dialogs.seen().size(), 1);
    QCOMPARE(dialogs.seen().first().kind, Dialogs::Kind::Message);
    QCOMPARE(dialogs.onlyText(),
             QStringLiteral("Nenhum formato de arquivo está disponível para salvar o relatório."));
}

void TestPreview::saveFailureIsReportedAndThePreviewStays()
{
    ReportPdfFilter pdf;
    SampleReport sample(3);
    ReportPreview preview(sample.report.generate());
    preview.setSaveFormats({&pdf});
    DialogScript dialogs;
    const QString path = m_dir.filePath("sem-pasta/lista.pdf");
    dialogs.answer(true, path);
    preview.save();

    QCOMPARE(dialogs.seen().size(), 2);
    QCOMPARE(dialogs.seen()[1].kind, Dialogs::Kind::Error);
    QVERIFY2(dialogs.seen()[1].text.contains(path), qPrintable(dialogs.seen()[1].text));
}

void TestPreview::saveOpensInTheFolderLastSavedTo()
{
    ReportPdfFilter pdf;
    SampleReport sample(3);
    QVERIFY(QDir(m_dir.path()).mkpath("relatorios"));
    const QString folder = QDir(m_dir.filePath("relatorios")).absolutePath();
    {
        ReportPreview preview(sample.report.generate());
        preview.setSaveFormats({&pdf});
        DialogScript dialogs;
        dialogs.answer(true, folder + "/primeiro.pdf");
        preview.save();
        QCOMPARE(dialogs.seen().size(), 1);
    }
    ReportPreview other(sample.report.generate());
    other.setTitle(QStringLiteral("Outro"));
    other.setSaveFormats({&pdf});
    DialogScript dialogs;
    dialogs.answer(false);
    other.save();
    QCOMPARE(QFileInfo(dialogs.seen().first().value).absolutePath(), folder);
    QVERIFY(dialogs.seen().first().value.endsWith(
        QStringLiteral("/Outro %1.pdf").arg(QDate::currentDate().toString("dd-MM-yyyy"))));
}

void TestPreview::printingGoesThroughThePrintDialogWithOneCopyOfAllPages()
{
    SampleReport sample(3);
    const auto document = sample.report.generate();
    ReportPreview preview(document);
    preview.setTitle(QStringLiteral("Relatório dos Usuários"));
    DialogScript dialogs;
    dialogs.answer(false);
    preview.print();
    QCOMPARE(dialogs.seen().size(), 1);
    QCOMPARE(dialogs.seen().first().kind, Dialogs::Kind::Print);
    // The print job is named after the report.
    QCOMPARE(dialogs.seen().first().title, QStringLiteral("Relatório dos Usuários"));

    QPrinter printer(QPrinter::HighResolution);
    printer.setCopyCount(3);
    printer.setDuplex(QPrinter::DuplexLongSide);
    printer.setPrintRange(QPrinter::PageRange);
    ReportPrinter::configure(printer, *document);
    QCOMPARE(printer.copyCount(), 1);
    QCOMPARE(printer.printRange(), QPrinter::AllPages);
    QCOMPARE(printer.duplex(), QPrinter::DuplexNone);
    QCOMPARE(printer.pageLayout().orientation(), QPageLayout::Landscape);
    QCOMPARE(printer.pageLayout().pageSize().id(), QPageSize::A4);
}

void TestPreview::printedPagesAreThePreviewedPages()
{
    SampleReport sample(80);
    const auto document = sample.report.generate();
    QPrinter printer(QPrinter::HighResolution);
    ReportPrinter::configure(printer, *document);
    printer.setOutputFormat(QPrinter::PdfFormat);
    const QString path = m_dir.filePath("impresso.pdf");
    printer.setOutputFileName(path);
    QCOMPARE(ReportPrinter::print(*document, printer), QString());

    QCOMPARE(pdfInfo(path, "Pages"), QStringLiteral("3"));
    QVERIFY(pdfInfo(path, "Page size").endsWith(QStringLiteral("(A4)")));
    const QStringList pages = pdfText(path).split(u'\f');
    QVERIFY(pages[0].contains(QStringLiteral("Usuário número 37")));
    QVERIFY(!pages[0].contains(QStringLiteral("Usuário número 38")));
    QVERIFY(pages[2].contains(QStringLiteral("Total de Registros : 80")));
    const QImage image = pdfPageImage(path, 2, 72);
    QVERIFY(near(colourAtMm(image, 270, 10 + 28.3 + 10.6 + 2, 72), SampleReport::kWhite));
    QVERIFY(near(colourAtMm(image, 270, 10 + 28.3 + 10.6 + 6, 72), SampleReport::kGreen));
}

QTEST_MAIN(TestPreview)
#include "tst_preview.moc"
