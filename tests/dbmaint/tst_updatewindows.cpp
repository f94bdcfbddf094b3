#include "DialogScript.h"
#include "PreparedSchema.h"
#include "SchemaInspection.h"
#include "UncommittedPurchase.h"
#include "db/Decimal.h"
#include "db/SqlQuery.h"
#include "dbmaint/ui/Gauge.h"
#include "dbmaint/ui/TFrm_AtualizaII.h"
#include "dbmaint/ui/TFrm_AtualizarBanco.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPushButton>
#include <QTest>
#include <memory>

namespace
{

// What the window looked like at each step of a run.
struct Steps {
    QList<int> progress;
    bool buttonsStayedOff = true;

    void watch(CatalogueWindow &window)
    {
        QObject::connect(window.Gauge1, &Gauge::advanced, [this, &window](int p) {
            progress << p;
            buttonsStayedOff =
                buttonsStayedOff && !window.FBAtualiza->isEnabled() && !window.FBSair->isEnabled();
        });
    }
};

QList<int> oneTo(int last)
{
    QList<int> values;
    for (int i = 1; i <= last; ++i)
        values << i;
    return values;
}

qint64 attachmentId(TestDatabase &db)
{
    return db.scalar("SELECT CURRENT_CONNECTION FROM RDB$DATABASE").toLongLong();
}

qint64 userTriggers(TestDatabase &db)
{
    return db.scalar("SELECT COUNT(*) FROM RDB$TRIGGERS WHERE COALESCE(RDB$SYSTEM_FLAG, 0) = 0").toLongLong();
}

// Queues a click on button as the window system would while the run holds the thread.
void queueClick(QPushButton *button)
{
    const QPointF centre = QRectF(button->rect()).center();
    for (const QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
        QCoreApplication::postEvent(
            button, new QMouseEvent(type, centre, button->mapToGlobal(centre), Qt::LeftButton,
                                    type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton,
                                    Qt::NoModifier));
    }
}

void queueKey(QWidget *target, int key)
{
    for (const QEvent::Type type : {QEvent::KeyPress, QEvent::KeyRelease})
        QCoreApplication::postEvent(target, new QKeyEvent(type, key, Qt::NoModifier));
}

} // namespace

class TestUpdateWindows : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void windows_showTheirComponents_data();
    void windows_showTheirComponents();
    void fechar_closesTheWindow();
    void updateI_createsTheSchemaSilently();
    void updateI_secondRunInTheSameShowingStaysAtTheFullBar();
    void inputDuringARun_isDropped_data();
    void inputDuringARun_isDropped();
    void updateII_installsTheTriggersOnFreshConnections();
    void updateII_secondRunStartsAtZeroAndKeepsTheTriggers();
    void updateII_withoutTables_changesNothingAndSaysSo();
    void failedConnection_stopsTheRunWithTheErrorBox_data();
    void failedConnection_stopsTheRunWithTheErrorBox();
    void uncommittedRowsElsewhere_areListedAndNothingIsLost();

private:
    std::unique_ptr<PreparedSchema> m_tablesOnly;
};

void TestUpdateWindows::initTestCase()
{
    m_tablesOnly = std::make_unique<PreparedSchema>(PreparedSchema::Triggers::Absent);
}

void TestUpdateWindows::cleanupTestCase()
{
    m_tablesOnly.reset();
}

void TestUpdateWindows::windows_showTheirComponents_data()
{
    QTest::addColumn<bool>("second");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QSize>("size");
    QTest::newRow("update I") << false << "Atualizar Banco de Dados" << QSize(484, 137);
    QTest::newRow("update II") << true << "Atualiza Banco de Dados II" << QSize(505, 139);
}

void TestUpdateWindows::windows_showTheirComponents()
{
    QFETCH(bool, second);
    QFETCH(QString, caption);
    QFETCH(QSize, size);
    std::unique_ptr<CatalogueWindow> window;
    TestDatabase db;
    if (second)
        window = std::make_unique<TFrm_AtualizaII>();
    else
        window = std::make_unique<TFrm_AtualizarBanco>();
    window->show();
    QCOMPARE(window->windowTitle(), caption);
    QCOMPARE(window->size(), size);
    QCOMPARE(window->FBAtualiza->text(), QString("Atualizar Banco de Dados"));
    QCOMPARE(window->FBSair->text(), QString("Fechar"));
    QVERIFY(window->FBAtualiza->font().bold() && window->FBSair->font().bold());
    QCOMPARE(window->Gauge1->progress(), 0);
    QVERIFY(window->FBAtualiza->y() < window->Gauge1->y() && window->Gauge1->y() < window->FBSair->y());
    QCOMPARE(window->Gauge1->width(), window->FBAtualiza->width());
    QWidget *next = window->FBAtualiza->nextInFocusChain();
    while (next->focusPolicy() == Qt::NoFocus)
        next = next->nextInFocusChain();
    QCOMPARE(next, window->FBSair);
}

void TestUpdateWindows::fechar_closesTheWindow()
{
    TestDatabase db;
    TFrm_AtualizarBanco window;
    window.show();
    QTest::mouseClick(window.FBSair, Qt::LeftButton);
    QVERIFY(!window.isVisible());
}

void TestUpdateWindows::updateI_createsTheSchemaSilently()
{
    TestDatabase db;
    DialogScript dialogs;
    TFrm_AtualizarBanco window;
    window.show();
    Steps steps;
    steps.watch(window);

    QTest::mouseClick(window.FBAtualiza, Qt::LeftButton);

    QCOMPARE(steps.progress, oneTo(106));
    QVERIFY(steps.buttonsStayedOff);
    QVERIFY(window.FBAtualiza->isEnabled() && window.FBSair->isEnabled());
    QCOMPARE(window.Gauge1->percentDone(), 100);
    QCOMPARE(dialogs.seen().size(), 0);
    QCOMPARE(inspect::tables(db.connection()).size(), 37);
    QCOMPARE(inspect::foreignKeys(db.connection()).size(), 13);
}

void TestUpdateWindows::updateI_secondRunInTheSameShowingStaysAtTheFullBar()
{
    TestDatabase db;
    TFrm_AtualizarBanco window;
    window.show();
    QTest::mouseClick(window.FBAtualiza, Qt::LeftButton);
    Steps steps;
    steps.watch(window);

    QTest::mouseClick(window.FBAtualiza, Qt::LeftButton);

    QCOMPARE(steps.progress, QList<int>(106, 106));
    QVERIFY(window.FBAtualiza->isEnabled() && window.FBSair->isEnabled());
}

void TestUpdateWindows::inputDuringARun_isDropped_data()
{
    QTest::addColumn<QString>("input");
    QTest::newRow("click on Fechar") << "Fechar";
    QTest::newRow("second click on Atualizar") << "Atualizar";
    QTest::newRow("Escape") << "Escape";
    QTest::newRow("Space on the focused button") << "Space";
}

void TestUpdateWindows::inputDuringARun_isDropped()
{
    QFETCH(QString, input);
    TestDatabase db;
    DialogScript dialogs;
    TFrm_AtualizarBanco window;
    window.show();
    window.FBAtualiza->setFocus();
    Steps steps;
    steps.watch(window);
    bool queued = false;
    QObject::connect(window.Gauge1, &Gauge::advanced, [&] {
        if (queued)
            return;
        queued = true;
        if (input == "Fechar")
            queueClick(window.FBSair);
        else if (input == "Atualizar")
            queueClick(window.FBAtualiza);
        else if (input == "Escape")
            queueKey(&window, Qt::Key_Escape);
        else
            queueKey(window.FBAtualiza, Qt::Key_Space);
    });

    QTest::mouseClick(window.FBAtualiza, Qt::LeftButton);
    QCoreApplication::processEvents();

    QVERIFY(window.isVisible());
    QCOMPARE(steps.progress.size(), 106);
    QVERIFY(window.FBAtualiza->isEnabled() && window.FBSair->isEnabled());
    // Usable again as before, by keyboard too: the focus is back on Atualizar, Fechar is next.
    QCOMPARE(QApplication::focusWidget(), window.FBAtualiza);
    QTest::mouseClick(window.FBSair, Qt::LeftButton);
    QVERIFY(!window.isVisible());
}

void TestUpdateWindows::updateII_installsTheTriggersOnFreshConnections()
{
    TestDatabase db;
    m_tablesOnly->copyInto(db);
    DialogScript dialogs;
    TFrm_AtualizaII window;
    window.show();
    Steps steps;
    steps.watch(window);
    const qint64 before = attachmentId(db);

    QTest::mouseClick(window.FBAtualiza, Qt::LeftButton);

    QCOMPARE(steps.progress, oneTo(28));
    QVERIFY(steps.buttonsStayedOff);
    QVERIFY(window.FBAtualiza->isEnabled() && window.FBSair->isEnabled());
    QCOMPARE(dialogs.seen().size(), 0);
    QCOMPARE(userTriggers(db), 14);
    QVERIFY(attachmentId(db) - before >= 14);

    db.exec("INSERT INTO COMPRAPRODUTO (I_REGISTRO) VALUES (1)");
    db.exec("INSERT INTO COMPRAPRODUTO_PARCELAS (I_REGISTRO, I_PARCELA, N_VALOR) VALUES (1, 1, 12.00)");
    QCOMPARE(db.scalar("SELECT N_VALORPARCELADO FROM COMPRAPRODUTO").value<fb::Decimal>().toString(),
             QString("12.00"));
}

void TestUpdateWindows::updateII_secondRunStartsAtZeroAndKeepsTheTriggers()
{
    TestDatabase db;
    m_tablesOnly->copyInto(db);
    TFrm_AtualizaII window;
    window.show();
    QTest::mouseClick(window.FBAtualiza, Qt::LeftButton);
    const QStringList before = inspect::snapshot(db.connection());
    Steps steps;
    steps.watch(window);

    QTest::mouseClick(window.FBAtualiza, Qt::LeftButton);

    QCOMPARE(steps.progress, oneTo(28));
    QCOMPARE(inspect::snapshot(db.connection()), before);
}

void TestUpdateWindows::updateII_withoutTables_changesNothingAndSaysSo()
{
    TestDatabase db;
    DialogScript dialogs;
    TFrm_AtualizaII window;
    window.show();
    const QStringList before = inspect::snapshot(db.connection());
    const qint64 firstAttachment = attachmentId(db);

    QTest::mouseClick(window.FBAtualiza, Qt::LeftButton);

    QCOMPARE(window.Gauge1->percentDone(), 100);
    QVERIFY(window.FBAtualiza->isEnabled() && window.FBSair->isEnabled());
    // The drops find nothing, which is no news; the creations that found no table are listed.
    QCOMPARE(dialogs.seen().size(), 1);
    const QStringList lines = dialogs.seen().first().text.split('\n');
    QCOMPARE(lines.size(), 14 + 2);
    QCOMPARE(lines.at(1),
             QString("posição 2 (COMPRAPRODUTO_PARCELAS_T1): recusada pelo banco de dados; a tabela "
                     "COMPRAPRODUTO_PARCELAS fica sem o gatilho COMPRAPRODUTO_PARCELAS_T1."));
    QCOMPARE(inspect::snapshot(db.connection()), before);
    QVERIFY(attachmentId(db) - firstAttachment >= 14);
}

void TestUpdateWindows::failedConnection_stopsTheRunWithTheErrorBox_data()
{
    QTest::addColumn<bool>("second");
    QTest::addColumn<QString>("database");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("reported");
    const QString missing =
        "Atenção, o arquivo do banco de dados não foi encontrado. Confira a pasta de trabalho e "
        "o caminho configurado em clientes.ini.";
    const QString unreachable =
        "Atenção, não foi possível conectar ao servidor do banco de dados. Confira se ele "
        "está ligado e se a rede funciona, e tente de novo.";
    for (const bool second : {false, true}) {
        const QByteArray update = second ? "update II: " : "update I: ";
        QTest::newRow(update + "file gone") << second << "%1/NAO_EXISTE.FDB" << missing << "NAO_EXISTE.FDB";
        // Nothing listens on port 1: the server cannot be reached.
        QTest::newRow(update + "server unreachable")
            << second << "127.0.0.1/1:%1/LICITACAO.FDB" << unreachable << "127.0.0.1";
    }
}

// The run stops at its first step, with the standard box (never once per position), and says which
// positions it did not reach.
void TestUpdateWindows::failedConnection_stopsTheRunWithTheErrorBox()
{
    QFETCH(bool, second);
    QFETCH(QString, database);
    QFETCH(QString, message);
    QFETCH(QString, reported);
    TestDatabase db;
    DialogScript dialogs;
    // Update II closes an open connection and fails to open it again; update I fails to open it.
    if (second)
        db.connection()->open();
    db.connection()->setParam("Database", database.arg(db.folder()));
    std::unique_ptr<CatalogueWindow> window;
    if (second)
        window = std::make_unique<TFrm_AtualizaII>();
    else
        window = std::make_unique<TFrm_AtualizarBanco>();
    window->show();

    QTest::mouseClick(window->FBAtualiza, Qt::LeftButton);

    QCOMPARE(dialogs.seen().size(), 2);
    QCOMPARE(dialogs.seen().first().kind, Dialogs::Kind::Error);
    QCOMPARE(dialogs.seen().first().text, message);
    QVERIFY2(dialogs.seen().first().detail.contains(reported), qPrintable(dialogs.seen().first().detail));
    const QString last = second ? "28" : "106";
    QCOMPARE(dialogs.seen().at(1).text,
             QString("Atenção, a atualização %1 do banco de dados não foi concluída. Não foram aplicadas:\n"
                     "a atualização parou na posição 1: as posições 1 a %2 não foram concluídas.\n"
                     "Execute a atualização de novo quando as outras estações tiverem saído do sistema.")
                 .arg(second ? "II" : "I", last));
    QVERIFY(!window->FBAtualiza->isEnabled() && !window->FBSair->isEnabled());
    QCOMPARE(window->Gauge1->progress(), 0);
    QVERIFY(!db.connection()->isConnected());
}

// Another workstation's uncommitted rows in a purchase and its instalments: the foreign keys that
// depend on them cannot be replaced now. They are kept as they were, never dropped for good, and
// the run lists them at its end.
void TestUpdateWindows::uncommittedRowsElsewhere_areListedAndNothingIsLost()
{
    TestDatabase db;
    db.createSchema();
    const QStringList keysBefore = inspect::foreignKeys(db.connection());
    SqlConnection otherWorkstation;
    otherWorkstation.setParam("Database", db.path());
    otherWorkstation.setParam("ServerCharSet", "WIN1252");
    otherWorkstation.startTransaction();
    for (const QString &insert : kUncommittedPurchase) {
        SqlQuery query(&otherWorkstation);
        query.setSql(insert);
        query.execSQL();
    }
    DialogScript dialogs;
    TFrm_AtualizarBanco window;
    window.show();

    QTest::mouseClick(window.FBAtualiza, Qt::LeftButton);

    QCOMPARE(dialogs.seen().size(), 1);
    QCOMPARE(dialogs.seen().first().kind, Dialogs::Kind::Message);
    QCOMPARE(dialogs.seen().first().text, lockedForeignKeysMessage());
    QVERIFY(window.FBAtualiza->isEnabled() && window.FBSair->isEnabled());
    QCOMPARE(inspect::foreignKeys(db.connection()), keysBefore);

    // Once the other workstation has left, the run goes through without a word.
    otherWorkstation.rollback();
    otherWorkstation.close();
    dialogs.clear();
    QTest::mouseClick(window.FBAtualiza, Qt::LeftButton);
    QVERIFY2(dialogs.seen().isEmpty(), qPrintable(dialogs.texts().join(" | ")));
    QCOMPARE(inspect::foreignKeys(db.connection()), keysBefore);
}

int main(int argc, char *argv[])
{
    // Statements that wait for another workstation's locks give up after a second.
    qputenv("ESTOCARIUM_DB_ANSWER_MS", "3000");
    QApplication app(argc, argv);
    TestUpdateWindows test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "tst_updatewindows.moc"
