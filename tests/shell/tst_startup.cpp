#include "DialogScript.h"
#include "TestDatabase.h"
#include "session/TdmPrincipal.h"
#include "session/uTotal.h"
#include "shell/EstocariumApplication.h"
#include "shell/StartUp.h"
#include "shell/TFrm_Abertura.h"
#include "shell/TFrm_Principal_Estoc.h"
#include "signin/ui/TFrm_Senha_Estoc.h"
#include "tests/shell/ModalHelper.h"
#include "tests/signin/UsuariosDeTeste.h"
#include "widgets/PictureBox.h"

#include <QFile>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>

// The splash window and the start-up sequence of the program.
class TestStartUp : public QObject
{
    Q_OBJECT

private slots:
    void splashShape();
    void splashPicture_data();
    void splashPicture();
    void splashWait_data();
    void splashWait();
    void qtTextsInPortuguese();
    void internetFailureEndsBeforeLoop();
    void startUpReachesSignIn();

private:
    static void escreve(const QString &path, const QByteArray &content);
};

void TestStartUp::escreve(const QString &path, const QByteArray &content)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(content);
}

void TestStartUp::splashShape()
{
    TFrm_Abertura splash;
    QVERIFY(splash.windowFlags() & Qt::FramelessWindowHint);
    QCOMPARE(splash.size(), QSize(493, 370));
    splash.show();
    // The upper part of a 490 x 670 ellipse: a dome.
    const QRegion mask = splash.mask();
    QVERIFY(mask.contains(QPoint(245, 1)));
    QVERIFY(mask.contains(QPoint(5, 369)));
    QVERIFY(mask.contains(QPoint(485, 369)));
    QVERIFY(!mask.contains(QPoint(0, 0)));
    QVERIFY(!mask.contains(QPoint(20, 100)));
    QVERIFY(!mask.contains(QPoint(470, 100)));
    QVERIFY(!mask.contains(QPoint(492, 369)));
}

void TestStartUp::splashPicture_data()
{
    QTest::addColumn<QSize>("fileSize"); // empty: no picture file
    QTest::addColumn<bool>("broken");
    QTest::addColumn<QRect>("drawn");
    QTest::newRow("none: built-in, scaled down") << QSize() << false << QRect(0, 0, 494, 371);
    QTest::newRow("broken file: built-in") << QSize() << true << QRect(0, 0, 494, 371);
    QTest::newRow("small: natural size") << QSize(300, 200) << false << QRect(0, 0, 300, 200);
    QTest::newRow("tall: fits the height") << QSize(1000, 1000) << false << QRect(0, 0, 409, 409);
}

void TestStartUp::splashPicture()
{
    QFETCH(QSize, fileSize);
    QFETCH(bool, broken);
    QTemporaryDir folder;
    QDir::setCurrent(folder.path());
    const QString file = folder.path() + "/TELA_PRINCIPAL.JPG";
    if (broken)
        escreve(file, "not a picture");
    if (fileSize.isValid()) {
        QImage picture(fileSize, QImage::Format_RGB32);
        picture.fill(Qt::red);
        QVERIFY(picture.save(file, "JPG"));
    }
    DiretorioCorrente.clear();
    DialogScript dialogs;
    TFrm_Abertura splash;
    QCOMPARE(DiretorioCorrente, folder.path());
    QTEST(splash.Image1->pictureRect(), "drawn");
    QVERIFY(dialogs.seen().isEmpty());
}

void TestStartUp::splashWait_data()
{
    QTest::addColumn<QByteArray>("setting"); // empty: unset
    QTest::addColumn<int>("ms");
    QTest::newRow("unset") << QByteArray() << 3000;
    QTest::newRow("zero") << QByteArray("0") << 0;
    QTest::newRow("shorter") << QByteArray("250") << 250;
    QTest::newRow("not a number") << QByteArray("abc") << 3000;
    QTest::newRow("negative") << QByteArray("-5") << 3000;
}

void TestStartUp::splashWait()
{
    QFETCH(QByteArray, setting);
    const QByteArray previous = qgetenv("ESTOCARIUM_SPLASH_MS");
    if (setting.isEmpty())
        qunsetenv("ESTOCARIUM_SPLASH_MS");
    else
        qputenv("ESTOCARIUM_SPLASH_MS", setting);
    const int ms = splashWaitMs();
    qputenv("ESTOCARIUM_SPLASH_MS", previous);
    QTEST(ms, "ms");
}

void TestStartUp::qtTextsInPortuguese()
{
    installPortugueseTranslations(*qApp);
    QCOMPARE(QCoreApplication::translate("QPlatformTheme", "&Yes"), QStringLiteral("&Sim"));
    QCOMPARE(QCoreApplication::translate("QPlatformTheme", "&No"), QStringLiteral("&Não"));
    QCOMPARE(QLocale().name(), QStringLiteral("pt_BR"));
}

void TestStartUp::internetFailureEndsBeforeLoop()
{
    QTemporaryDir folder;
    QDir::setCurrent(folder.path());
    escreve(folder.path() + "/clientes.ini",
            "[dados_cliente]\ncodigo=1\nweb=1\ncaminho=/nenhum/LICITACAO.FDB\n");
    qputenv("ESTOCARIUM_SPLASH_MS", "0");
    DialogScript dialogs;
    resetTermination();

    QCOMPARE(runProgram(*qApp), 0);

    QCOMPARE(
        dialogs.texts().value(0),
        QStringLiteral("Atenção, procedimento abortado, internet desligada ou problema no seu servidor web"));
    QVERIFY(!Usuario_Verificado); // no sign-in was offered
    QCOMPARE(Frm_Principal_Estoc, nullptr);
    QCOMPARE(Frm_Abertura, nullptr);
    QCOMPARE(dmPrincipal, nullptr);
    resetTermination();
}

void TestStartUp::startUpReachesSignIn()
{
    TestDatabase db;
    db.createSchema();
    escreve(db.folder() + "/clientes.ini", "[dados_cliente]\ncodigo=1\n");
    InicializaSessao();
    gravaUsuariosDeTeste(db);
    QImage picture(200, 100, QImage::Format_RGB32);
    picture.fill(Qt::blue);
    QVERIFY(picture.save(db.folder() + "/TELA_PRINCIPAL.JPG", "JPG"));
    qputenv("ESTOCARIUM_SPLASH_MS", "0");
    DialogScript dialogs;
    resetTermination();

    bool splashGone = false;
    QString mainTitle;
    bool maximised = false;
    quandoModal([&](QWidget *modal) {
        splashGone = Frm_Abertura == nullptr;
        mainTitle = Frm_Principal_Estoc ? Frm_Principal_Estoc->windowTitle() : QString();
        maximised = Frm_Principal_Estoc && Frm_Principal_Estoc->isMaximized();
        auto *login = qobject_cast<TFrm_Senha_Estoc *>(modal);
        QVERIFY(login);
        QTest::keyClicks(login->Campo1, "1");
        QTest::keyClick(login->Campo1, Qt::Key_Return);
        QTest::keyClicks(login->Campo2, "Segredo");
        QTest::keyClick(login->Campo2, Qt::Key_Escape); // cancelling ends the program
    });

    QCOMPARE(runProgram(*qApp), 0);

    QVERIFY(splashGone);
    QCOMPARE(mainTitle,
             QStringLiteral("Estocarium / Estocarium - 2017 | PREFEITURA MUNICIPAL DE SERRA DOURADA"));
    QVERIFY(maximised);
    QVERIFY(dialogs.seen().isEmpty()); // picture found, no exit question
    QVERIFY(Usuario_Verificado);
    QCOMPARE(Frm_Principal_Estoc, nullptr);
    QCOMPARE(dmPrincipal, nullptr);
    resetTermination();
}

int main(int argc, char **argv)
{
    EstocariumApplication app(argc, argv);
    TestStartUp test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_startup.moc"
