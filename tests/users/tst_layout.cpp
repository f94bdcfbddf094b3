#include "UsersWindowFixture.h"

#include "users/RecordGrid.h"

#include <QDir>
#include <QHeaderView>
#include <QLabel>

// The window's fixed layout: every control of a page fits inside it, overlaps no other and
// shows its whole caption. With ESTOCARIUM_SCREENSHOTS set to a folder, each page is saved
// there as a picture for a person to look at.
class TestUsersLayout : public QObject
{
    Q_OBJECT

private slots:
    void fixedWindowWithoutCloseBox();
    void pagesAreLaidOut_data();
    void pagesAreLaidOut();
};

void TestUsersLayout::fixedWindowWithoutCloseBox()
{
    UsersDatabase db;
    TFrm_Usuarios_Estoc janela(nullptr);
    QCOMPARE(janela.minimumSize(), QSize(706, 415));
    QCOMPARE(janela.maximumSize(), QSize(706, 415));
    QVERIFY(!(janela.windowFlags() & Qt::WindowCloseButtonHint));
    QVERIFY(!(janela.windowFlags() & Qt::WindowSystemMenuHint));
    QCOMPARE(janela.PageControl1->count(), 3);
    QCOMPARE(janela.PageControl1->tabText(0), QStringLiteral("Cadastro"));
    QCOMPARE(janela.PageControl1->tabText(1), QStringLiteral("Foto"));
    QCOMPARE(janela.PageControl1->tabText(2), QStringLiteral("Pesquisa"));
}

void TestUsersLayout::pagesAreLaidOut_data()
{
    QTest::addColumn<int>("page");
    QTest::addColumn<QString>("state");
    QTest::newRow("Cadastro browsing") << 0 << "browsing";
    QTest::newRow("Cadastro inserting") << 0 << "inserting";
    QTest::newRow("Foto") << 1 << "browsing";
    QTest::newRow("Pesquisa") << 2 << "searching";
}

void TestUsersLayout::pagesAreLaidOut()
{
    QFETCH(int, page);
    QFETCH(QString, state);
    UsersDatabase db;
    db.putDefaultPicture();
    db.addUser("0001", "JOSÉ DA SILVA XAVIER", "529.982.247-25", "ADMINISTRADOR");
    db.addUser("0002", "ANA MARIA", "123.456.789-09");
    auto janela = abreJanela();
    if (state == "inserting")
        clica(janela->Botao_Novo);
    QWidget *pagina = janela->PageControl1->widget(page);
    mostraPagina(janela.get(), pagina);
    if (state == "searching") {
        QTest::mouseClick(janela->DBGrid1->horizontalHeader()->viewport(), Qt::LeftButton, Qt::NoModifier,
                          QPoint(100, 5));
        digita(janela->Procura, "AN");
    }

    QList<QWidget *> visiveis;
    for (QWidget *controle : pagina->findChildren<QWidget *>(Qt::FindDirectChildrenOnly)) {
        if (controle->isVisible())
            visiveis << controle;
    }
    QVERIFY(!visiveis.isEmpty());
    for (QWidget *controle : std::as_const(visiveis)) {
        QVERIFY2(pagina->rect().contains(controle->geometry()), qPrintable(controle->objectName()));
        if (auto *botao = qobject_cast<QPushButton *>(controle))
            QVERIFY2(botao->sizeHint().width() <= botao->width(), qPrintable(botao->objectName()));
        if (auto *rotulo = qobject_cast<QLabel *>(controle); rotulo && rotulo->pixmap().isNull())
            QVERIFY2(rotulo->sizeHint().width() <= rotulo->width(), qPrintable(rotulo->objectName()));
        for (QWidget *outro : std::as_const(visiveis)) {
            if (outro != controle)
                QVERIFY2(!controle->geometry().intersects(outro->geometry()),
                         qPrintable(controle->objectName() + " / " + outro->objectName()));
        }
    }

    const QString pasta = qEnvironmentVariable("ESTOCARIUM_SCREENSHOTS");
    if (!pasta.isEmpty()) {
        QDir().mkpath(pasta);
        QVERIFY(janela->grab().save(pasta + "/usuarios-" +
                                    QString(QTest::currentDataTag()).replace(' ', '-') + ".png"));
    }
}

USERS_TEST_MAIN(TestUsersLayout)
#include "tst_layout.moc"
