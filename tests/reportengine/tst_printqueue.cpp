#include "MissingRequirement.h"
#include "PrivateCups.h"
#include "SampleReport.h"

#include "reportengine/ReportDocument.h"
#include "reportengine/ui/ReportPrinter.h"

#include <QPrinter>
#include <QTest>

// Printing to a queue of a print service of the test's own: a job the queue takes reaches it;
// a queue that refuses jobs is said so, rather than nothing printed without a word.
class TestPrintQueue : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void jobReachesTheQueueOrTheRefusalIsSaid_data();
    void jobReachesTheQueueOrTheRefusalIsSaid();

private:
    std::unique_ptr<PrivateCups> m_cups;
};

void TestPrintQueue::initTestCase()
{
    m_cups = std::make_unique<PrivateCups>();
    if (!m_cups->failure().isEmpty())
        SKIP_FOR_MISSING(QStringLiteral("no private print service: ") + m_cups->failure());
    // Before the first printer is made: Qt's print support and CUPS read it from here on.
    qputenv("CUPS_SERVER", m_cups->server().toUtf8());
}

void TestPrintQueue::jobReachesTheQueueOrTheRefusalIsSaid_data()
{
    QTest::addColumn<QString>("queue");
    QTest::addColumn<bool>("rejecting");
    QTest::addColumn<QString>("failure");
    QTest::newRow("queue taking jobs") << PrivateCups::queue() << false << QString();
    QTest::newRow("queue refusing jobs (cupsreject)")
        << PrivateCups::queue() << true
        << QStringLiteral("A fila da impressora %1 não está aceitando trabalhos: nada foi impresso. Peça ao "
                          "administrador que a libere (cupsaccept %1) ou escolha outra impressora.")
               .arg(PrivateCups::queue());
}

void TestPrintQueue::jobReachesTheQueueOrTheRefusalIsSaid()
{
    QFETCH(QString, queue);
    QFETCH(bool, rejecting);
    const int jobsBefore = m_cups->jobCount();
    QVERIFY(rejecting ? m_cups->reject() : m_cups->accept());
    SampleReport sample(80);
    const auto document = sample.report.generate();
    QPrinter printer(QPrinter::HighResolution);
    printer.setPrinterName(queue);
    ReportPrinter::configure(printer, *document);

    QTEST(ReportPrinter::print(*document, printer), "failure");
    QCOMPARE(m_cups->jobCount(), jobsBefore + (rejecting ? 0 : 1));
}

QTEST_MAIN(TestPrintQueue)
#include "tst_printqueue.moc"
