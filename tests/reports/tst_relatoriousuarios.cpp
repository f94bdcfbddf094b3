#include "UsersReportSession.h"

#include "reportengine/ReportDocument.h"
#include "reports/RelatorioUsuarios.h"
#include "session/uTotal.h"

#include <QTest>
#include <memory>

namespace
{

constexpr ReportColour kMoneyGreen{192, 220, 192};
constexpr ReportColour kWhite{255, 255, 255};
constexpr ReportColour kSilver{192, 192, 192};

const ReportElementInstance *element(const ReportBandInstance &band, const QString &name)
{
    for (const ReportElementInstance &candidate : band.elements) {
        if (candidate.name == name)
            return &candidate;
    }
    return nullptr;
}

QString textOf(const ReportBandInstance &band, const QString &name)
{
    const ReportElementInstance *found = element(band, name);
    return found ? found->text : QStringLiteral("<%1 not printed>").arg(name);
}

// What a generation printed, one entry per band, enough to tell two generations apart.
QStringList printed(const ReportDocument &document)
{
    QStringList bands;
    for (const ReportBandInstance &band : document.bands()) {
        QStringList texts;
        for (const ReportElementInstance &item : band.elements)
            texts << item.name + u'=' + item.text;
        bands << QStringLiteral("%1 %2 %3 %4")
                     .arg(int(band.kind))
                     .arg(band.page)
                     .arg(band.colour.name(), texts.join(u','));
    }
    return bands;
}

} // namespace

// The users report built and generated in a process without a window system, on a working
// folder of 80 users: three pages of 37, 37 and 6 rows.
class TestRelatorioUsuarios : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void everyPageRepeatsTheHeadingsAndRowColoursRunOn();
    void emptyListKeepsTheTotalPlaceholder();
    void toolWritesEveryFormatWithoutAWindowSystem_data();
    void toolWritesEveryFormatWithoutAWindowSystem();
    void toolReadsTheFolderNamedFromWhereItStarted_data();
    void toolReadsTheFolderNamedFromWhereItStarted();

private:
    // Its datasets opened and its heading filled, as a run does before generating.
    static std::unique_ptr<RelatorioUsuarios> prepared();

    QTemporaryDir m_base;
    std::unique_ptr<UsersReportFixture> m_fixture;
    std::unique_ptr<UsersReportSession> m_session;
};

void TestRelatorioUsuarios::initTestCase()
{
    QVERIFY(m_base.isValid());
    QVERIFY(UsersReportFixture::createBase(m_base.path(), 79));
}

void TestRelatorioUsuarios::init()
{
    m_fixture = std::make_unique<UsersReportFixture>(m_base.path());
    m_session = std::make_unique<UsersReportSession>(*m_fixture);
    TituloRelatorio = QStringLiteral("Relatório dos Usuários");
}

void TestRelatorioUsuarios::cleanup()
{
    m_session.reset();
    m_fixture.reset();
}

std::unique_ptr<RelatorioUsuarios> TestRelatorioUsuarios::prepared()
{
    auto relatorio = std::make_unique<RelatorioUsuarios>(dmPrincipal->NimboConnection);
    relatorio->AbreDados();
    relatorio->PreencheCabecalho();
    return relatorio;
}

void TestRelatorioUsuarios::everyPageRepeatsTheHeadingsAndRowColoursRunOn()
{
    const std::unique_ptr<RelatorioUsuarios> relatorio = prepared();
    const std::shared_ptr<const ReportDocument> document = relatorio->Rpt_Relatorio.generate();

    QCOMPARE(document->pages().size(), size_t(3));
    QList<int> rowsPerPage(3, 0);
    int row = 0;
    int summaries = 0;
    for (const ReportBandInstance &band : document->bands()) {
        const QString where = QStringLiteral("page %1, row %2").arg(band.page).arg(row);
        switch (band.kind) {
        case ReportBandKind::PageHeader: {
            QCOMPARE(textOf(band, QStringLiteral("RptSysData3")), QStringLiteral("Pág.  %1").arg(band.page));
            QCOMPARE(textOf(band, QStringLiteral("Estado")), QStringLiteral("ESTADO DE MINAS GERAIS"));
            QCOMPARE(textOf(band, QStringLiteral("Titulo")), QStringLiteral("Relatório dos Usuários"));
            QCOMPARE(textOf(band, QStringLiteral("Exercicio")), QStringLiteral("Exercício : 2017"));
            const ReportElementInstance *logo = element(band, QStringLiteral("Imagem"));
            QVERIFY2(logo && !logo->picture.isNull(), qPrintable(where));
            break;
        }
        case ReportBandKind::ColumnHeader:
            QCOMPARE(band.colour, kSilver);
            break;
        case ReportBandKind::Detail:
            ++row;
            ++rowsPerPage[band.page - 1];
            QVERIFY2(band.colour == (row % 2 ? kMoneyGreen : kWhite), qPrintable(where));
            QCOMPARE(textOf(band, QStringLiteral("RptDBText2")),
                     QStringLiteral("%1").arg(row, 4, 10, QChar(u'0')));
            break;
        case ReportBandKind::Summary:
            ++summaries;
            QCOMPARE(band.page, 3);
            QCOMPARE(textOf(band, QStringLiteral("Registros")), QStringLiteral("Total de Registros : 080"));
            break;
        }
    }
    QCOMPARE(rowsPerPage, (QList<int>{37, 37, 6}));
    QCOMPARE(summaries, 1);

    // The next generation starts the count and the colours over.
    QCOMPARE(printed(*relatorio->Rpt_Relatorio.generate()), printed(*document));
}

void TestRelatorioUsuarios::emptyListKeepsTheTotalPlaceholder()
{
    m_fixture->exec(QStringLiteral("DELETE FROM USUARIOS_ESTOC"));
    const std::shared_ptr<const ReportDocument> document = prepared()->Rpt_Relatorio.generate();

    QCOMPARE(document->pages().size(), size_t(1));
    QList<int> kinds;
    for (const ReportBandInstance &band : document->bands()) {
        kinds << int(band.kind);
        if (band.kind == ReportBandKind::Summary)
            QCOMPARE(textOf(band, QStringLiteral("Registros")), QStringLiteral("T O T A L"));
    }
    QCOMPARE(kinds, (QList<int>{int(ReportBandKind::PageHeader), int(ReportBandKind::ColumnHeader),
                                int(ReportBandKind::Summary)}));
}

void TestRelatorioUsuarios::toolWritesEveryFormatWithoutAWindowSystem_data()
{
    QTest::addColumn<QString>("format");
    for (const char *format : {"pdf", "txt", "csv", "html"})
        QTest::newRow(format) << QString::fromLatin1(format);
}

void TestRelatorioUsuarios::toolWritesEveryFormatWithoutAWindowSystem()
{
    QFETCH(QString, format);

    // A window-system platform named with no display to reach: a program that started a GUI
    // application would end before writing anything.
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    environment.remove(QStringLiteral("DISPLAY"));
    environment.remove(QStringLiteral("WAYLAND_DISPLAY"));
    const QString out = m_fixture->path(QStringLiteral("usuarios.") + format);
    QProcess tool;
    tool.setProcessEnvironment(environment);
    tool.setProcessChannelMode(QProcess::MergedChannels);
    tool.start(UsersReportFixture::tool(),
               {QStringLiteral("report"), QStringLiteral("usuarios"), m_fixture->folder(),
                QStringLiteral("--format"), format, QStringLiteral("--out"), out});
    QVERIFY(tool.waitForFinished(120000));
    const QString output = QString::fromUtf8(tool.readAll());
    QVERIFY2(tool.exitStatus() == QProcess::NormalExit && tool.exitCode() == 0, qPrintable(output));
    QVERIFY(QFileInfo(out).size() > 0);
}

void TestRelatorioUsuarios::toolReadsTheFolderNamedFromWhereItStarted_data()
{
    QTest::addColumn<QString>("folder");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("printed");
    QTest::newRow("relative") << "." << 0 << "Relatório gravado: ";
    QTest::newRow("missing") << "nao-existe" << 1 << "Pasta não encontrada: nao-existe";
}

void TestRelatorioUsuarios::toolReadsTheFolderNamedFromWhereItStarted()
{
    QFETCH(QString, folder);
    QFETCH(int, exitCode);
    QFETCH(QString, printed);

    QProcess tool;
    tool.setWorkingDirectory(m_fixture->folder());
    tool.setProcessChannelMode(QProcess::MergedChannels);
    tool.start(UsersReportFixture::tool(),
               {QStringLiteral("report"), QStringLiteral("usuarios"), folder, QStringLiteral("--format"),
                QStringLiteral("csv"), QStringLiteral("--out"), QStringLiteral("usuarios.csv")});
    QVERIFY(tool.waitForFinished(120000));
    const QString output = QString::fromUtf8(tool.readAll());
    QVERIFY2(tool.exitStatus() == QProcess::NormalExit && tool.exitCode() == exitCode, qPrintable(output));
    QVERIFY2(output.contains(printed), qPrintable(output));
    // The file named relative to where the command was given, there only when the report ran.
    QCOMPARE(QFileInfo::exists(m_fixture->path(QStringLiteral("usuarios.csv"))), exitCode == 0);
}

QTEST_GUILESS_MAIN(TestRelatorioUsuarios)
#include "tst_relatoriousuarios.moc"
