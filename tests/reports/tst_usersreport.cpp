#include "../reportengine/ReportTestTools.h"
#include "UsersReportFixture.h"

#include <QRegularExpression>
#include <QTest>

using namespace ReportTestTools;

namespace
{

const QColor kMoneyGreen(192, 220, 192);
const QColor kWhite(255, 255, 255);
const QColor kSilver(192, 192, 192);
constexpr int kDpi = 72;

// Middle of the n-th detail row (from 1) of a page, right of the CPF column.
double rowMiddleMm(int row)
{
    return 10 + 28.3 + 10.6 + (row - 1) * 4.0 + 2.0;
}

} // namespace

// The base folder holds 1234 users: 34 pages of 37 rows, the last with 13 rows and the total.
class TestUsersReport : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void pdfRepeatsTheHeadingOnEveryPageAndTotalsOnTheLast();
    void rowColoursRunOnAcrossPages_data();
    void rowColoursRunOnAcrossPages();
    void csvListsEveryUserOnceInCodeOrder();
    void textListsHeadingsOnceAndTheTotalLast_data();
    void textListsHeadingsOnceAndTheTotalLast();
    void htmlIsOneFileWithoutPageLinks();
    void headingShowsTheWorkingYear_data();
    void headingShowsTheWorkingYear();
    void threeUsersInCodeOrder();
    void noUsersKeepsTheTotalPlaceholder();
    void headingWithoutLogo_data();
    void headingWithoutLogo();
    void otherClientsPrintWithoutBandColours();
    void failuresEndTheRunWithoutAFile_data();
    void failuresEndTheRunWithoutAFile();
    void badCommandLines_data();
    void badCommandLines();

private:
    QString generate(UsersReportFixture &fixture, const QString &format, const QStringList &more = {});

    QTemporaryDir m_base;
};

void TestUsersReport::initTestCase()
{
    QVERIFY(m_base.isValid());
    QVERIFY(UsersReportFixture::createBase(m_base.path(), 1233));
}

QString TestUsersReport::generate(UsersReportFixture &fixture, const QString &format, const QStringList &more)
{
    const QString out = fixture.path(QStringLiteral("usuarios.") + format);
    const UsersReportFixture::Run run = fixture.report(format, out, more);
    if (run.exitCode != 0) {
        qWarning().noquote() << run.errors;
        return {};
    }
    return out;
}

void TestUsersReport::pdfRepeatsTheHeadingOnEveryPageAndTotalsOnTheLast()
{
    UsersReportFixture fixture(m_base.path());
    const QString pdf =
        generate(fixture, QStringLiteral("pdf"), {QStringLiteral("--periodo"), QStringLiteral("12/2017")});
    QVERIFY(!pdf.isEmpty());

    QCOMPARE(pdfInfo(pdf, "Pages"), QStringLiteral("34"));
    const QDate created = QDate::fromString(pdfInfo(pdf, "CreationDate").left(10), Qt::ISODate);
    QVERIFY(created.isValid() && created.daysTo(QDate::currentDate()) <= 1);

    const QStringList pages = pdfText(pdf).split(u'\f', Qt::SkipEmptyParts);
    QCOMPARE(pages.size(), 34);
    for (int page = 1; page <= 34; ++page) {
        const QString text = pages[page - 1].simplified();
        for (const QString &heading :
             {QStringLiteral("ESTADO DE"), QStringLiteral("PREFEITURA MUNICIPAL"),
              QStringLiteral("Relatório dos Usuários"), QStringLiteral("Exercício : 2017"),
              QStringLiteral("Código Usuário"), QStringLiteral("Pág. %1").arg(page)}) {
            QVERIFY2(text.contains(heading),
                     qPrintable(QStringLiteral("page %1: %2").arg(page).arg(heading)));
        }
        QCOMPARE(text.contains(QStringLiteral("Total de Registros")), page == 34);
    }
    QVERIFY(pages[33].simplified().contains(QStringLiteral("Total de Registros : 1,234")));
    QVERIFY(readFile(pdf).contains("(P\xE1g.  34) Tj"));
    // The logo prints on every page from one embedded picture.
    const QByteArray bytes = readFile(pdf);
    QCOMPARE(bytes.count("/Subtype /Image"), qsizetype(1));
    QCOMPARE(bytes.count(" Do Q"), qsizetype(34));
    for (const int page : {1, 34}) {
        const QImage image = pdfPageImage(pdf, page, kDpi);
        int ink = 0;
        for (int y = int(12.4 * kDpi / 25.4); y < int(37.8 * kDpi / 25.4); ++y) {
            for (int x = int(12.6 * kDpi / 25.4); x < int(37.7 * kDpi / 25.4); ++x)
                ink += qGray(image.pixel(x, y)) < 200;
        }
        QVERIFY2(ink > 100, qPrintable(QStringLiteral("logo on page %1").arg(page)));
    }
}

void TestUsersReport::rowColoursRunOnAcrossPages_data()
{
    QTest::addColumn<int>("page");
    QTest::addColumn<int>("row");
    QTest::addColumn<QColor>("colour");

    QTest::newRow("user 1") << 1 << 1 << kMoneyGreen;
    QTest::newRow("user 2") << 1 << 2 << kWhite;
    QTest::newRow("user 3") << 1 << 3 << kMoneyGreen;
    QTest::newRow("user 37, foot of page 1") << 1 << 37 << kMoneyGreen;
    QTest::newRow("user 38, top of page 2") << 2 << 1 << kWhite;
    QTest::newRow("user 39") << 2 << 2 << kMoneyGreen;
    QTest::newRow("user 75, top of page 3") << 3 << 1 << kMoneyGreen;
}

void TestUsersReport::rowColoursRunOnAcrossPages()
{
    QFETCH(int, page);
    QFETCH(int, row);
    QFETCH(QColor, colour);

    static UsersReportFixture fixture(m_base.path());
    static const QString pdf = generate(fixture, QStringLiteral("pdf"));
    const QImage image = pdfPageImage(pdf, page, kDpi);
    QVERIFY(!image.isNull());
    const QColor seen = colourAtMm(image, 275, rowMiddleMm(row), kDpi);
    QVERIFY2(near(seen, colour), qPrintable(seen.name()));
    QVERIFY(near(colourAtMm(image, 275, 10 + 28.3 + 3, kDpi), kSilver));
}

void TestUsersReport::csvListsEveryUserOnceInCodeOrder()
{
    UsersReportFixture fixture(m_base.path());
    const QString csv = generate(fixture, QStringLiteral("csv"));
    const QList<QStringList> rows = parseCsv(QString::fromUtf8(readFile(csv)), u';');

    QCOMPARE(rows.size(), 1235);
    QCOMPARE(rows[0], (QStringList{"Código", "Usuário", "C P F"}));
    QCOMPARE(rows[1].value(1), QStringLiteral("ADMINISTRADOR"));
    for (int row = 1; row < rows.size(); ++row) {
        QCOMPARE(rows[row].size(), 3);
        QCOMPARE(rows[row][0], QStringLiteral("%1").arg(row, 4, 10, QLatin1Char('0')));
        QVERIFY(QRegularExpression(QStringLiteral("^\\d{3}\\.\\d{3}\\.\\d{3}-\\d{2}$"))
                    .match(rows[row][2])
                    .hasMatch());
    }
}

void TestUsersReport::textListsHeadingsOnceAndTheTotalLast_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QString>("total");

    QTest::newRow("workstation in C") << "C.UTF-8"
                                      << "Total de Registros : 1,234";
    QTest::newRow("workstation in Brazilian Portuguese") << "pt_BR.UTF-8"
                                                         << "Total de Registros : 1.234";
}

void TestUsersReport::textListsHeadingsOnceAndTheTotalLast()
{
    QFETCH(QString, locale);
    QFETCH(QString, total);

    UsersReportFixture fixture(m_base.path());
    const QString out = fixture.path(QStringLiteral("usuarios.txt"));
    const UsersReportFixture::Run run = fixture.report(QStringLiteral("txt"), out, {}, locale);
    QVERIFY2(run.exitCode == 0, qPrintable(run.errors));
    const QStringList lines = QString::fromUtf8(readFile(out)).split(u'\n', Qt::SkipEmptyParts);

    QCOMPARE(lines.filter(QStringLiteral("Relatório dos Usuários")).size(), 1);
    QCOMPARE(lines.filter(QStringLiteral("Exercício : 2018")).size(), 1);
    QCOMPARE(lines.filter(QRegularExpression(QStringLiteral("^ Código +Usuário +C P F$"))).size(), 1);
    QCOMPARE(lines.filter(QRegularExpression(QStringLiteral("^  \\d{4}  "))).size(), 1234);
    // The total closes the listing, between the summary's two lines.
    QCOMPARE(lines[lines.size() - 2], total);
    QVERIFY(lines.last().startsWith(QStringLiteral("-----")));
}

void TestUsersReport::htmlIsOneFileWithoutPageLinks()
{
    UsersReportFixture fixture(m_base.path());
    const QString out = generate(fixture, QStringLiteral("html"));
    QCOMPARE(QDir(fixture.folder()).entryList({QStringLiteral("usuarios*")}).size(), 1);
    const QString html = QString::fromUtf8(readFile(out));

    QCOMPARE(html.count(QStringLiteral("<div class=\"page\"")), 34);
    QVERIFY(!html.contains(QStringLiteral("<a "), Qt::CaseInsensitive));
    QVERIFY(!html.contains(QStringLiteral("href=\"http"), Qt::CaseInsensitive));
    QVERIFY(html.contains(QStringLiteral("background:#c0dcc0")));
    QVERIFY(html.contains(QStringLiteral("background:#c0c0c0")));
    QCOMPARE(html.count(QStringLiteral("data:image/png;base64,")), 1);
    QCOMPARE(html.count(QStringLiteral("Pág.  ")), 34);
    QCOMPARE(html.count(QStringLiteral("Total de Registros : 1,234")), 1);
}

void TestUsersReport::headingShowsTheWorkingYear_data()
{
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<QString>("heading");

    QTest::newRow("period chosen") << QStringList{"--periodo", "12/2017"} << "Exercício : 2017";
    QTest::newRow("profile's period") << QStringList{} << "Exercício : 2018";
}

void TestUsersReport::headingShowsTheWorkingYear()
{
    QFETCH(QStringList, options);
    QFETCH(QString, heading);

    UsersReportFixture fixture(m_base.path());
    fixture.exec(QStringLiteral("DELETE FROM USUARIOS_ESTOC WHERE IDUSUARIO > '0001'"));
    const QString pdf = generate(fixture, QStringLiteral("pdf"), options);
    QVERIFY(pdfText(pdf).simplified().contains(heading));
}

void TestUsersReport::threeUsersInCodeOrder()
{
    UsersReportFixture fixture(m_base.path());
    fixture.exec(QStringLiteral("DELETE FROM USUARIOS_ESTOC"));
    // Stored out of order: the report orders by code.
    for (const char *values : {"'0003', 'CARLOS', '333.333.333-33'", "'0001', 'ANA', '111.111.111-11'",
                               "'0002', 'BRUNO', '222.222.222-22'"}) {
        fixture.exec(QStringLiteral("INSERT INTO USUARIOS_ESTOC (IDUSUARIO, USUARIO, CPF) VALUES (%1)")
                         .arg(QLatin1String(values)));
    }
    const QString pdf = generate(fixture, QStringLiteral("pdf"));
    QCOMPARE(pdfInfo(pdf, "Pages"), QStringLiteral("1"));
    const QString text = pdfText(pdf).simplified();
    QVERIFY(text.contains(
        QStringLiteral("0001 ANA 111.111.111-11 0002 BRUNO 222.222.222-22 0003 CARLOS 333.333.333-33")));
    QVERIFY(text.contains(QStringLiteral("Total de Registros : 003")));

    const QImage image = pdfPageImage(pdf, 1, kDpi);
    const QList<QColor> expected{kMoneyGreen, kWhite, kMoneyGreen};
    for (int row = 1; row <= 3; ++row)
        QVERIFY2(near(colourAtMm(image, 275, rowMiddleMm(row), kDpi), expected[row - 1]),
                 qPrintable(QString::number(row)));
}

void TestUsersReport::noUsersKeepsTheTotalPlaceholder()
{
    UsersReportFixture fixture(m_base.path());
    fixture.exec(QStringLiteral("DELETE FROM USUARIOS_ESTOC"));
    const QString pdf = generate(fixture, QStringLiteral("pdf"));
    QCOMPARE(pdfInfo(pdf, "Pages"), QStringLiteral("1"));
    const QString text = pdfText(pdf).simplified();
    QVERIFY(text.contains(QStringLiteral("Código Usuário")));
    QVERIFY(readFile(pdf).contains("(T O T A L) Tj"));
    QVERIFY(!text.contains(QStringLiteral("Total de Registros")));
    const QImage image = pdfPageImage(pdf, 1, kDpi);
    QVERIFY(near(colourAtMm(image, 275, rowMiddleMm(1), kDpi), kWhite));

    const QString csv = generate(fixture, QStringLiteral("csv"));
    QCOMPARE(QString::fromUtf8(readFile(csv)), QStringLiteral("Código;Usuário;C P F\r\n"));
}

void TestUsersReport::headingWithoutLogo_data()
{
    QTest::addColumn<QString>("sql");
    QTest::newRow("no organisation row 1") << "DELETE FROM ORGAOS";
    QTest::newRow("organisation without logo") << "UPDATE ORGAOS SET B_LOGOMARCA = NULL";
}

void TestUsersReport::headingWithoutLogo()
{
    QFETCH(QString, sql);
    UsersReportFixture fixture(m_base.path());
    fixture.exec(sql);
    const QString pdf = generate(fixture, QStringLiteral("pdf"));
    QVERIFY(!pdf.isEmpty());
    QVERIFY(!readFile(pdf).contains("/Subtype /Image"));
    QVERIFY(pdfText(pdf).simplified().contains(QStringLiteral("Relatório dos Usuários")));
}

// Outside the built-in profile (client code 1) the colours are empty: no band takes a colour.
void TestUsersReport::otherClientsPrintWithoutBandColours()
{
    UsersReportFixture fixture(m_base.path());
    fixture.writeClientCode(2);
    const QString pdf = generate(fixture, QStringLiteral("pdf"));
    QVERIFY(!pdf.isEmpty());
    const QImage image = pdfPageImage(pdf, 1, kDpi);
    QVERIFY(!image.isNull());
    for (const double top : {10 + 28.3 + 3, rowMiddleMm(1), rowMiddleMm(2)}) {
        const QColor seen = colourAtMm(image, 275, top, kDpi);
        QVERIFY2(near(seen, kWhite), qPrintable(QStringLiteral("%1 mm: %2").arg(top).arg(seen.name())));
    }
    QVERIFY(pdfText(pdf).simplified().contains(QStringLiteral("Código Usuário")));
}

void TestUsersReport::failuresEndTheRunWithoutAFile_data()
{
    QTest::addColumn<QString>("failure");
    QTest::addColumn<QString>("message");

    QTest::newRow("logo that is no JPEG") << "logo"
                                          << "JPEG";
    QTest::newRow("database missing") << "database"
                                      << "Falha ao ler o banco de dados";
}

void TestUsersReport::failuresEndTheRunWithoutAFile()
{
    QFETCH(QString, failure);
    QFETCH(QString, message);

    UsersReportFixture fixture(m_base.path());
    if (failure == QLatin1String("logo"))
        fixture.exec(QStringLiteral("UPDATE ORGAOS SET B_LOGOMARCA = :BLOB"),
                     QByteArray("GIF89a, not a JPEG"));
    else
        QVERIFY(QFile::remove(fixture.path(QStringLiteral("LICITACAO.FDB"))));

    for (const QString &format : {QStringLiteral("pdf"), QStringLiteral("csv")}) {
        const QString out = fixture.path(QStringLiteral("falha.") + format);
        const UsersReportFixture::Run run = fixture.report(format, out);
        QCOMPARE(run.exitCode, 1);
        QVERIFY2(run.errors.contains(message), qPrintable(run.errors));
        QVERIFY(!QFile::exists(out));
    }
}

void TestUsersReport::badCommandLines_data()
{
    QTest::addColumn<QString>("format");
    QTest::addColumn<QStringList>("more");

    QTest::newRow("unknown format") << "xls" << QStringList{};
    QTest::newRow("month 13") << "pdf" << QStringList{"--periodo", "13/2017"};
    QTest::newRow("year of two digits") << "pdf" << QStringList{"--periodo", "12/17"};
    QTest::newRow("stray argument") << "pdf" << QStringList{"--paginas"};
}

void TestUsersReport::badCommandLines()
{
    QFETCH(QString, format);
    QFETCH(QStringList, more);

    UsersReportFixture fixture(m_base.path());
    const QString out = fixture.path(QStringLiteral("lista.pdf"));
    const UsersReportFixture::Run run = fixture.report(format, out, more);
    QCOMPARE(run.exitCode, 2);
    QVERIFY(run.errors.contains(QStringLiteral("Uso:")));
    QVERIFY(!QFile::exists(out));
}

QTEST_MAIN(TestUsersReport)
#include "tst_usersreport.moc"
