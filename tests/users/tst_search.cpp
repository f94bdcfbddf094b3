#include "UsersWindowFixture.h"

#include "records/ui/LinkLabel.h"
#include "records/ui/RecordGrid.h"
#include "users/PreparaPesquisa.h"

#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>

// The "Pesquisa" page: the list held in memory, ordered by a title click, searched as the
// operator types, and the chosen user brought to the "Cadastro" page.
class TestUsersSearch : public QObject
{
    Q_OBJECT

private slots:
    void preparesTheTypedText_data();
    void preparesTheTypedText();
    void firstShowLoadsEveryUserInCodeOrder();
    void titleClickOrdersTheList_data();
    void titleClickOrdersTheList();
    void searchColumnIsChosenByKeyboard_data();
    void searchColumnIsChosenByKeyboard();
    void typedSearchMovesToTheNearestRow_data();
    void typedSearchMovesToTheNearestRow();
    void chosenRowIsShownOnCadastro_data();
    void chosenRowIsShownOnCadastro();
    void downArrowMovesToTheGrid();
    void doubleClickOnAnEmptyListOpensAnEmptyRecord();
    void listIsReloadedOnlyByTheLinkKeepingItsOrder();
    void linkIsReachedAndPressedByKeyboard_data();
    void linkIsReachedAndPressedByKeyboard();
};

namespace
{

// Codes deliberately not in name or CPF order.
void addUsers(UsersDatabase &db)
{
    db.addUser("0001", "Carla Dias", "529.982.247-25");
    db.addUser("0002", "ÁLVARO LIMA", "123.456.789-09");
    db.addUser("0007", "Alves Souza", "111.444.777-35");
    db.addUser("0010", "ZÉ PEREIRA", "987.654.321-00");
    db.addUser("0011", "joão neto", "123.999.888-01");
}

QStringList column(TFrm_Usuarios_Estoc *janela, int field)
{
    QStringList values;
    const RecordSet *lista = janela->dmUsuarios_Estoc->cdsPesquisa;
    for (int row = 0; row < lista->recordCount(); ++row)
        values << lista->valueAt(row, field).toString();
    return values;
}

QString currentCode(TFrm_Usuarios_Estoc *janela)
{
    return janela->dmUsuarios_Estoc->cdsPesquisa->text("IDUSUARIO");
}

void clickTitle(TFrm_Usuarios_Estoc *janela, int column)
{
    QHeaderView *titles = janela->DBGrid1->horizontalHeader();
    const int x = titles->sectionViewportPosition(column) + titles->sectionSize(column) / 2;
    QTest::mouseClick(titles->viewport(), Qt::LeftButton, Qt::NoModifier, QPoint(x, titles->height() / 2));
}

QColor columnColour(TFrm_Usuarios_Estoc *janela, int column)
{
    return janela->DBGrid1->model()->index(0, column).data(Qt::BackgroundRole).value<QColor>();
}

} // namespace

void TestUsersSearch::preparesTheTypedText_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("prepared");
    QTest::newRow("code filled") << "IDUSUARIO"
                                 << "7"
                                 << "0007";
    QTest::newRow("code empty") << "IDUSUARIO"
                                << ""
                                << "0000";
    QTest::newRow("code longer than four") << "IDUSUARIO"
                                           << "12345"
                                           << "12345";
    QTest::newRow("field name in any case") << "idUsuario"
                                            << "42"
                                            << "0042";
    QTest::newRow("CPF beginning") << "CPF"
                                   << "123"
                                   << "123.000.000-00";
    QTest::newRow("CPF empty") << "CPF"
                               << ""
                               << "000.000.000-00";
    QTest::newRow("CPF with punctuation typed") << "CPF"
                                                << "1.2-3x4"
                                                << "123.400.000-00";
    QTest::newRow("CPF too long") << "CPF"
                                  << "1234567890123"
                                  << "123.456.789-01";
    QTest::newRow("name upper case") << "USUARIO"
                                     << "joão"
                                     << "JOÃO";
}

void TestUsersSearch::preparesTheTypedText()
{
    QFETCH(QString, field);
    QFETCH(QString, typed);
    QTEST(preparaTextoPesquisa(field, typed), "prepared");
}

void TestUsersSearch::firstShowLoadsEveryUserInCodeOrder()
{
    UsersDatabase db;
    addUsers(db);
    auto janela = abreJanela();
    QVERIFY(!janela->dmUsuarios_Estoc->cdsPesquisa->isActive()); // nothing read before the page is shown
    mostraPagina(janela.get(), janela->TabPesquisaS);

    QCOMPARE(column(janela.get(), 0), QStringList({"0001", "0002", "0007", "0010", "0011"}));
    QCOMPARE(column(janela.get(), 1).first(), QStringLiteral("CARLA DIAS"));
    QCOMPARE(janela->DBGrid1->model()->rowCount(), 5);
    for (int c = 0; c < 3; ++c)
        QCOMPARE(columnColour(janela.get(), c), kCinza);
    QVERIFY(!janela->Procura->isVisible());
    QVERIFY(!janela->LProcura->isVisible());
    QCOMPARE(janela->LProcura->text(), QStringLiteral("Valor"));
    QCOMPARE(janela->DBGrid1->model()->headerData(1, Qt::Horizontal).toString(), QStringLiteral("Usuário"));
}

void TestUsersSearch::titleClickOrdersTheList_data()
{
    QTest::addColumn<int>("clicked");
    QTest::addColumn<QString>("label");
    QTest::addColumn<QStringList>("codes");
    QTest::newRow("Código") << 0 << "Informe Código" << QStringList({"0001", "0002", "0007", "0010", "0011"});
    QTest::newRow("Usuário") << 1 << "Informe Usuário"
                             << QStringList({"0002", "0007", "0001", "0011", "0010"});
    QTest::newRow("CPF") << 2 << "Informe CPF" << QStringList({"0007", "0002", "0011", "0001", "0010"});
}

void TestUsersSearch::titleClickOrdersTheList()
{
    QFETCH(int, clicked);
    UsersDatabase db;
    addUsers(db);
    auto janela = abreJanela();
    mostraPagina(janela.get(), janela->TabPesquisaS);
    clickTitle(janela.get(), clicked);

    QTEST(column(janela.get(), 0), "codes");
    QTEST(janela->LProcura->text(), "label");
    QVERIFY(janela->Procura->isVisible());
    QVERIFY(janela->Procura->text().isEmpty());
    QCOMPARE(janela->focusWidget(), janela->Procura);
    for (int c = 0; c < 3; ++c)
        QCOMPARE(columnColour(janela.get(), c), c == clicked ? QColor(Qt::white) : kCinza);
}

void TestUsersSearch::searchColumnIsChosenByKeyboard_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("chosen");
    QTest::addColumn<QString>("label");
    QTest::addColumn<QStringList>("codes");
    QTest::newRow("Ctrl+1") << int(Qt::Key_1) << 0 << "Informe Código"
                            << QStringList({"0001", "0002", "0007", "0010", "0011"});
    QTest::newRow("Ctrl+2") << int(Qt::Key_2) << 1 << "Informe Usuário"
                            << QStringList({"0002", "0007", "0001", "0011", "0010"});
    QTest::newRow("Ctrl+3") << int(Qt::Key_3) << 2 << "Informe CPF"
                            << QStringList({"0007", "0002", "0011", "0001", "0010"});
}

// Ctrl and the column's number do what a click on its title does.
void TestUsersSearch::searchColumnIsChosenByKeyboard()
{
    QFETCH(int, key);
    QFETCH(int, chosen);
    UsersDatabase db;
    addUsers(db);
    auto janela = abreJanela();
    mostraPagina(janela.get(), janela->TabPesquisaS);
    janela->DBGrid1->setFocus();

    QTest::keyClick(janela->DBGrid1, Qt::Key(key), Qt::ControlModifier);

    QTEST(janela->LProcura->text(), "label");
    QVERIFY(janela->Procura->isVisible());
    QCOMPARE(janela->focusWidget(), janela->Procura);
    for (int c = 0; c < 3; ++c)
        QCOMPARE(columnColour(janela.get(), c), c == chosen ? QColor(Qt::white) : kCinza);
    QTEST(column(janela.get(), 0), "codes");
}

void TestUsersSearch::typedSearchMovesToTheNearestRow_data()
{
    QTest::addColumn<int>("clicked");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("code");
    QTest::newRow("code that exists") << 0 << "7"
                                      << "0007";
    QTest::newRow("code missing: next higher") << 0 << "8"
                                               << "0010";
    QTest::newRow("code after every code: last row") << 0 << "99"
                                                     << "0011";
    QTest::newRow("CPF beginning") << 2 << "123"
                                   << "0002";
    QTest::newRow("CPF beginning, punctuated") << 2 << "123.9"
                                               << "0011";
    QTest::newRow("name beginning, lower case") << 1 << "al"
                                                << "0002";
    QTest::newRow("name beyond the accented one") << 1 << "ALVE"
                                                  << "0007";
    QTest::newRow("name after every name: last row") << 1 << "ZZ"
                                                     << "0010";
}

void TestUsersSearch::typedSearchMovesToTheNearestRow()
{
    QFETCH(int, clicked);
    QFETCH(QString, typed);
    QFETCH(QString, code);
    UsersDatabase db;
    addUsers(db);
    auto janela = abreJanela();
    mostraPagina(janela.get(), janela->TabPesquisaS);
    clickTitle(janela.get(), clicked);
    db.exec("DELETE FROM USUARIOS_ESTOC"); // typing must not need the database

    DialogScript dialogs;
    digita(janela->Procura, typed);
    QCOMPARE(currentCode(janela.get()), code);
    QCOMPARE(janela->DBGrid1->currentIndex().row(), janela->dmUsuarios_Estoc->cdsPesquisa->recNo());
    QVERIFY(dialogs.seen().isEmpty());
}

void TestUsersSearch::chosenRowIsShownOnCadastro_data()
{
    QTest::addColumn<QString>("how");
    QTest::newRow("Enter in the search box") << "search box";
    QTest::newRow("Enter in the grid") << "grid";
    QTest::newRow("double click") << "double click";
}

void TestUsersSearch::chosenRowIsShownOnCadastro()
{
    QFETCH(QString, how);
    UsersDatabase db;
    addUsers(db);
    auto janela = abreJanela();
    mostraPagina(janela.get(), janela->TabPesquisaS);
    clickTitle(janela.get(), 1);
    digita(janela->Procura, "ZE");
    QCOMPARE(currentCode(janela.get()), QStringLiteral("0010"));

    QWidget *viewport = janela->DBGrid1->viewport();
    const QPoint row = janela->DBGrid1->visualRect(janela->DBGrid1->currentIndex()).center();
    if (how == "search box") {
        QTest::keyClick(janela->Procura, Qt::Key_Return);
    } else if (how == "grid") {
        janela->DBGrid1->setFocus();
        QTest::keyClick(janela->DBGrid1, Qt::Key_Return);
    } else {
        QTest::mouseDClick(viewport, Qt::LeftButton, Qt::NoModifier, row);
    }

    QCOMPARE(janela->PageControl1->currentWidget(), janela->TabCadastro);
    QCOMPARE(janela->K1J->text(), QStringLiteral("0010"));
    QCOMPARE(janela->C1J->text(), QStringLiteral("ZÉ PEREIRA"));
    QCOMPARE(GsCodigo[1], QStringLiteral("0010"));
    QCOMPARE(GsCodigo[2], QStringLiteral("ZÉ PEREIRA"));
    QCOMPARE(GsCodigo[3], QStringLiteral("987.654.321-00"));
    QVERIFY(janela->Botao_Alterar->isEnabled());
    QCOMPARE(usuarios(janela.get())->state(), RecordSet::State::Browse);
    // The user was chosen to be worked on: Alterar waits for Enter.
    QCOMPARE(janela->focusWidget(), janela->Botao_Alterar);
}

void TestUsersSearch::downArrowMovesToTheGrid()
{
    UsersDatabase db;
    addUsers(db);
    auto janela = abreJanela();
    mostraPagina(janela.get(), janela->TabPesquisaS);
    clickTitle(janela.get(), 0);
    QTest::keyClick(janela->Procura, Qt::Key_Down);
    QCOMPARE(janela->focusWidget(), janela->DBGrid1);
}

void TestUsersSearch::doubleClickOnAnEmptyListOpensAnEmptyRecord()
{
    UsersDatabase db;
    db.addUser("0001", "JOSE", "529.982.247-25");
    auto janela = abreJanela();
    db.exec("DELETE FROM USUARIOS_ESTOC");
    mostraPagina(janela.get(), janela->TabPesquisaS);
    QCOMPARE(janela->dmUsuarios_Estoc->cdsPesquisa->recordCount(), 0);

    QTest::mouseDClick(janela->DBGrid1->viewport(), Qt::LeftButton, Qt::NoModifier, QPoint(20, 20));

    QCOMPARE(janela->PageControl1->currentWidget(), janela->TabCadastro);
    QVERIFY(usuarios(janela.get())->isEmpty());
    QVERIFY(janela->Botao_Novo->isEnabled());
    QVERIFY(!janela->Botao_Alterar->isEnabled());
    QVERIFY(!janela->Botao_Excluir->isEnabled());
    QVERIFY(janela->Botao_Fechar->isEnabled());
    QCOMPARE(janela->focusWidget(), janela->Botao_Novo);
}

void TestUsersSearch::listIsReloadedOnlyByTheLinkKeepingItsOrder()
{
    UsersDatabase db;
    addUsers(db);
    auto janela = abreJanela();
    DialogScript dialogs;
    mostraPagina(janela.get(), janela->TabPesquisaS);
    clickTitle(janela.get(), 1);
    digita(janela->Procura, "Z");

    // A user added on the "Cadastro" page.
    mostraPagina(janela.get(), janela->TabCadastro);
    clica(janela->Botao_Novo);
    digita(janela->C1J, "BRUNO");
    digita(janela->K2J, "39053344705");
    clica(janela->Botao_Salvar);
    QVERIFY2(dialogs.seen().isEmpty(), qPrintable(dialogs.onlyText()));
    mostraPagina(janela.get(), janela->TabPesquisaS);
    QCOMPARE(column(janela.get(), 0).size(), 5);
    QCOMPARE(janela->Procura->text(), QStringLiteral("Z")); // the page was left as it was

    QTest::mouseClick(janela->Clique2, Qt::LeftButton);
    QCOMPARE(column(janela.get(), 1),
             QStringList({"ÁLVARO LIMA", "ALVES SOUZA", "BRUNO", "CARLA DIAS", "JOÃO NETO", "ZÉ PEREIRA"}));
    QVERIFY(!janela->Procura->isVisible());
    QVERIFY(janela->Procura->text().isEmpty());
    QCOMPARE(janela->LProcura->text(), QStringLiteral("Valor"));
    QCOMPARE(columnColour(janela.get(), 1), kCinza);
    QCOMPARE(currentCode(janela.get()), QStringLiteral("0002")); // no search ran: the first row
    QVERIFY2(dialogs.seen().isEmpty(), qPrintable(dialogs.onlyText()));
}

void TestUsersSearch::linkIsReachedAndPressedByKeyboard_data()
{
    QTest::addColumn<QString>("how");
    QTest::newRow("Tab to the link, Enter") << "enter";
    QTest::newRow("Tab to the link, Space") << "space";
    QTest::newRow("F5 from the grid") << "F5";
}

void TestUsersSearch::linkIsReachedAndPressedByKeyboard()
{
    QFETCH(QString, how);
    UsersDatabase db;
    addUsers(db);
    auto janela = abreJanela();
    mostraPagina(janela.get(), janela->TabPesquisaS);
    clickTitle(janela.get(), 1);
    db.addUser("0012", "BRUNO", "390.533.447-05");

    if (how == "F5") {
        janela->DBGrid1->setFocus();
        QTest::keyClick(janela->DBGrid1, Qt::Key_F5);
    } else {
        QTest::keyClick(janela->Procura, Qt::Key_Tab);
        QCOMPARE(janela->focusWidget(), janela->Clique2);
        QTest::keyClick(janela->Clique2, how == "enter" ? Qt::Key_Return : Qt::Key_Space);
    }

    QCOMPARE(column(janela.get(), 0).size(), 6);
    QVERIFY(!janela->Procura->isVisible());
    // Next comes a choice in the reloaded list.
    QCOMPARE(janela->focusWidget(), janela->DBGrid1);
}

USERS_TEST_MAIN(TestUsersSearch)
#include "tst_search.moc"
