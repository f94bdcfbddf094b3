#include "DialogScript.h"
#include "db/FbError.h"
#include "shell/EstocariumApplication.h"
#include "tests/shell/ModalHelper.h"
#include "widgets/ModalWindow.h"
#include "widgets/Termination.h"

#include <QTest>

namespace
{

// Stands for a command's window: counts itself, and fails where told.
class FakeWindow : public QWidget
{
public:
    static inline int alive = 0;
    static inline int shown = 0;
    FakeWindow() { ++alive; }
    ~FakeWindow() override { --alive; }
    int exec()
    {
        ++shown;
        if (failOnExec)
            throw fb::Error("falha ao mostrar");
        return 0;
    }
    bool failOnExec = false;
};

FakeWindow *Frm_Fake = nullptr;

} // namespace

// The way the main window runs the windows of its commands, also when running them fails.
class TestModalWindow : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void windowAlwaysReleased_data();
    void windowAlwaysReleased();
    void errorReportedAfterRestartMessage();
};

void TestModalWindow::init()
{
    FakeWindow::alive = 0;
    FakeWindow::shown = 0;
    Frm_Fake = nullptr;
}

void TestModalWindow::cleanup()
{
    discardTermination();
}

void TestModalWindow::windowAlwaysReleased_data()
{
    QTest::addColumn<QString>("failure"); // "", "before show", "exec"
    QTest::addColumn<bool>("restart");
    QTest::addColumn<bool>("existing");
    for (const bool restart : {false, true}) {
        const char *kind = restart ? "restart" : "plain";
        QTest::addRow("%s, runs", kind) << "" << restart << false;
        QTest::addRow("%s, existing window reused", kind) << "" << restart << true;
        QTest::addRow("%s, fails before showing", kind) << "before show" << restart << false;
        QTest::addRow("%s, fails while shown", kind) << "exec" << restart << false;
    }
}

void TestModalWindow::windowAlwaysReleased()
{
    QFETCH(QString, failure);
    QFETCH(bool, restart);
    QFETCH(bool, existing);
    DialogScript dialogs;
    if (existing)
        Frm_Fake = new FakeWindow;
    FakeWindow *created = nullptr;
    const auto create = [&] {
        created = new FakeWindow;
        created->failOnExec = failure == "exec";
        return created;
    };
    const auto beforeShow = [&](FakeWindow &window) {
        QCOMPARE(&window, Frm_Fake);
        if (failure == "before show")
            throw fb::Error("falha antes de mostrar");
    };

    bool thrown = false;
    try {
        if (restart)
            ModalWindow::runThenRestart(nullptr, "reinicia", Frm_Fake, create, beforeShow);
        else
            ModalWindow::run(Frm_Fake, create, beforeShow);
    } catch (const fb::Error &) {
        thrown = true;
    }

    QCOMPARE(thrown, !failure.isEmpty());
    QCOMPARE(created == nullptr, existing);
    QCOMPARE(FakeWindow::shown, failure == "before show" ? 0 : 1);
    QCOMPARE(Frm_Fake, nullptr);
    QCOMPARE(FakeWindow::alive, 0);
    QCOMPARE(dialogs.texts(), restart ? QStringList{"reinicia"} : QStringList{});
    QCOMPARE(terminationRequested(), restart);
}

void TestModalWindow::errorReportedAfterRestartMessage()
{
    DialogScript dialogs;
    // Run as the main window runs it: inside an event, under the general error handler.
    QMetaObject::invokeMethod(
        qApp,
        [] {
            ModalWindow::runThenRestart(nullptr, "reinicia", Frm_Fake, [] {
                auto *window = new FakeWindow;
                window->failOnExec = true;
                return window;
            });
        },
        Qt::QueuedConnection);
    QTRY_COMPARE(dialogs.seen().size(), 2);
    QCOMPARE(dialogs.seen().at(0).kind, Dialogs::Kind::Message);
    QCOMPARE(dialogs.seen().at(0).text, QStringLiteral("reinicia"));
    QCOMPARE(dialogs.seen().at(1).kind, Dialogs::Kind::Error);
    QCOMPARE(dialogs.seen().at(1).text, QStringLiteral("falha ao mostrar"));
    QCOMPARE(FakeWindow::alive, 0);
}

int main(int argc, char **argv)
{
    EstocariumApplication app(argc, argv);
    TestModalWindow test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_modalwindow.moc"
