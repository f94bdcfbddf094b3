#include "UsersWindowFixture.h"

#include <QTimer>

// The "Cadastro" page of the user maintenance window: its states, commands and messages, with
// the database checked afterwards.
class TestUsersWindow : public QObject
{
    Q_OBJECT

private slots:
    void stateSetUp_data();
    void stateSetUp();
    void typingWhileBrowsingChangesNothing();
    void newUserIsStoredEncoded_data();
    void newUserIsStoredEncoded();
    void changedUserIsStoredWithChangeStamp();
    void operatorWithALongNameSavesUsers();
    void saveStopsAtTheFirstFailedCheck_data();
    void saveStopsAtTheFirstFailedCheck();
    void keyViolationKeepsTheRecordForARetry();
    void cancelAfterARefusedSaveDropsTheInsertion();
    void saveWithoutTheDatabaseKeepsTheTypedChange();
    void cancelRestoresWhatIsStored_data();
    void cancelRestoresWhatIsStored();
    void deletion_data();
    void deletion();
    void novoWithoutAFreeCodeLeavesTheWindowBrowsing();
    void enterWalksThroughTheControls();
    void ctrlTabVisitsTheVisiblePagesOnly_data();
    void ctrlTabVisitsTheVisiblePagesOnly();
    void closesOnlyWhileBrowsing();
};

void TestUsersWindow::stateSetUp_data()
{
    QTest::addColumn<bool>("withUser");
    QTest::addColumn<QString>("command");
    QTest::addColumn<QStringList>("enabled");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<bool>("keyEditable");
    QTest::addColumn<bool>("ordinaryEditable");
    QTest::addColumn<QString>("focus");

    const QString titulo = QStringLiteral("Usuários - Estocarium");
    QTest::newRow("browsing, no record") << false << "" << QStringList({"Botao_Novo", "Botao_Fechar"})
                                         << titulo << false << false << "Botao_Novo";
    QTest::newRow("browsing, a record")
        << true << "" << QStringList({"Botao_Novo", "Botao_Alterar", "Botao_Excluir", "Botao_Fechar"})
        << titulo << false << false << "Botao_Novo";
    QTest::newRow("inserting") << true << "Botao_Novo" << QStringList({"Botao_Salvar", "Botao_Cancelar"})
                               << titulo + " - Incluindo" << true << true << "K1J";
    QTest::newRow("changing") << true << "Botao_Alterar" << QStringList({"Botao_Salvar", "Botao_Cancelar"})
                              << titulo + " - Alterando" << false << true << "C1J";
}

void TestUsersWindow::stateSetUp()
{
    QFETCH(bool, withUser);
    QFETCH(QString, command);
    QFETCH(QStringList, enabled);
    QFETCH(bool, keyEditable);
    QFETCH(bool, ordinaryEditable);
    UsersDatabase db;
    if (withUser)
        db.addUser("0001", "JOSE", "529.982.247-25", "MÉDIO");
    auto janela = abreJanela();
    if (!command.isEmpty())
        clica(janela->findChild<QPushButton *>(command));

    QStringList actual;
    for (QPushButton *botao : {janela->Botao_Novo, janela->Botao_Salvar, janela->Botao_Alterar,
                               janela->Botao_Cancelar, janela->Botao_Excluir, janela->Botao_Fechar}) {
        if (botao->isEnabled())
            actual << botao->objectName();
    }
    QCOMPARE(actual, enabled);
    QTEST(janela->windowTitle(), "caption");
    const bool browsing = command.isEmpty();
    QCOMPARE(janela->PageControl1->isTabVisible(janela->PageControl1->indexOf(janela->TabPesquisaS)),
             browsing);
    QVERIFY(janela->PageControl1->isTabVisible(1));

    for (BoundLineEdit *key : {janela->K1J, janela->K2J}) {
        QCOMPARE(key->isReadOnly(), !keyEditable);
        QCOMPARE(key->color(), keyEditable ? kCeu : kCinza);
    }
    QCOMPARE(janela->C1J->isReadOnly(), !ordinaryEditable);
    QCOMPARE(janela->C1J->color(), ordinaryEditable ? kCeu : kCinza);
    QCOMPARE(janela->C5->isEditable(), ordinaryEditable);
    QCOMPARE(janela->C5->color(), ordinaryEditable ? kCeu : kCinza);
    QCOMPARE(janela->DBCheckBox1->isEditable(), !browsing);
    QVERIFY(janela->DBEdit1->isReadOnly());
    QVERIFY(janela->DBEdit2->isReadOnly());
    QVERIFY(janela->DBEdit1->color() != kCinza); // the stamps are not classed by the routine
    QTEST(janela->focusWidget()->objectName(), "focus");

    if (command == "Botao_Novo") {
        QCOMPARE(janela->K1J->text(), QStringLiteral("0002"));
        QCOMPARE(janela->C5->currentText(), QStringLiteral("INICIANTE"));
        QVERIFY(janela->DBCheckBox1->isChecked());
        QCOMPARE(janela->DBEdit1->text(), kCarimbo);
    } else if (command == "Botao_Alterar") {
        QCOMPARE(janela->C5->currentText(), QStringLiteral("MÉDIO")); // decoded for the change
        QCOMPARE(janela->DBEdit2->text(), kCarimbo);
    } else if (withUser) {
        QCOMPARE(janela->K1J->text(), QStringLiteral("0001"));
        QCOMPARE(janela->C5->currentIndex(), -1); // stored encoded: no item matches
    }
}

void TestUsersWindow::typingWhileBrowsingChangesNothing()
{
    UsersDatabase db;
    db.addUser("0001", "JOSE", "529.982.247-25");
    auto janela = abreJanela();
    digita(janela->C1J, "X");
    clica(janela->DBCheckBox1);
    QTest::keyClick(janela->C5, Qt::Key_Down);
    QCOMPARE(janela->C5->currentIndex(), -1);
    QCOMPARE(janela->C1J->text(), QStringLiteral("JOSE"));
    QVERIFY(janela->DBCheckBox1->isChecked());
    QCOMPARE(usuarios(janela.get())->state(), RecordSet::State::Browse);
}

void TestUsersWindow::newUserIsStoredEncoded_data()
{
    QTest::addColumn<bool>("untick");
    QTest::addColumn<int>("stepsDown"); // in the level box, from the proposed INICIANTE
    QTest::addColumn<QString>("password");
    QTest::addColumn<QString>("level");
    QTest::addColumn<QString>("firstAccess");
    QTest::newRow("first access, level as proposed") << false << 0 << "1"
                                                     << "Iniciante"
                                                     << "S";
    QTest::newRow("no first access, level picked") << true << 3 << "000"
                                                   << "AVANÇADO"
                                                   << "N";
}

void TestUsersWindow::newUserIsStoredEncoded()
{
    QFETCH(bool, untick);
    QFETCH(int, stepsDown);
    UsersDatabase db;
    db.addUser("0001", "JOSE", "529.982.247-25");
    auto janela = abreJanela();
    DialogScript dialogs;

    // A button's accelerator clicks it shortly after.
    QTest::keyClick(janela.get(), Qt::Key_N, Qt::AltModifier);
    QTRY_COMPARE(usuarios(janela.get())->state(), RecordSet::State::Insert);
    digita(janela->C1J, "maria josé");
    digita(janela->K2J, "12345678909");
    for (int i = 0; i < stepsDown; ++i)
        QTest::keyClick(janela->C5, Qt::Key_Down);
    if (untick)
        clica(janela->DBCheckBox1);
    clica(janela->Botao_Salvar);

    QVERIFY2(dialogs.seen().isEmpty(), qPrintable(dialogs.onlyText()));
    QCOMPARE(db.userCount(), 2);
    QCOMPARE(db.column("0002", "USUARIO").toString(), QStringLiteral("MARIA JOSÉ"));
    QCOMPARE(db.column("0002", "CPF").toString(), QStringLiteral("123.456.789-09"));
    QTEST(db.decoded("0002", "SENHA"), "password");
    QTEST(db.decoded("0002", "CONFIRMA"), "password");
    QTEST(db.decoded("0002", "NIVEL"), "level");
    QVERIFY(db.column("0002", "SENHA").toString() != db.decoded("0002", "SENHA"));
    QTEST(db.column("0002", "PRIMEIRO_ACESSO").toString(), "firstAccess");
    QCOMPARE(db.column("0002", "DIGITADO").toString(), kCarimbo);
    QVERIFY(db.column("0002", "ALTERADO").isNull());

    // Browsing the saved record, its level still encoded.
    QCOMPARE(janela->windowTitle(), QStringLiteral("Usuários - Estocarium"));
    QVERIFY(janela->Botao_Alterar->isEnabled());
    QCOMPARE(janela->K1J->text(), QStringLiteral("0002"));
    QCOMPARE(janela->C5->currentIndex(), -1);
    QCOMPARE(janela->focusWidget(), janela->Botao_Novo);
    QCOMPARE(usuarios(janela.get())->changeCount(), 0);
}

void TestUsersWindow::changedUserIsStoredWithChangeStamp()
{
    UsersDatabase db;
    db.addUser("0001", "JOSE", "529.982.247-25", "ADMINISTRADOR", QByteArray(), "segredo");
    auto janela = abreJanela();
    DialogScript dialogs;

    clica(janela->Botao_Alterar);
    janela->C1J->selectAll();
    QTest::keyClicks(janela->C1J, "jose souza");
    clica(janela->DBCheckBox1);
    QTest::keyClick(janela.get(), Qt::Key_S, Qt::AltModifier); // the name is still in its control
    QTRY_COMPARE(usuarios(janela.get())->state(), RecordSet::State::Browse);

    QVERIFY2(dialogs.seen().isEmpty(), qPrintable(dialogs.onlyText()));
    QCOMPARE(db.column("0001", "USUARIO").toString(), QStringLiteral("JOSE SOUZA"));
    QCOMPARE(db.decoded("0001", "SENHA"), QStringLiteral("000")); // the chosen password is replaced
    QCOMPARE(db.decoded("0001", "NIVEL"), QStringLiteral("ADMINISTRADOR"));
    QCOMPARE(db.column("0001", "PRIMEIRO_ACESSO").toString(), QStringLiteral("N"));
    QCOMPARE(db.column("0001", "ALTERADO").toString(), kCarimbo);
    QCOMPARE(db.column("0001", "DIGITADO").toString(), QStringLiteral("ANTES"));
}

void TestUsersWindow::operatorWithALongNameSavesUsers()
{
    UsersDatabase db;
    Usuario_Nome = QString(100, u'Ç'); // with the CPF and " - ", 117 characters of stamp
    DialogScript dialogs;
    auto janela = abreJanela();

    clica(janela->Botao_Novo);
    digita(janela->C1J, "ANA");
    digita(janela->K2J, "12345678909");
    clica(janela->Botao_Salvar);

    QVERIFY2(dialogs.seen().isEmpty(), qPrintable(dialogs.texts().join('|')));
    QCOMPARE(db.column("0001", "DIGITADO").toString(), (kOperadorCPF + " - " + Usuario_Nome).left(100));
}

void TestUsersWindow::saveStopsAtTheFirstFailedCheck_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("cpf");
    QTest::addColumn<QStringList>("messages");
    QTest::addColumn<QString>("focus");
    QTest::newRow("no name") << ""
                             << "12345678909" << QStringList({"Campo com preenchimento obrigatório!"})
                             << "C1J";
    QTest::newRow("no CPF") << "ANA"
                            << "" << QStringList({"Atenção, procedimento cancelado! Informe CPF"}) << "";
    QTest::newRow("wrong CPF") << "ANA"
                               << "12345678900"
                               << QStringList(
                                      {"CPF incorreto!", "Atenção, procedimento cancelado! Informe CPF"})
                               << "";
}

void TestUsersWindow::saveStopsAtTheFirstFailedCheck()
{
    QFETCH(QString, name);
    QFETCH(QString, cpf);
    QFETCH(QString, focus);
    UsersDatabase db;
    auto janela = abreJanela();
    DialogScript dialogs;

    clica(janela->Botao_Novo);
    digita(janela->C1J, name);
    digita(janela->K2J, cpf);
    clica(janela->Botao_Salvar);

    QTEST(dialogs.texts(), "messages");
    QCOMPARE(db.userCount(), 0);
    QCOMPARE(usuarios(janela.get())->state(), RecordSet::State::Insert);
    QCOMPARE(janela->windowTitle(), QStringLiteral("Usuários - Estocarium - Incluindo"));
    if (!focus.isEmpty())
        QCOMPARE(janela->focusWidget()->objectName(), focus);
    // The provisional password was set before the check that failed, and is still plain.
    if (!name.isEmpty())
        QCOMPARE(usuarios(janela.get())->text("SENHA"), QStringLiteral("1"));
}

void TestUsersWindow::keyViolationKeepsTheRecordForARetry()
{
    UsersDatabase db;
    db.addUser("0001", "JOSE", "529.982.247-25");
    auto janela = abreJanela();
    DialogScript dialogs;

    clica(janela->Botao_Novo);
    digita(janela->C1J, "ANA");
    digita(janela->K2J, "12345678909");
    db.addUser("0002", "OUTRA", "111.444.777-35"); // another workstation took the code meanwhile
    clica(janela->Botao_Salvar);

    // A duplicate key, told by its code: the new record stays an insertion, its code editable.
    QCOMPARE(dialogs.onlyText(), QStringLiteral("Atenção, esse registro já existe, confirme informações!"));
    QCOMPARE(db.column("0002", "USUARIO").toString(), QStringLiteral("OUTRA"));
    QCOMPARE(usuarios(janela.get())->state(), RecordSet::State::Insert);
    QCOMPARE(janela->windowTitle(), QStringLiteral("Usuários - Estocarium - Incluindo"));
    QVERIFY(!janela->K1J->isReadOnly());
    QCOMPARE(janela->C5->currentText(), QStringLiteral("INICIANTE")); // plain again

    dialogs.clear();
    janela->K1J->selectAll();
    digita(janela->K1J, "3");
    clica(janela->Botao_Salvar);
    QVERIFY2(dialogs.seen().isEmpty(), qPrintable(dialogs.onlyText()));
    QCOMPARE(db.column("0003", "USUARIO").toString(), QStringLiteral("ANA"));
    QCOMPARE(db.decoded("0003", "NIVEL"), QStringLiteral("Iniciante")); // encoded once, not twice
    QCOMPARE(db.decoded("0003", "SENHA"), QStringLiteral("1"));
    QCOMPARE(db.userCount(), 3);
}

void TestUsersWindow::cancelAfterARefusedSaveDropsTheInsertion()
{
    UsersDatabase db;
    db.addUser("0001", "JOSE", "529.982.247-25");
    auto janela = abreJanela();
    DialogScript dialogs;

    clica(janela->Botao_Novo);
    digita(janela->C1J, "ANA");
    digita(janela->K2J, "12345678909");
    db.addUser("0002", "OUTRA", "111.444.777-35");
    clica(janela->Botao_Salvar);
    clica(janela->Botao_Cancelar);

    QCOMPARE(usuarios(janela.get())->changeCount(), 0);
    QCOMPARE(usuarios(janela.get())->recordCount(), 1);
    QCOMPARE(janela->K1J->text(), QStringLiteral("0001"));
    QCOMPARE(janela->windowTitle(), QStringLiteral("Usuários - Estocarium"));
    QVERIFY(janela->Botao_Fechar->isEnabled());
    QCOMPARE(db.column("0002", "USUARIO").toString(), QStringLiteral("OUTRA"));
}

void TestUsersWindow::saveWithoutTheDatabaseKeepsTheTypedChange()
{
    UsersDatabase db;
    db.addUser("0001", "JOSE", "529.982.247-25", "EXPERIENTE");
    auto janela = abreJanela();
    DialogScript dialogs;

    clica(janela->Botao_Alterar);
    janela->C1J->selectAll();
    digita(janela->C1J, "OUTRO NOME");
    db.connection()->close();
    db.connection()->setParam("Database", db.folder() + "/SUMIU.FDB");
    clica(janela->Botao_Salvar);

    // Nothing written and nothing lost: the change stays on screen, plain, to be saved again.
    QCOMPARE(dialogs.onlyText(),
             QStringLiteral("Atenção, o arquivo do banco de dados não foi encontrado. Confira "
                            "a pasta de trabalho e o caminho configurado em clientes.ini."));
    QCOMPARE(usuarios(janela.get())->state(), RecordSet::State::Edit);
    QCOMPARE(usuarios(janela.get())->changeCount(), 1);
    QCOMPARE(janela->C1J->text(), QStringLiteral("OUTRO NOME"));
    QCOMPARE(janela->C5->currentText(), QStringLiteral("EXPERIENTE"));
    QCOMPARE(janela->windowTitle(), QStringLiteral("Usuários - Estocarium - Alterando"));
    QVERIFY(janela->Botao_Salvar->isEnabled());

    db.connection()->setParam("Database", db.path());
    dialogs.clear();
    clica(janela->Botao_Salvar);
    QVERIFY2(dialogs.seen().isEmpty(), qPrintable(dialogs.onlyText()));
    QCOMPARE(db.column("0001", "USUARIO").toString(), QStringLiteral("OUTRO NOME"));
    QCOMPARE(db.decoded("0001", "NIVEL"), QStringLiteral("EXPERIENTE")); // encoded once, not twice
}

void TestUsersWindow::cancelRestoresWhatIsStored_data()
{
    QTest::addColumn<QString>("command");
    QTest::newRow("insertion") << "Botao_Novo";
    QTest::newRow("change") << "Botao_Alterar";
}

void TestUsersWindow::cancelRestoresWhatIsStored()
{
    QFETCH(QString, command);
    UsersDatabase db;
    db.addUser("0001", "JOSE", "529.982.247-25", "MÉDIO");
    auto janela = abreJanela();
    const QString senhaGravada = usuarios(janela.get())->text("SENHA");

    clica(janela->findChild<QPushButton *>(command));
    digita(janela->C1J, "TEMPORARIO");
    clica(janela->Botao_Cancelar);

    RecordSet *set = usuarios(janela.get());
    QCOMPARE(set->state(), RecordSet::State::Browse);
    QCOMPARE(set->recordCount(), 1);
    QCOMPARE(janela->K1J->text(), QStringLiteral("0001"));
    QCOMPARE(janela->C1J->text(), QStringLiteral("JOSE"));
    QCOMPARE(set->text("SENHA"), senhaGravada); // encoded again, as stored
    QCOMPARE(janela->C5->currentIndex(), -1);
    QVERIFY(set->isNull("ALTERADO"));
    QCOMPARE(janela->windowTitle(), QStringLiteral("Usuários - Estocarium"));
    QCOMPARE(janela->focusWidget(), janela->Botao_Novo);
    QCOMPARE(db.column("0001", "USUARIO").toString(), QStringLiteral("JOSE"));
    QCOMPARE(db.userCount(), 1);
}

void TestUsersWindow::deletion_data()
{
    QTest::addColumn<bool>("yes");
    QTest::addColumn<bool>("goneMeanwhile");
    QTest::addColumn<QStringList>("messages");
    QTest::addColumn<int>("usersLeft");
    QTest::newRow("answered Yes") << true << false << QStringList() << 0;
    QTest::newRow("answered No") << false << false << QStringList() << 1;
    QTest::newRow("refused by the database")
        << true << true << QStringList({"Atenção, exclusão cancelada!"}) << 0;
}

void TestUsersWindow::deletion()
{
    QFETCH(bool, yes);
    QFETCH(bool, goneMeanwhile);
    QFETCH(QStringList, messages);
    UsersDatabase db;
    db.addUser("0001", "JOSE", "529.982.247-25");
    auto janela = abreJanela();
    DialogScript dialogs;
    dialogs.answer(yes);
    if (goneMeanwhile)
        db.exec("DELETE FROM USUARIOS_ESTOC");

    clica(janela->Botao_Excluir);

    QCOMPARE(dialogs.seen().first().kind, Dialogs::Kind::Question);
    QCOMPARE(dialogs.seen().first().title, QStringLiteral("E s t o c a r i u m - 2017"));
    QCOMPARE(dialogs.seen().first().text, QStringLiteral("Confirma a exclusão ?"));
    QCOMPARE(dialogs.texts().mid(1), messages);
    QTEST(db.userCount(), "usersLeft");
    const bool shown = !yes || goneMeanwhile; // the record is shown again after No or a refusal
    QCOMPARE(usuarios(janela.get())->recordCount(), shown ? 1 : 0);
    QCOMPARE(janela->K1J->text(), shown ? QStringLiteral("0001") : QString());
    QCOMPARE(janela->Botao_Alterar->isEnabled(), shown);
    QCOMPARE(janela->Botao_Excluir->isEnabled(), shown);
    QVERIFY(janela->Botao_Novo->isEnabled());
    QCOMPARE(usuarios(janela.get())->changeCount(), 0);
}

void TestUsersWindow::novoWithoutAFreeCodeLeavesTheWindowBrowsing()
{
    UsersDatabase db;
    db.fillEveryCode();
    auto janela = abreJanela();
    DialogScript dialogs;

    clica(janela->Botao_Novo);

    QCOMPARE(dialogs.seen().size(), 1);
    QCOMPARE(dialogs.seen().first().kind, Dialogs::Kind::Error); // the general error handler
    QVERIFY2(dialogs.seen().first().text.contains("não há código livre"), qPrintable(dialogs.onlyText()));
    QCOMPARE(usuarios(janela.get())->state(), RecordSet::State::Browse);
    QCOMPARE(usuarios(janela.get())->recordCount(), 1); // user 0001, shown before Novo
    QVERIFY(janela->Botao_Novo->isEnabled());
    QVERIFY(!janela->Botao_Salvar->isEnabled());
    QCOMPARE(db.userCount(), 9999);
}

void TestUsersWindow::enterWalksThroughTheControls()
{
    UsersDatabase db;
    auto janela = abreJanela();
    DialogScript dialogs;
    clica(janela->Botao_Novo);
    QCOMPARE(janela->focusWidget(), janela->K1J);

    janela->K1J->selectAll();
    QTest::keyClicks(janela->K1J, "7");
    QStringList walk;
    for (int i = 0; i < 4; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        walk << QApplication::focusWidget()->objectName();
    }
    QCOMPARE(walk, QStringList({"C1J", "K2J", "C5", "Botao_Salvar"}));
    QCOMPARE(janela->K1J->text(), QStringLiteral("0007")); // leaving the code filled it

    // Enter on a button presses it: the empty name stops the save.
    QTest::keyClick(janela->Botao_Salvar, Qt::Key_Return);
    QCOMPARE(dialogs.onlyText(), QStringLiteral("Campo com preenchimento obrigatório!"));
    QCOMPARE(QApplication::focusWidget(), janela->C1J);
}

void TestUsersWindow::ctrlTabVisitsTheVisiblePagesOnly_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<QStringList>("pages");
    QTest::newRow("browsing") << "" << QStringList({"TabSheet1", "TabPesquisaS", "TabCadastro"});
    QTest::newRow("changing") << "Botao_Alterar" << QStringList({"TabSheet1", "TabCadastro", "TabSheet1"});
    QTest::newRow("inserting") << "Botao_Novo" << QStringList({"TabSheet1", "TabCadastro", "TabSheet1"});
}

// The list is hidden while a record is being changed: the keyboard must not reach it either.
void TestUsersWindow::ctrlTabVisitsTheVisiblePagesOnly()
{
    QFETCH(QString, command);
    UsersDatabase db;
    db.addUser("0001", "JOSE", "529.982.247-25");
    auto janela = abreJanela();
    if (!command.isEmpty())
        clica(janela->findChild<QPushButton *>(command));

    QStringList pages;
    for (int i = 0; i < 3; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab, Qt::ControlModifier);
        pages << janela->PageControl1->currentWidget()->objectName();
    }
    QTEST(pages, "pages");
}

void TestUsersWindow::closesOnlyWhileBrowsing()
{
    UsersDatabase db;
    auto janela = abreJanela();
    janela->hide();
    bool done = false;
    QTimer::singleShot(0, [&] {
        auto *modal = qobject_cast<TFrm_Usuarios_Estoc *>(QApplication::activeModalWidget());
        QVERIFY(modal);
        QTest::keyClick(modal, Qt::Key_Escape); // no cancel key, even while browsing
        QVERIFY(modal->isVisible());
        clica(modal->Botao_Novo);
        QTest::keyClick(modal, Qt::Key_Escape);
        modal->close();
        clica(modal->Botao_Fechar);
        QVERIFY(modal->isVisible());
        clica(modal->Botao_Cancelar);
        clica(modal->Botao_Fechar);
        done = true;
    });
    janela->exec();
    QTRY_VERIFY(done);
    QVERIFY(!janela->isVisible());
}

USERS_TEST_MAIN(TestUsersWindow)
#include "tst_window.moc"
