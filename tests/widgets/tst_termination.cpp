#include "widgets/Termination.h"

#include <QApplication>
#include <QDialog>
#include <QTest>
#include <QTimer>

// A termination request ends the main event loop, whatever loop is running when it is made.
class TestTermination : public QObject
{
    Q_OBJECT

private slots:
    void init() { resetTermination(); }
    void boxOpenWhenRequestedStaysUntilClosed();
    void boxBeforeTheMainLoopDoesNotSpendTheRequest();

private:
    // Runs the main loop, ended by force after a while should the request be lost.
    int runMainLoop()
    {
        QTimer::singleShot(10000, [] { QCoreApplication::exit(2); });
        return QApplication::exec();
    }
};

void TestTermination::boxOpenWhenRequestedStaysUntilClosed()
{
    bool openAfterRequest = false;
    bool boxReturned = false;
    QTimer::singleShot(0, [&] {
        QDialog box;
        QTimer::singleShot(0, [] { requestTermination(); });
        // Some turns of the box's loop after the request: the box must still be there to be read.
        QTimer::singleShot(300, &box, [&] {
            openAfterRequest = box.isVisible();
            box.accept();
        });
        box.exec();
        boxReturned = true;
    });
    QCOMPARE(runMainLoop(), 0);
    QVERIFY(openAfterRequest);
    QVERIFY(boxReturned);
}

void TestTermination::boxBeforeTheMainLoopDoesNotSpendTheRequest()
{
    requestTermination();
    QDialog box;
    QTimer::singleShot(100, &box, &QDialog::accept);
    box.exec();
    QCOMPARE(runMainLoop(), 0);
}

QTEST_MAIN(TestTermination)
#include "tst_termination.moc"
