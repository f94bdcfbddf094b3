#include "DialogScript.h"
#include "TestDatabase.h"
#include "session/uTotal.h"
#include "shell/EstocariumApplication.h"
#include "shell/TFrm_Principal_Estoc.h"
#include "signin/ui/TFrm_Senha_Estoc.h"
#include "tests/signin/UsuariosDeTeste.h"
#include "widgets/Termination.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <memory>

// The login dialog against a real database holding the users of UsuariosDeTeste.h.
class TestLogin : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void cleanupTestCase();

    void formShowFillsPeriodsAndTitle();
    void leavingCodeLooksUpUser_data();
    void leavingCodeLooksUpUser();
    void codeTakesFourDigitsOnly_data();
    void codeTakesFourDigitsOnly();
    void enterWalksTheFieldsAndSignsIn();
    void signInRefusals_data();
    void signInRefusals();
    void signInEstablishesSession_data();
    void signInEstablishesSession();
    void firstAccess_data();
    void firstAccess();
    void sessionEstablishedAgainKeepsOneSuffix();
    void codeRetypedWithoutLeavingTheField_data();
    void codeRetypedWithoutLeavingTheField();
    void closing_data();
    void closing();
    void lookupErrorReachesErrorBox();
    void leavingWhileLookupFails_data();
    void leavingWhileLookupFails();
    void tooLongFirstAccessPasswordIsAskedAgain();

private:
    // Types the code, leaves the field with Enter, types the password.
    void preenche(const QString &codigo, const QString &senha);
    QString sufixo() const;

    std::unique_ptr<TestDatabase> m_db;
    std::unique_ptr<DialogScript> m_dialogs;
    TFrm_Principal_Estoc *m_principal = nullptr;
    TFrm_Senha_Estoc *m_dlg = nullptr;
};

void TestLogin::initTestCase()
{
    m_db = std::make_unique<TestDatabase>();
    m_db->createSchema();
    InicializaSessao();
    // The dialog writes the main window's title; the window is created, never shown.
    DialogScript ignoreMissingPicture;
    m_principal = new TFrm_Principal_Estoc;
    m_principal->abreConexao();
    Frm_Principal_Estoc = m_principal;
}

void TestLogin::cleanupTestCase()
{
    delete m_principal;
    m_db.reset();
}

void TestLogin::init()
{
    gravaUsuariosDeTeste(*m_db);
    Meses_Trabalho = {"03/2018", "12/2017"};
    Mes_Vero = "01";
    Ano_Vero = "2016";
    Usuario_Codigo.clear();
    Usuario_Nome.clear();
    Usuario_CPF.clear();
    uAdministrador = false;
    uAdministradorTemporario = true;
    resetTermination();
    m_principal->setWindowTitle(m_principal->tituloAntesDoAcesso());
    m_dialogs = std::make_unique<DialogScript>();
    m_dlg = new TFrm_Senha_Estoc(m_principal);
    m_dlg->show();
    QVERIFY(QTest::qWaitForWindowActive(m_dlg));
}

void TestLogin::cleanup()
{
    delete m_dlg;
    m_dlg = nullptr;
    m_dialogs.reset();
}

void TestLogin::preenche(const QString &codigo, const QString &senha)
{
    m_dlg->Campo1->setFocus();
    QTest::keyClicks(m_dlg->Campo1, codigo);
    QTest::keyClick(m_dlg->Campo1, Qt::Key_Return);
    QTest::keyClicks(m_dlg->Campo2, senha);
}

QString TestLogin::sufixo() const
{
    return m_principal->windowTitle().mid(m_principal->tituloAntesDoAcesso().size());
}

void TestLogin::formShowFillsPeriodsAndTitle()
{
    QCOMPARE(m_dlg->windowTitle(), QStringLiteral("Estocarium / Estocarium - 2017"));
    QCOMPARE(m_dlg->Campo3->count(), 2);
    QCOMPARE(m_dlg->Campo3->itemText(1), QStringLiteral("12/2017"));
    QCOMPARE(m_dlg->Campo3->currentText(), QStringLiteral("03/2018"));
    QCOMPARE(m_dlg->focusWidget(), m_dlg->Campo1);
    QVERIFY(!m_dlg->LPrimeiroAcesso->isVisible());
    QCOMPARE(m_dlg->Botao_Entrar->text(), QStringLiteral("&Entrar       "));
    QCOMPARE(m_dlg->Campo2->echoMode(), QLineEdit::Password);
    QCOMPARE(m_dlg->Campo2->style()->styleHint(QStyle::SH_LineEdit_PasswordCharacter, nullptr, m_dlg->Campo2),
             int('@'));
    // No close box and no system menu.
    QVERIFY(!(m_dlg->windowFlags() & (Qt::WindowCloseButtonHint | Qt::WindowSystemMenuHint)));
}

void TestLogin::leavingCodeLooksUpUser_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("padded");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("cpf");
    QTest::addColumn<bool>("hint");
    QTest::newRow("known user") << "1"
                                << "0001"
                                << "MARIA DA SILVA"
                                << "123.456.789-09" << false;
    QTest::newRow("first access") << "42"
                                  << "0042"
                                  << "PEDRO ALVES"
                                  << "390.533.447-05" << true;
    QTest::newRow("unknown") << "999"
                             << "0999"
                             << ""
                             << "" << false;
    QTest::newRow("empty field") << ""
                                 << "0000"
                                 << ""
                                 << "" << false;
}

void TestLogin::leavingCodeLooksUpUser()
{
    QFETCH(QString, typed);
    QFETCH(bool, hint);
    // A previous lookup must be replaced, whatever it found.
    preenche("2", QString());
    QVERIFY(m_dlg->LPrimeiroAcesso->isVisible());

    m_dlg->Campo1->setFocus();
    m_dlg->Campo1->clear();
    QTest::keyClicks(m_dlg->Campo1, typed);
    QTest::keyClick(m_dlg->Campo1, Qt::Key_Tab);
    QTEST(m_dlg->Campo1->text(), "padded");
    QTEST(m_dlg->CampoE4->text(), "name");
    QTEST(m_dlg->CampoE5->text(), "cpf");
    QCOMPARE(m_dlg->LPrimeiroAcesso->isVisible(), hint);
    QCOMPARE(m_dlg->focusWidget(), m_dlg->Campo2); // the read-only fields are skipped
    QVERIFY(m_dialogs->seen().isEmpty());
}

void TestLogin::codeTakesFourDigitsOnly_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("pasted");
    QTest::addColumn<QString>("typedInFront"); // typed after moving the cursor to the start
    QTest::addColumn<QString>("expected");
    QTest::newRow("letters and punctuation typed") << "1a-2, 3"
                                                   << ""
                                                   << ""
                                                   << "123";
    QTest::newRow("fifth digit typed") << "12345"
                                       << ""
                                       << ""
                                       << "1234";
    QTest::newRow("pasted with letters") << ""
                                         << "9a8b7"
                                         << ""
                                         << "987";
    QTest::newRow("pasted too long") << "1"
                                     << "234567"
                                     << ""
                                     << "1234";
    QTest::newRow("pasted quote") << ""
                                  << "1' OR '1'='1"
                                  << ""
                                  << "111";
    QTest::newRow("fifth digit typed in front") << "1234"
                                                << ""
                                                << "5"
                                                << "1234";
    QTest::newRow("fourth digit typed in front") << "123"
                                                 << ""
                                                 << "9"
                                                 << "9123";
}

void TestLogin::codeTakesFourDigitsOnly()
{
    QFETCH(QString, typed);
    QFETCH(QString, pasted);
    QFETCH(QString, typedInFront);
    m_dlg->Campo1->setFocus();
    QTest::keyClicks(m_dlg->Campo1, typed);
    m_dlg->Campo1->insert(pasted); // what pasting does
    if (!typedInFront.isEmpty()) {
        m_dlg->Campo1->home(false);
        QTest::keyClicks(m_dlg->Campo1, typedInFront);
    }
    QTEST(m_dlg->Campo1->text(), "expected");
}

void TestLogin::enterWalksTheFieldsAndSignsIn()
{
    m_dlg->Campo1->setFocus();
    QTest::keyClicks(m_dlg->Campo1, "1");
    QTest::keyClick(m_dlg->Campo1, Qt::Key_Return);
    QCOMPARE(m_dlg->focusWidget(), m_dlg->Campo2);
    QTest::keyClicks(m_dlg->Campo2, "Segredo");
    QTest::keyClick(m_dlg->Campo2, Qt::Key_Return);
    QCOMPARE(m_dlg->focusWidget(), m_dlg->Campo3);
    QTest::keyClick(m_dlg->Campo3, Qt::Key_Return);
    QCOMPARE(m_dlg->focusWidget(), m_dlg->Botao_Entrar);
    QTest::keyClick(m_dlg->Botao_Entrar, Qt::Key_Return);
    QVERIFY(!m_dlg->isVisible());
    QCOMPARE(Usuario_Codigo, QStringLiteral("0001"));
    QVERIFY(!terminationRequested());
    QVERIFY(m_dialogs->seen().isEmpty());
}

void TestLogin::signInRefusals_data()
{
    QTest::addColumn<QString>("codigo");
    QTest::addColumn<QString>("senha");
    QTest::addColumn<QString>("message");
    QTest::newRow("unknown code") << "77"
                                  << "1"
                                  << "Primeiro informe usuário válido!";
    QTest::newRow("user without name") << "3"
                                       << "x"
                                       << "Primeiro informe usuário válido!";
    QTest::newRow("wrong password") << "1"
                                    << "errada"
                                    << "Atenção, senha inválida!";
    QTest::newRow("other case") << "1"
                                << "segredo"
                                << "Atenção, senha inválida!";
    QTest::newRow("trailing blank") << "1"
                                    << "Segredo "
                                    << "Atenção, senha inválida!";
}

void TestLogin::signInRefusals()
{
    QFETCH(QString, codigo);
    QFETCH(QString, senha);
    preenche(codigo, senha);
    m_dlg->Campo3->setFocus();
    QTest::mouseClick(m_dlg->Botao_Entrar, Qt::LeftButton);
    QTEST(m_dialogs->onlyText(), "message");
    QVERIFY(m_dlg->isVisible());
    QCOMPARE(m_dlg->Campo2->text(), senha);
    QCOMPARE(Usuario_Codigo, QString());
    QCOMPARE(m_principal->windowTitle(), m_principal->tituloAntesDoAcesso());
    if (codigo != "1")
        return;
    // Back in the password field, and another attempt is allowed.
    QCOMPARE(m_dlg->focusWidget(), m_dlg->Campo2);
    m_dlg->Campo2->setText("Segredo");
    QTest::mouseClick(m_dlg->Botao_Entrar, Qt::LeftButton);
    QVERIFY(!m_dlg->isVisible());
    QCOMPARE(Usuario_Codigo, QStringLiteral("0001"));
}

void TestLogin::signInEstablishesSession_data()
{
    QTest::addColumn<QString>("codigo");
    QTest::addColumn<QString>("senha");
    QTest::addColumn<int>("period");
    QTest::addColumn<bool>("admin");
    QTest::addColumn<QString>("suffix");
    QTest::newRow("administrator")
        << "0001"
        << "Segredo" << 0 << true
        << " - 03/2018 | Usuário: 123.456.789-09 - MARIA DA SILVA   * ADMINISTRADOR *   ";
    QTest::newRow("mixed-case level")
        << "4"
        << "abc" << 1 << false << " - 12/2017 | Usuário: 987.654.321-00 - ANA LIMA";
    QTest::newRow("beginner") << "2"
                              << "1" << 1 << false << " - 12/2017 | Usuário: 529.982.247-25 - JOSÉ SOUZA";
    // A client without the built-in profile has no working periods.
    QTest::newRow("no periods") << "4"
                                << "abc" << -1 << false << " - / | Usuário: 987.654.321-00 - ANA LIMA";
}

void TestLogin::signInEstablishesSession()
{
    QFETCH(QString, codigo);
    QFETCH(QString, senha);
    QFETCH(int, period);
    QFETCH(bool, admin);
    m_dialogs->answerNo(); // a first-access question is cancelled
    if (period < 0) {
        Meses_Trabalho.clear();
        delete m_dlg;
        m_dlg = new TFrm_Senha_Estoc(m_principal);
        m_dlg->show();
        QVERIFY(QTest::qWaitForWindowActive(m_dlg));
        QCOMPARE(m_dlg->Campo3->count(), 0);
    }
    preenche(codigo, senha);
    m_dlg->Campo3->setCurrentIndex(period);
    QTest::mouseClick(m_dlg->Botao_Entrar, Qt::LeftButton);

    QVERIFY2(!m_dlg->isVisible(), qPrintable(m_dialogs->texts().join('|')));
    QVERIFY(!terminationRequested());
    QCOMPARE(Mes_Vero, m_dlg->Campo3->currentText().left(2));
    QCOMPARE(Ano_Vero, m_dlg->Campo3->currentText().right(4));
    QCOMPARE(Usuario_Codigo, codigo.rightJustified(4, '0'));
    QCOMPARE(Usuario_Nome, m_dlg->CampoE4->text());
    QCOMPARE(Usuario_CPF, m_dlg->CampoE5->text());
    QCOMPARE(uAdministrador, admin);
    QVERIFY(!uAdministradorTemporario);
    QTEST(sufixo(), "suffix");
}

void TestLogin::firstAccess_data()
{
    QTest::addColumn<bool>("confirmed");
    QTest::addColumn<QString>("newPassword");
    QTest::addColumn<QString>("stored");
    QTest::newRow("confirmed") << true << "abc"
                               << "abc";
    QTest::newRow("quotes") << true << "O'Brien' OR '1'='1"
                            << "O'Brien' OR '1'='1";
    QTest::newRow("empty") << true << ""
                           << "";
    QTest::newRow("cancelled") << false << "abc"
                               << "1";
}

void TestLogin::firstAccess()
{
    QFETCH(bool, confirmed);
    QFETCH(QString, newPassword);
    QFETCH(QString, stored);
    m_dialogs->answer(confirmed, newPassword);
    preenche("2", "1");
    QVERIFY(m_dlg->LPrimeiroAcesso->isVisible());
    QTest::mouseClick(m_dlg->Botao_Entrar, Qt::LeftButton);

    QCOMPARE(m_dialogs->seen().size(), 1);
    const Dialogs::Request &box = m_dialogs->seen().first();
    QCOMPARE(box.kind, Dialogs::Kind::Input);
    QCOMPARE(box.title, QStringLiteral("Atenção"));
    QCOMPARE(box.text, QStringLiteral("Informe sua nova senha : "));
    QCOMPARE(box.value, QString());

    QCOMPARE(colunaDecodificada(*m_db, "SENHA", "0002"), stored);
    QCOMPARE(colunaDecodificada(*m_db, "CONFIRMA", "0002"), stored);
    QCOMPARE(m_db->scalar("SELECT COUNT(*) FROM USUARIOS_ESTOC").toInt(), usuariosDeTeste().size());
    QCOMPARE(colunaDecodificada(*m_db, "SENHA", "0042"), QStringLiteral("1")); // only that user
    // The sign-in completes either way, and the close check still accepts the typed "1".
    QVERIFY(!m_dlg->isVisible());
    QVERIFY(!terminationRequested());
    QCOMPARE(Usuario_Codigo, QStringLiteral("0002"));
}

void TestLogin::sessionEstablishedAgainKeepsOneSuffix()
{
    preenche("1", "Segredo");
    QTest::mouseClick(m_dlg->Botao_Entrar, Qt::LeftButton); // establishes, closes, close check establishes
    const QString title = m_principal->windowTitle();
    QCOMPARE(title.count(" | Usuário: "), 1);

    // The caller closes the hidden dialog once more: the close check runs again.
    Usuario_Codigo.clear();
    m_dlg->close();
    QCOMPARE(Usuario_Codigo, QStringLiteral("0001"));
    QCOMPARE(m_principal->windowTitle(), title);
    QVERIFY(!terminationRequested());
}

void TestLogin::codeRetypedWithoutLeavingTheField_data()
{
    QTest::addColumn<QString>("retyped");
    QTest::addColumn<QString>("how");
    QTest::addColumn<QString>("signedIn"); // the session's user code, empty when not signed in
    QTest::addColumn<QStringList>("messages");
    // 0001 keeps its own password: 0002's first-access "1" must not open it.
    QTest::newRow("Alt+E, other user's password") << "0001"
                                                  << "alt+e"
                                                  << "" << QStringList{"Atenção, senha inválida!"};
    QTest::newRow("closed, other user's password") << "0001"
                                                   << "close"
                                                   << "" << QStringList();
    // 0042 also has the first-access password: the new password goes to 0042, not to 0002.
    QTest::newRow("Alt+E, same password") << "42"
                                          << "alt+e"
                                          << "0042" << QStringList{"Informe sua nova senha : "};
}

void TestLogin::codeRetypedWithoutLeavingTheField()
{
    QFETCH(QString, retyped);
    QFETCH(QString, how);
    QFETCH(QString, signedIn);
    m_dialogs->answer(true, "nova");
    // 0002 looked up, its password typed, then another code typed over it, by keyboard only.
    m_dlg->Campo1->setFocus();
    QTest::keyClicks(m_dlg->Campo1, "0002");
    QTest::keyClick(m_dlg->Campo1, Qt::Key_Tab);
    QTest::keyClicks(m_dlg->Campo2, "1");
    QTest::keyClick(m_dlg->Campo2, Qt::Key_Backtab);
    QCOMPARE(m_dlg->focusWidget(), m_dlg->Campo1);
    QCOMPARE(m_dlg->CampoE4->text(), QStringLiteral("JOSÉ SOUZA"));
    QTest::keyClicks(m_dlg->Campo1, retyped); // the tab selected the whole field
    if (how == "alt+e") {
        QTest::keyClick(m_dlg->Campo1, Qt::Key_E, Qt::AltModifier);
        QTRY_VERIFY(!m_dialogs->seen().isEmpty());
    } else {
        m_dlg->close();
    }

    QStringList texts;
    for (const Dialogs::Request &box : m_dialogs->seen())
        texts << box.text;
    QTEST(texts, "messages");
    QCOMPARE(Usuario_Codigo, signedIn);
    QCOMPARE(terminationRequested(), how == "close");
    QCOMPARE(colunaDecodificada(*m_db, "SENHA", "0001"), QStringLiteral("Segredo"));
    QCOMPARE(colunaDecodificada(*m_db, "CONFIRMA", "0001"), QStringLiteral("Segredo"));
    QCOMPARE(colunaDecodificada(*m_db, "SENHA", "0002"), QStringLiteral("1"));
    if (!signedIn.isEmpty()) {
        QCOMPARE(Usuario_Nome, QStringLiteral("PEDRO ALVES"));
        QCOMPARE(colunaDecodificada(*m_db, "SENHA", signedIn), QStringLiteral("nova"));
        QCOMPARE(colunaDecodificada(*m_db, "CONFIRMA", signedIn), QStringLiteral("nova"));
    }
}

void TestLogin::closing_data()
{
    QTest::addColumn<QString>("codigo");
    QTest::addColumn<QString>("senha");
    QTest::addColumn<QString>("how");
    QTest::addColumn<bool>("signedIn");
    QTest::newRow("escape, valid") << "1"
                                   << "Segredo"
                                   << "escape" << true;
    QTest::newRow("cancel button, valid") << "1"
                                          << "Segredo"
                                          << "cancel" << true;
    QTest::newRow("escape, nothing typed") << ""
                                           << ""
                                           << "escape" << false;
    QTest::newRow("closed, valid") << "1"
                                   << "Segredo"
                                   << "close" << true;
    QTest::newRow("closed, wrong password") << "1"
                                            << "x"
                                            << "close" << false;
    QTest::newRow("closed, unknown code") << "55"
                                          << ""
                                          << "close" << false;
}

void TestLogin::closing()
{
    QFETCH(QString, codigo);
    QFETCH(QString, senha);
    QFETCH(QString, how);
    QFETCH(bool, signedIn);
    preenche(codigo, senha);
    if (how == "escape")
        QTest::keyClick(m_dlg->Campo2, Qt::Key_Escape);
    else if (how == "cancel")
        QTest::mouseClick(m_dlg->Botao_Cancelar, Qt::LeftButton);
    else
        m_dlg->close();

    QVERIFY(!m_dlg->isVisible());
    // Cancel and Escape end the program whatever the fields hold; any other close only
    // when the code and password are not valid.
    QCOMPARE(terminationRequested(), how != "close" || !signedIn);
    QCOMPARE(Usuario_Codigo, signedIn ? QStringLiteral("0001") : QString());
    QVERIFY(m_dialogs->seen().isEmpty());
}

void TestLogin::lookupErrorReachesErrorBox()
{
    m_db->exec("ALTER TABLE USUARIOS_ESTOC ALTER COLUMN USUARIO TO NOME");
    preenche("1", QString());
    m_db->exec("ALTER TABLE USUARIOS_ESTOC ALTER COLUMN NOME TO USUARIO");

    QCOMPARE(m_dialogs->seen().size(), 1);
    QCOMPARE(m_dialogs->seen().first().kind, Dialogs::Kind::Error);
    QCOMPARE(
        m_dialogs->seen().first().text,
        QStringLiteral("Atenção, o banco de dados não está preparado: falta uma tabela ou coluna. Execute "
                       "as atualizações do banco (menu Procedimentos, ou estocarium-db update)."));
    QVERIFY2(m_dialogs->seen().first().detail.contains("USUARIO"),
             qPrintable(m_dialogs->seen().first().detail));
    QVERIFY(m_dlg->isVisible());
    QCOMPARE(m_dlg->Campo1->text(), QStringLiteral("0001"));
    QCOMPARE(m_dlg->CampoE4->text(), QString());
}

void TestLogin::leavingWhileLookupFails_data()
{
    QTest::addColumn<QString>("how");
    QTest::addColumn<bool>("lookedUpBefore"); // the code's look-up failed once already
    for (const char *how : {"escape", "alt+c", "cancel clicked", "close"}) {
        QTest::addRow("%s, code still in its field", how) << how << false;
        QTest::addRow("%s, after a failed look-up", how) << how << true;
    }
}

void TestLogin::leavingWhileLookupFails()
{
    QFETCH(QString, how);
    QFETCH(bool, lookedUpBefore);
    // The look-up fails from here on, as it does with the file missing or the server off.
    m_db->exec("ALTER TABLE USUARIOS_ESTOC ALTER COLUMN USUARIO TO NOME");
    m_dlg->Campo1->setFocus();
    QTest::keyClicks(m_dlg->Campo1, "1");
    if (lookedUpBefore) {
        QTest::keyClick(m_dlg->Campo1, Qt::Key_Return);
        QCOMPARE(m_dialogs->seen().size(), 1);
        m_dlg->Campo1->setFocus();
    }
    if (how == "escape")
        QTest::keyClick(m_dlg->Campo1, Qt::Key_Escape);
    else if (how == "alt+c")
        QTest::keyClick(m_dlg->Campo1, Qt::Key_C, Qt::AltModifier);
    else if (how == "cancel clicked")
        QTest::mouseClick(m_dlg->Botao_Cancelar, Qt::LeftButton);
    else
        m_dlg->close();

    // Closed, no second error box, and the program asked to end: nobody was signed in.
    QTRY_VERIFY(!m_dlg->isVisible());
    m_db->exec("ALTER TABLE USUARIOS_ESTOC ALTER COLUMN NOME TO USUARIO");
    QCOMPARE(m_dialogs->seen().size(), lookedUpBefore ? 1 : 0);
    QVERIFY(terminationRequested());
    QCOMPARE(Usuario_Codigo, QString());
}

void TestLogin::tooLongFirstAccessPasswordIsAskedAgain()
{
    // Longer than the column: refused before anything is written, with the limit; asked again.
    m_dialogs->answer(true, QString(21, QLatin1Char('z'))).answer(true).answer(false);
    preenche("2", "1");
    QTest::keyClick(m_dlg->Campo2, Qt::Key_Return);
    QTest::keyClick(m_dlg->Campo3, Qt::Key_Return);
    QTest::keyClick(m_dlg->Botao_Entrar, Qt::Key_Return);

    QCOMPARE(
        m_dialogs->texts(),
        QStringList({QStringLiteral("Informe sua nova senha : "),
                     QStringLiteral("Atenção, a senha pode ter no máximo 20 caracteres; nada foi gravado. "
                                    "Informe uma senha mais curta."),
                     QStringLiteral("Informe sua nova senha : ")}));
    QCOMPARE(Usuario_Codigo, QStringLiteral("0002"));
    QCOMPARE(colunaDecodificada(*m_db, "SENHA", "0002"), QStringLiteral("1"));
    QCOMPARE(colunaDecodificada(*m_db, "CONFIRMA", "0002"), QStringLiteral("1"));
}

int main(int argc, char **argv)
{
    EstocariumApplication app(argc, argv);
    TestLogin test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_login.moc"
