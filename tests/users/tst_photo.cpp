#include "UsersWindowFixture.h"

#include "records/ui/RecordGrid.h"
#include "users/LimiteDaFoto.h"

#include <QBuffer>
#include <QElapsedTimer>
#include <QImage>
#include <QLabel>

// The "Foto" page: the stored photo or the default picture, and a new photo chosen while a
// record is being changed.
class TestUsersPhoto : public QObject
{
    Q_OBJECT

private slots:
    void browsingShowsTheDefaultPictureWithButtonsDisabled();
    void withoutTheDefaultPictureTheAreaIsEmpty();
    void chosenPhotoIsShownAndStoredByteForByte();
    void cancelDiscardsTheChosenPhoto();
    void undecodableStoredPhotoIsReportedAndLeavesTheAreaEmpty();
    void unreadableFileChangesNothing();
    void photoOverTheLimitIsRefusedWithItsSize_data();
    void photoOverTheLimitIsRefusedWithItsSize();
    void webcamButtonDoesNothing();
};

namespace
{

QByteArray jpeg(const QColor &colour)
{
    QImage image(40, 50, QImage::Format_RGB32);
    image.fill(colour);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "JPEG");
    return bytes;
}

QImage shown(TFrm_Usuarios_Estoc *janela)
{
    return janela->Image1->pixmap().toImage();
}

QImage decoded(const QByteArray &bytes)
{
    QImage image;
    image.loadFromData(bytes, "JPEG");
    return image.convertToFormat(QImage::Format_RGB32);
}

QString writeFile(const QString &folder, const QString &name, const QByteArray &bytes)
{
    QFile file(folder + "/" + name);
    file.open(QIODevice::WriteOnly);
    file.write(bytes);
    return file.fileName();
}

// Loads the list's row (from 0) as Enter in the grid does.
void carregaDaLista(TFrm_Usuarios_Estoc *janela, int linha)
{
    mostraPagina(janela, janela->TabPesquisaS);
    janela->DBGrid1->setFocus();
    janela->dmUsuarios_Estoc->cdsPesquisa->setRecNo(linha);
    QTest::keyClick(janela->DBGrid1, Qt::Key_Return);
}

} // namespace

void TestUsersPhoto::browsingShowsTheDefaultPictureWithButtonsDisabled()
{
    UsersDatabase db;
    db.putDefaultPicture();
    db.addUser("0001", "JOSE", "529.982.247-25");
    auto janela = abreJanela();
    mostraPagina(janela.get(), janela->TabSheet1);

    QVERIFY(!janela->Botao_Inserir_Foto->isEnabled());
    QVERIFY(!janela->Botao_WebCam->isEnabled());
    QVERIFY(!shown(janela.get()).isNull());
    QCOMPARE(shown(janela.get()),
             QImage(db.folder() + "/Limpa.JPG").convertToFormat(shown(janela.get()).format()));
}

// The previous user's photo must not stay under the name of a user who has none.
void TestUsersPhoto::withoutTheDefaultPictureTheAreaIsEmpty()
{
    UsersDatabase db;
    db.addUser("0001", "JOSE", "529.982.247-25", "INICIANTE", jpeg(Qt::blue));
    db.addUser("0002", "ANA", "123.456.789-09");
    auto janela = abreJanela();
    DialogScript dialogs;
    mostraPagina(janela.get(), janela->TabSheet1);
    QCOMPARE(shown(janela.get()).convertToFormat(QImage::Format_RGB32), decoded(jpeg(Qt::blue)));

    carregaDaLista(janela.get(), 1);
    QCOMPARE(janela->K1J->text(), QStringLiteral("0002"));
    mostraPagina(janela.get(), janela->TabSheet1);
    QVERIFY(janela->Image1->pixmap().isNull());
    QVERIFY(dialogs.seen().isEmpty());
}

void TestUsersPhoto::chosenPhotoIsShownAndStoredByteForByte()
{
    UsersDatabase db;
    db.putDefaultPicture();
    db.addUser("0001", "JOSE", "529.982.247-25");
    // A JPEG with bytes after its end marker: stored as read, not re-encoded.
    const QByteArray photo = jpeg(Qt::darkGreen) + QByteArray("\x00\xFFtrailer", 9);
    const QString file = writeFile(db.folder(), "retrato.jpg", photo);
    auto janela = abreJanela();
    DialogScript dialogs;
    dialogs.answer(true, file);

    clica(janela->Botao_Alterar);
    mostraPagina(janela.get(), janela->TabSheet1);
    QVERIFY(janela->Botao_Inserir_Foto->isEnabled());
    QVERIFY(janela->Botao_WebCam->isEnabled());
    clica(janela->Botao_Inserir_Foto);

    QCOMPARE(dialogs.seen().size(), 1);
    QCOMPARE(dialogs.seen().first().kind, Dialogs::Kind::OpenFile);
    QCOMPARE(dialogs.seen().first().filter,
             QStringLiteral("JPEG Image File (*.jpg);;JPEG Image File (*.jpeg)"));
    QCOMPARE(shown(janela.get()).convertToFormat(QImage::Format_RGB32), decoded(photo));
    QCOMPARE(db.column("0001", "B_FOTO"), QVariant()); // written only by the save

    mostraPagina(janela.get(), janela->TabCadastro);
    clica(janela->Botao_Salvar);
    QCOMPARE(dialogs.seen().size(), 1);
    QCOMPARE(db.column("0001", "B_FOTO").toByteArray(), photo);
}

void TestUsersPhoto::cancelDiscardsTheChosenPhoto()
{
    UsersDatabase db;
    const QByteArray stored = jpeg(Qt::blue);
    db.addUser("0001", "JOSE", "529.982.247-25", "INICIANTE", stored);
    const QString file = writeFile(db.folder(), "outra.jpeg", jpeg(Qt::red));
    auto janela = abreJanela();
    DialogScript dialogs;
    dialogs.answer(true, file);

    clica(janela->Botao_Alterar);
    mostraPagina(janela.get(), janela->TabSheet1);
    QCOMPARE(shown(janela.get()).convertToFormat(QImage::Format_RGB32), decoded(stored));
    clica(janela->Botao_Inserir_Foto);
    QCOMPARE(shown(janela.get()).convertToFormat(QImage::Format_RGB32), decoded(jpeg(Qt::red)));

    mostraPagina(janela.get(), janela->TabCadastro);
    clica(janela->Botao_Cancelar);
    mostraPagina(janela.get(), janela->TabSheet1);
    QCOMPARE(shown(janela.get()).convertToFormat(QImage::Format_RGB32), decoded(stored));
    QCOMPARE(usuarios(janela.get())->value("B_FOTO").toByteArray(), stored);
    QCOMPARE(db.column("0001", "B_FOTO").toByteArray(), stored);
}

void TestUsersPhoto::undecodableStoredPhotoIsReportedAndLeavesTheAreaEmpty()
{
    UsersDatabase db;
    db.putDefaultPicture();
    db.addUser("0001", "JOSE", "529.982.247-25");
    db.addUser("0002", "ANA", "123.456.789-09", "INICIANTE", QByteArray("isto não é um JPEG"));
    auto janela = abreJanela();
    mostraPagina(janela.get(), janela->TabSheet1);
    QVERIFY(!shown(janela.get()).isNull());

    carregaDaLista(janela.get(), 1);
    QCOMPARE(janela->K1J->text(), QStringLiteral("0002"));

    DialogScript dialogs;
    mostraPagina(janela.get(), janela->TabSheet1);
    QCOMPARE(dialogs.seen().size(), 1);
    QCOMPARE(dialogs.seen().first().kind, Dialogs::Kind::Error);
    QCOMPARE(dialogs.seen().first().text, QStringLiteral("A foto gravada não é uma imagem JPEG válida."));
    QVERIFY(janela->Image1->pixmap().isNull());
    QVERIFY(janela->isVisible());
}

void TestUsersPhoto::unreadableFileChangesNothing()
{
    UsersDatabase db;
    db.putDefaultPicture();
    db.addUser("0001", "JOSE", "529.982.247-25");
    auto janela = abreJanela();
    DialogScript dialogs;
    dialogs.answer(true, db.folder() + "/nao-existe.jpg");

    clica(janela->Botao_Alterar);
    mostraPagina(janela.get(), janela->TabSheet1);
    janela->Image1->clear(); // so that a refresh would show
    clica(janela->Botao_Inserir_Foto);

    QCOMPARE(dialogs.seen().size(), 2);
    QCOMPARE(dialogs.seen().at(1).kind, Dialogs::Kind::Error);
    QVERIFY2(dialogs.seen().at(1).text.contains("nao-existe.jpg"), qPrintable(dialogs.seen().at(1).text));
    QVERIFY(usuarios(janela.get())->isNull("B_FOTO"));
    QVERIFY(janela->Image1->pixmap().isNull());
}

void TestUsersPhoto::photoOverTheLimitIsRefusedWithItsSize_data()
{
    QTest::addColumn<qint64>("bytes");
    QTest::addColumn<QString>("message");
    QTest::newRow("150 MB")
        << qint64(150) * 1024 * 1024
        << "Atenção, a foto escolhida tem 150,0 MB e o limite é de 16 MB: nada foi trocado. "
           "Escolha uma foto menor ou reduza esta num editor de imagens.";
    QTest::newRow("just over the limit")
        << kMaiorFoto + 200 * 1024
        << "Atenção, a foto escolhida tem 16,2 MB e o limite é de 16 MB: nada foi trocado. "
           "Escolha uma foto menor ou reduza esta num editor de imagens.";
}

void TestUsersPhoto::photoOverTheLimitIsRefusedWithItsSize()
{
    QFETCH(qint64, bytes);
    UsersDatabase db;
    const QByteArray stored = jpeg(Qt::blue);
    db.addUser("0001", "JOSE", "529.982.247-25", "INICIANTE", stored);
    // A sparse file: the size is what counts, and it is refused before a byte is read.
    QFile big(db.folder() + "/enorme.jpg");
    QVERIFY(big.open(QIODevice::WriteOnly));
    QVERIFY(big.resize(bytes));
    big.close();
    auto janela = abreJanela();
    DialogScript dialogs;
    dialogs.answer(true, big.fileName());

    clica(janela->Botao_Alterar);
    mostraPagina(janela.get(), janela->TabSheet1);
    QElapsedTimer relogio;
    relogio.start();
    clica(janela->Botao_Inserir_Foto);
    QVERIFY2(relogio.elapsed() < 2000, qPrintable(QString::number(relogio.elapsed())));

    QCOMPARE(dialogs.seen().size(), 2);
    QCOMPARE(dialogs.seen().at(1).kind, Dialogs::Kind::Message);
    QTEST(dialogs.seen().at(1).text, "message");
    // The record keeps the photo it had, still in its change.
    QCOMPARE(usuarios(janela.get())->value("B_FOTO").toByteArray(), stored);
    QCOMPARE(usuarios(janela.get())->state(), RecordSet::State::Edit);
    QCOMPARE(shown(janela.get()).convertToFormat(QImage::Format_RGB32), decoded(stored));
}

void TestUsersPhoto::webcamButtonDoesNothing()
{
    UsersDatabase db;
    db.addUser("0001", "JOSE", "529.982.247-25");
    auto janela = abreJanela();
    DialogScript dialogs;
    clica(janela->Botao_Alterar);
    mostraPagina(janela.get(), janela->TabSheet1);
    const QList<QVariant> before = {usuarios(janela.get())->value("B_FOTO"),
                                    usuarios(janela.get())->value("USUARIO")};

    clica(janela->Botao_WebCam);

    QVERIFY(dialogs.seen().isEmpty());
    QCOMPARE(usuarios(janela.get())->state(), RecordSet::State::Edit);
    QCOMPARE(
        QList<QVariant>({usuarios(janela.get())->value("B_FOTO"), usuarios(janela.get())->value("USUARIO")}),
        before);
}

USERS_TEST_MAIN(TestUsersPhoto)
#include "tst_photo.moc"
