#include "../users/UsersWindowFixture.h"
#include "MissingRequirement.h"
#include "PrivateServer.h"

#include "db/SqlConnection.h"
#include "users/LimiteDaFoto.h"

#include <QBuffer>
#include <QElapsedTimer>
#include <QImage>
#include <QRandomGenerator>
#include <atomic>
#include <chrono>
#include <thread>

// A photo just under the limit saved through a server that keeps stopping for a moment, as a
// slow or busy network does: the write takes several times the call bound, but the server
// never stays silent for that long, so it must be stored rather than cancelled as a hang.
class TestLargePhoto : public QObject
{
    Q_OBJECT

private slots:
    void slowButMovingWriteIsNotCancelled();
};

namespace
{

constexpr int kAnswerMs = 1000; // the call bound for this test (ESTOCARIUM_DB_ANSWER_MS)
// Stopped most of the time, never for as long as the bound.
constexpr std::chrono::milliseconds kStopped(800);
constexpr std::chrono::milliseconds kRunning(25);

// A valid JPEG followed by noise up to size bytes: shown as a picture, stored byte for byte.
QByteArray photoOf(qint64 size)
{
    QImage image(40, 50, QImage::Format_RGB32);
    image.fill(Qt::darkGreen);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "JPEG");
    const qsizetype start = bytes.size();
    bytes.resize(size);
    QRandomGenerator generator(16);
    for (qsizetype i = start; i < bytes.size(); ++i)
        bytes[i] = char(generator.bounded(256));
    return bytes;
}

} // namespace

void TestLargePhoto::slowButMovingWriteIsNotCancelled()
{
    PrivateServer server;
    if (!server.failure().isEmpty())
        SKIP_FOR_MISSING(QStringLiteral("no private Firebird server: ") + server.failure());
    UsersDatabase db;
    db.addUser("0001", "JOSE", "529.982.247-25");
    db.connection()->close();
    db.connection()->setParam("Database", server.database(db.path()));

    const QByteArray photo = photoOf(kMaiorFoto - 1024 * 1024);
    QFile file(db.folder() + "/retrato.jpg");
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(photo), photo.size());
    file.close();
    auto janela = abreJanela();
    DialogScript dialogs;
    dialogs.answer(true, file.fileName());
    clica(janela->Botao_Alterar);
    mostraPagina(janela.get(), janela->TabSheet1);
    clica(janela->Botao_Inserir_Foto);
    QCOMPARE(dialogs.seen().size(), 1);
    mostraPagina(janela.get(), janela->TabCadastro);

    std::atomic<bool> saving = true;
    std::thread network([&] {
        while (saving) {
            server.pause();
            std::this_thread::sleep_for(kStopped);
            server.resume();
            std::this_thread::sleep_for(kRunning);
        }
    });
    QElapsedTimer relogio;
    relogio.start();
    clica(janela->Botao_Salvar);
    const qint64 took = relogio.elapsed();
    saving = false;
    network.join();
    server.resume();

    QVERIFY2(dialogs.seen().size() == 1, qPrintable(dialogs.texts().join(" | ")));
    // The point of the test: the write outlasted the bound that would cancel a silent call.
    QVERIFY2(took > kAnswerMs, qPrintable(QString::number(took)));
    QCOMPARE(usuarios(janela.get())->state(), RecordSet::State::Browse);
    // Read back over the same connection: a cancel asked for during one of the save's shorter
    // calls, which then ended on its own, must not fail this one.
    QCOMPARE(db.column("0001", "B_FOTO").toByteArray(), photo);
}

int main(int argc, char *argv[])
{
    qputenv("ESTOCARIUM_DB_ANSWER_MS", QByteArray::number(kAnswerMs));
    EstocariumApplication app(argc, argv);
    TestLargePhoto test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "tst_largephoto.moc"
