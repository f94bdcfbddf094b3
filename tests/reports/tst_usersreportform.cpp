#include "../reportengine/ReportTestTools.h"
#include "DialogScript.h"
#include "UsersReportSession.h"

#include "db/FbError.h"
#include "reportengine/ui/ReportPreview.h"
#include "reports/ReportExportFilters.h"
#include "reports/ui/ExecutaRelatorioUsuarios.h"
#include "reports/ui/TFrm_Relatorio200.h"
#include "session/TdmPrincipal.h"
#include "session/uTotal.h"

#include <QApplication>
#include <QTest>
#include <QTimer>

using namespace ReportTestTools;

// The menu command in the program's own process, on a working folder with 40 users.
class TestUsersReportForm : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void menuCommandPreviewsTheReportAndReleasesTheForm();
    void twoRunsInOneProgramRunGiveTheSameOutput();
    void failuresLeaveTheCommandAndReleaseTheForm_data();
    void failuresLeaveTheCommandAndReleaseTheForm();

private:
    struct PreviewVisit {
        bool shown = false;
        bool maximised = false;
        bool formAlive = false;
    };
    // Runs the command; while the preview is open, saves it to saveAs (through the save dialog) and closes
    // it.
    PreviewVisit runCommand(QWidget *owner, const QString &caption, const QString &saveAs);

    QTemporaryDir m_base;
    std::unique_ptr<UsersReportFixture> m_fixture;
    std::unique_ptr<UsersReportSession> m_session;
    ReportExportFilters m_filters;
};

void TestUsersReportForm::initTestCase()
{
    QVERIFY(m_base.isValid());
    QVERIFY(UsersReportFixture::createBase(m_base.path(), 39));
}

void TestUsersReportForm::init()
{
    m_fixture = std::make_unique<UsersReportFixture>(m_base.path());
    m_session = std::make_unique<UsersReportSession>(*m_fixture);
}

void TestUsersReportForm::cleanup()
{
    m_session.reset();
    m_fixture.reset();
}

TestUsersReportForm::PreviewVisit TestUsersReportForm::runCommand(QWidget *owner, const QString &caption,
                                                                  const QString &saveAs)
{
    PreviewVisit visit;
    DialogScript dialogs;
    dialogs.answer(true, saveAs);
    QTimer::singleShot(0, owner, [&] {
        auto *preview = qobject_cast<ReportPreview *>(QApplication::activeModalWidget());
        if (!preview)
            return;
        visit.shown = true;
        visit.maximised = preview->windowState() & Qt::WindowMaximized;
        visit.formAlive = Frm_Relatorio200 != nullptr;
        preview->save();
        preview->accept();
    });
    executaRelatorioUsuarios(owner, caption, m_filters);
    return visit;
}

void TestUsersReportForm::menuCommandPreviewsTheReportAndReleasesTheForm()
{
    QWidget owner;
    const QString csv = m_fixture->path(QStringLiteral("usuarios.csv"));
    const PreviewVisit visit = runCommand(&owner, QStringLiteral("Relatório dos &Usuários"), csv);

    QVERIFY(visit.shown);
    QVERIFY(visit.maximised);
    QVERIFY(visit.formAlive);
    QCOMPARE(Frm_Relatorio200, nullptr);
    QVERIFY(owner.findChildren<TFrm_Relatorio200 *>().isEmpty());
    QCOMPARE(TituloRelatorio, QStringLiteral("Relatório dos Usuários"));
    const QList<QStringList> rows = parseCsv(QString::fromUtf8(readFile(csv)), u';');
    QCOMPARE(rows.size(), 41);
    QCOMPARE(rows[40].value(0), QStringLiteral("0040"));
}

void TestUsersReportForm::twoRunsInOneProgramRunGiveTheSameOutput()
{
    QWidget owner;
    QStringList outputs;
    for (const QString &name : {QStringLiteral("primeira"), QStringLiteral("segunda")}) {
        const QString html = m_fixture->path(name + QStringLiteral(".htm"));
        QVERIFY(runCommand(&owner, QStringLiteral("Relatório dos Usuários"), html).shown);
        outputs << QString::fromUtf8(readFile(html));
    }
    QVERIFY(outputs[0].contains(QStringLiteral("Total de Registros : 040")));
    QVERIFY(outputs[0].contains(QStringLiteral("Exercício : 2017")));
    QCOMPARE(outputs[0].count(QStringLiteral("background:#c0dcc0")), 20);
    QCOMPARE(outputs[1], outputs[0]);
}

void TestUsersReportForm::failuresLeaveTheCommandAndReleaseTheForm_data()
{
    QTest::addColumn<QString>("failure");
    QTest::addColumn<QString>("message");

    QTest::newRow("column heading colour not a colour") << "colour"
                                                        << "'clCinza' não é um valor de cor válido";
    QTest::newRow("row colour not a colour") << "row colour"
                                             << "'clVerdeClaro' não é um valor de cor válido";
    QTest::newRow("logo that is no JPEG") << "logo"
                                          << "JPEG";
    QTest::newRow("database error") << "database"
                                    << "";
}

void TestUsersReportForm::failuresLeaveTheCommandAndReleaseTheForm()
{
    QFETCH(QString, failure);
    QFETCH(QString, message);

    if (failure == QLatin1String("colour"))
        Cor_Cabecalho = QStringLiteral("clCinza");
    else if (failure == QLatin1String("row colour"))
        Cor_Pauta_False = QStringLiteral("clVerdeClaro");
    else if (failure == QLatin1String("logo"))
        m_fixture->exec(QStringLiteral("UPDATE ORGAOS SET B_LOGOMARCA = :BLOB"), QByteArray(2000, 'x'));
    else
        dmPrincipal->NimboConnection->setParam(QStringLiteral("Database"),
                                               m_fixture->path(QStringLiteral("NAO.FDB")));

    QWidget owner;
    QString caught;
    bool databaseError = false;
    PreviewVisit visit;
    try {
        visit = runCommand(&owner, QStringLiteral("Relatório dos Usuários"),
                           m_fixture->path(QStringLiteral("x.pdf")));
    } catch (const fb::Error &error) {
        databaseError = true;
        caught = error.text();
    } catch (const std::exception &error) {
        caught = QString::fromUtf8(error.what());
    }

    QVERIFY2(!caught.isEmpty(), "the command reported no failure");
    QVERIFY2(caught.contains(message), qPrintable(caught));
    QCOMPARE(databaseError, failure == QLatin1String("database"));
    QVERIFY(!visit.shown);
    QCOMPARE(Frm_Relatorio200, nullptr);
    QVERIFY(owner.findChildren<TFrm_Relatorio200 *>().isEmpty());
}

QTEST_MAIN(TestUsersReportForm)
#include "tst_usersreportform.moc"
