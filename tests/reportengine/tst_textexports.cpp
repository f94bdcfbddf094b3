#include "ReportTestTools.h"
#include "SampleReport.h"

#include "reportengine/ReportCsvFilter.h"
#include "reportengine/ReportDocument.h"
#include "reportengine/ReportExportError.h"
#include "reportengine/ReportHtmlFilter.h"
#include "reportengine/ReportPdfFilter.h"
#include "reportengine/ReportTextFilter.h"

#include <QDir>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

using namespace ReportTestTools;

namespace
{

std::unique_ptr<ReportExportFilter> filterFor(const QString &extension)
{
    if (extension == QLatin1String("TXT"))
        return std::make_unique<ReportTextFilter>();
    if (extension == QLatin1String("CSV"))
        return std::make_unique<ReportCsvFilter>();
    return std::make_unique<ReportHtmlFilter>();
}

} // namespace

class TestTextExports : public QObject
{
    Q_OBJECT

private slots:
    void init() { QVERIFY(m_dir.isValid()); }
    void csvHasOneHeadingRowAndOneRowPerRecord();
    void csvQuotesWhatWouldBreakARow_data();
    void csvQuotesWhatWouldBreakARow();
    void csvSeparatorIsTheFiltersSetting();
    void textListsHeadingsOnceAndTheTotalAtTheEnd();
    void htmlIsOnePageWithoutLinksAndWithColours();
    void htmlEscapesEveryText();
    void htmlStatesItsPaperForPrinting_data();
    void htmlStatesItsPaperForPrinting();
    void storedAndStreamedExportsAreIdentical_data();
    void storedAndStreamedExportsAreIdentical();
    void failureToCreateTheFileNamesIt_data();
    void failureToCreateTheFileNamesIt();
    void failureSaysWhyInPortuguese_data();
    void failureSaysWhyInPortuguese();

private:
    QString save(const ReportExportFilter &filter, const ReportDocument &document, const QString &name)
    {
        return saveIn(m_dir, filter, document, name);
    }

    QTemporaryDir m_dir;
};

void TestTextExports::csvHasOneHeadingRowAndOneRowPerRecord()
{
    SampleReport sample(100); // three pages: the heading repeats on paper, not in the file
    ReportCsvFilter filter;
    filter.setSeparator(u';');
    const QByteArray bytes = readFile(save(filter, *sample.report.generate(), "lista.csv"));
    const QList<QStringList> rows = parseCsv(QString::fromUtf8(bytes), u';');

    QCOMPARE(rows.size(), 101);
    QCOMPARE(rows[0], (QStringList{"Código", "Usuário", "C P F"}));
    QCOMPARE(rows[1], (QStringList{"0001", "Usuário número 1", "123.456.789-09"}));
    QCOMPARE(rows[100], (QStringList{"0100", "Usuário número 100", "123.456.789-09"}));
    QVERIFY(!bytes.contains(";\r\n"));
    QVERIFY(!bytes.contains("Total"));
    QVERIFY(!bytes.contains("Pág."));
}

void TestTextExports::csvQuotesWhatWouldBreakARow_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("written");

    QTest::newRow("plain") << "Maria da Silva"
                           << "Maria da Silva";
    QTest::newRow("separator") << "Silva; Maria"
                               << "\"Silva; Maria\"";
    QTest::newRow("quote") << "Maria \"Mariazinha\" Silva"
                           << "\"Maria \"\"Mariazinha\"\" Silva\"";
    QTest::newRow("line break") << "Maria\nSilva"
                                << "\"Maria\nSilva\"";
    QTest::newRow("comma is no separator here") << "Silva, Maria"
                                                << "Silva, Maria";
    QTest::newRow("empty") << ""
                           << "";
}

void TestTextExports::csvQuotesWhatWouldBreakARow()
{
    QFETCH(QString, name);
    QFETCH(QString, written);

    SampleReport sample(0);
    sample.data.append({QStringLiteral("0001"), name, QStringLiteral("123.456.789-09")});
    ReportCsvFilter filter;
    filter.setSeparator(u';');
    const QString text = QString::fromUtf8(readFile(save(filter, *sample.report.generate(), "aspas.csv")));

    QVERIFY2(text.endsWith(QStringLiteral("\r\n0001;%1;123.456.789-09\r\n").arg(written)), qPrintable(text));
    const QList<QStringList> rows = parseCsv(text, u';');
    QCOMPARE(rows.size(), 2);
    QCOMPARE(rows[1], (QStringList{"0001", name, "123.456.789-09"}));
}

void TestTextExports::csvSeparatorIsTheFiltersSetting()
{
    SampleReport sample(1);
    ReportCsvFilter filter;
    const auto document = sample.report.generate();
    QCOMPARE(QString::fromUtf8(readFile(save(filter, *document, "virgula.csv"))).section(u'\n', 1, 1),
             QStringLiteral("0001,Usuário número 1,123.456.789-09\r"));
    filter.setSeparator(u';');
    QCOMPARE(QString::fromUtf8(readFile(save(filter, *document, "ponto-e-virgula.csv"))).section(u'\n', 1, 1),
             QStringLiteral("0001;Usuário número 1;123.456.789-09\r"));
}

void TestTextExports::textListsHeadingsOnceAndTheTotalAtTheEnd()
{
    SampleReport sample(100);
    ReportTextFilter filter;
    const QStringList lines =
        QString::fromUtf8(readFile(save(filter, *sample.report.generate(), "lista.txt")))
            .split(u'\n', Qt::SkipEmptyParts);

    QCOMPARE(lines.count(QStringLiteral("              Relatório de teste")), 1);
    QCOMPARE(lines.filter(QStringLiteral("Usuário número")).size(), 100);
    QCOMPARE(lines.filter(QRegularExpression(QStringLiteral("^ Código +Usuário +C P F$"))).size(), 1);
    QCOMPARE(lines.last(), QStringLiteral("Total de Registros : 100"));
    QVERIFY(lines.filter(QStringLiteral("Pág.")).isEmpty());

    // Every row keeps its columns where the heading put them.
    const qsizetype nameColumn =
        lines.filter(QStringLiteral("Código")).first().indexOf(QStringLiteral("Usuário"));
    for (const QString &line : lines.filter(QStringLiteral("Usuário número"))) {
        QCOMPARE(line.indexOf(QStringLiteral("Usuário")), nameColumn);
        QCOMPARE(line.indexOf(QStringLiteral("123.456.789-09")), 113);
    }
}

void TestTextExports::htmlIsOnePageWithoutLinksAndWithColours()
{
    SampleReport sample(100);
    ReportHtmlFilter filter;
    const QString html = QString::fromUtf8(readFile(save(filter, *sample.report.generate(), "lista.htm")));

    QVERIFY(html.startsWith(QStringLiteral("<!DOCTYPE html>")));
    QVERIFY(html.trimmed().endsWith(QStringLiteral("</html>")));
    QCOMPARE(html.count(QStringLiteral("<div class=\"page\"")), 3);
    QVERIFY(!html.contains(QStringLiteral("<a "), Qt::CaseInsensitive));
    QVERIFY(!html.contains(QStringLiteral("href=\"http"), Qt::CaseInsensitive));
    QVERIFY(html.contains(QStringLiteral("background:#c0dcc0")));
    QVERIFY(html.contains(QStringLiteral("background:#c0c0c0")));
    QCOMPARE(html.count(QStringLiteral("Usuário número")), 100);
    // The logo of every page header is one inline picture, written once and used three times.
    QCOMPARE(html.count(QStringLiteral("data:image/png;base64,")), 1);
    QCOMPARE(html.count(QStringLiteral("<use href=\"#picture1\"/>")), 3);
    const QRegularExpression data(QStringLiteral("data:image/png;base64,([A-Za-z0-9+/=]+)\""));
    const QImage logo =
        QImage::fromData(QByteArray::fromBase64(data.match(html).captured(1).toLatin1()), "PNG");
    QCOMPARE(logo.convertToFormat(QImage::Format_RGB32), SampleReport::logoPicture());
}

void TestTextExports::htmlStatesItsPaperForPrinting_data()
{
    QTest::addColumn<QSize>("paper");
    QTest::addColumn<bool>("landscape");
    QTest::addColumn<QString>("size");
    QTest::newRow("A4 landscape") << QSize(21000, 29700) << true << "A4 landscape";
    QTest::newRow("A4 portrait") << QSize(21000, 29700) << false << "A4 portrait";
    QTest::newRow("letter landscape") << QSize(21590, 27940) << true << "279.4mm 215.9mm";
}

// A browser prints the saved page on the paper its @page rule names, else on its own default.
void TestTextExports::htmlStatesItsPaperForPrinting()
{
    QFETCH(QSize, paper);
    QFETCH(bool, landscape);
    QFETCH(QString, size);
    SampleReport sample(3);
    sample.report.pageSetup().paper = paper;
    sample.report.pageSetup().orientation =
        landscape ? ReportPageSetup::Orientation::Landscape : ReportPageSetup::Orientation::Portrait;
    ReportHtmlFilter filter;
    const QString html = QString::fromUtf8(readFile(save(filter, *sample.report.generate(), "papel.htm")));
    QVERIFY2(html.contains(QStringLiteral("@page { size: %1; margin: 0; }").arg(size)),
             qPrintable(html.left(900)));
}

void TestTextExports::htmlEscapesEveryText()
{
    SampleReport sample(0);
    sample.title->setText(QStringLiteral("<script>alert(1)</script> & \"Cia\""));
    sample.data.append({QStringLiteral("0001"), QStringLiteral("<b>Maria</b> & José"), QStringLiteral("1")});
    ReportHtmlFilter filter;
    const QString html = QString::fromUtf8(readFile(save(filter, *sample.report.generate(), "escape.htm")));

    QVERIFY(!html.contains(QStringLiteral("<script>")));
    QVERIFY(!html.contains(QStringLiteral("<b>")));
    QVERIFY(html.contains(QStringLiteral("&lt;script&gt;alert(1)&lt;/script&gt; &amp; &quot;Cia&quot;")));
    QVERIFY(html.contains(QStringLiteral("&lt;b&gt;Maria&lt;/b&gt; &amp; José")));
}

void TestTextExports::storedAndStreamedExportsAreIdentical_data()
{
    QTest::addColumn<QString>("extension");
    QTest::newRow("text") << "TXT";
    QTest::newRow("csv") << "CSV";
    QTest::newRow("html") << "HTM";
}

void TestTextExports::storedAndStreamedExportsAreIdentical()
{
    QFETCH(QString, extension);
    const auto filter = filterFor(extension);

    SampleReport sample(90);
    const QString stored = save(*filter, *sample.report.generate(), "guardado");
    const QString streamed = m_dir.filePath("direto");
    filter->save(sample.report, streamed);
    QCOMPARE(sample.generations, 2);
    QVERIFY(QFileInfo(stored).size() > 1000);
    QCOMPARE(readFile(streamed), readFile(stored));
}

void TestTextExports::failureToCreateTheFileNamesIt_data()
{
    QTest::addColumn<QString>("extension");
    QTest::newRow("text") << "TXT";
    QTest::newRow("csv") << "CSV";
    QTest::newRow("html") << "HTM";
}

void TestTextExports::failureToCreateTheFileNamesIt()
{
    QFETCH(QString, extension);
    const auto filter = filterFor(extension);

    SampleReport sample(3);
    const QString path = m_dir.filePath("sem-pasta/lista." + extension);
    try {
        filter->save(*sample.report.generate(), path);
        QFAIL("saving into a missing folder succeeded");
    } catch (const ReportExportError &error) {
        QVERIFY2(error.text().startsWith(QStringLiteral("Não foi possível")) && error.text().contains(path),
                 qPrintable(error.text()));
    }
    QVERIFY(!QFileInfo::exists(path));
}

void TestTextExports::failureSaysWhyInPortuguese_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("detail");
    QTest::newRow("missing folder") << "sem-pasta/lista.csv"
                                    << "A pasta %1/sem-pasta não existe.";
    QTest::newRow("name of a folder") << "pasta.csv"
                                      << "O nome escolhido é o de uma pasta, não o de um arquivo.";
}

void TestTextExports::failureSaysWhyInPortuguese()
{
    QFETCH(QString, name);
    QFETCH(QString, detail);
    QVERIFY(QDir(m_dir.path()).mkpath("pasta.csv"));
    SampleReport sample(3);
    const QString path = m_dir.filePath(name);
    try {
        filterFor("CSV")->save(*sample.report.generate(), path);
        QFAIL("the export reported no failure");
    } catch (const ReportExportError &error) {
        QCOMPARE(error.text(), QStringLiteral("Não foi possível criar o arquivo %1.").arg(path));
        QCOMPARE(error.detail(), detail.contains("%1") ? detail.arg(m_dir.path()) : detail);
    }
}

QTEST_MAIN(TestTextExports)
#include "tst_textexports.moc"
