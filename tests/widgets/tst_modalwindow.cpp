#include "widgets/ModalWindow.h"

#include <QApplication>
#include <QDialog>
#include <QTest>
#include <QTimer>

// A command's window, once closed, gives the activation back to the window it was opened from,
// also where the window system left it on another window.
class TestModalWindow : public QObject
{
    Q_OBJECT

private slots:
    void ownerIsActiveAgainAfterwards();
};

void TestModalWindow::ownerIsActiveAgainAfterwards()
{
    QWidget owner;
    owner.show();
    QVERIFY(QTest::qWaitForWindowActive(&owner));
    QWidget elsewhere;
    elsewhere.show();

    QDialog *window = nullptr;
    ModalWindow::run(
        window, [&] { return new QDialog(&owner); },
        [&](QDialog &dialog) {
            QTimer::singleShot(0, &dialog, [&] {
                elsewhere.activateWindow();
                dialog.accept();
            });
        });
    QVERIFY(!window);
    QTRY_COMPARE(QApplication::activeWindow(), &owner);
}

QTEST_MAIN(TestModalWindow)
#include "tst_modalwindow.moc"
