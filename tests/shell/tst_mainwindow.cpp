#include "DialogScript.h"
#include "TestDatabase.h"
#include "dbmaint/MarcaDeAtualizacao.h"
#include "dbmaint/ui/TFrm_AtualizaII.h"
#include "dbmaint/ui/TFrm_AtualizarBanco.h"
#include "session/uTotal.h"
#include "shell/EstocariumApplication.h"
#include "shell/TFrm_Abertura.h"
#include "shell/TFrm_Principal_Estoc.h"
#include "shell/TFrm_Sobre.h"
#include "signin/ui/TFrm_Senha_Estoc.h"
#include "tests/shell/ModalHelper.h"
#include "tests/signin/UsuariosDeTeste.h"
#include "users/ui/TFrm_Usuarios_Estoc.h"
#include "widgets/PictureBox.h"
#include "widgets/Termination.h"

#include <QCalendarWidget>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPointer>
#include <QTest>
#include <QToolBar>
#include <QToolButton>
#include <memory>

// The main window over a real database, with the working folder's configuration and picture.
class TestMainWindow : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void cleanupTestCase();

    void creationComposesTitles_data();
    void creationComposesTitles();
    void componentsAndCommands();
    void maximisedWindowFitsAn800x600Screen_data();
    void maximisedWindowFitsAn800x600Screen();
    void pictureAtCreation_data();
    void pictureAtCreation();
    void databaseFailureAtCreation_data();
    void databaseFailureAtCreation();
    void firstActivationSignsIn_data();
    void firstActivationSignsIn();
    void cancelledSignInEndsProgram();
    void interruptedUpdateIsToldAfterSignIn();
    void laterActivationOnlyRefreshes();
    void aboutWindow();
    void exitConfirmation_data();
    void exitConfirmation();
    void restartAfterWindow_data();
    void restartAfterWindow();
    void usersReportContinuesSession();
    void onlineInformationOpensMakersPage();

private:
    void escreveConfiguracao(const QString &linhas);
    void criaJanela();
    void mostraJanelaVerificada();
    QString pasta() const { return m_db->folder(); }

    std::unique_ptr<TestDatabase> m_db;
    std::unique_ptr<DialogScript> m_dialogs;
    QPointer<TFrm_Principal_Estoc> m_janela;
    QImage m_telaPrincipal;
};

void TestMainWindow::initTestCase()
{
    m_db = std::make_unique<TestDatabase>();
    m_db->createSchema();
    // The suite's organisation table, which the users report reads; no catalogue of this module makes it.
    m_db->exec(
        "CREATE TABLE ORGAOS (I_ORGAO INTEGER NOT NULL PRIMARY KEY, ORGAO VARCHAR(100), CNPJ VARCHAR(18), "
        "CODIGOUA VARCHAR(4), TRATAMENTO VARCHAR(50), TRANSPARENCIA VARCHAR(1), B_LOGOMARCA BLOB SUB_TYPE "
        "0)");
    m_db->exec("INSERT INTO ORGAOS (I_ORGAO, ORGAO) VALUES (1, 'PREFEITURA MUNICIPAL DE SERRA DOURADA')");
    m_telaPrincipal = QImage(320, 240, QImage::Format_RGB32);
    m_telaPrincipal.fill(Qt::darkGreen);
}

void TestMainWindow::cleanupTestCase()
{
    m_db.reset();
}

void TestMainWindow::init()
{
    escreveConfiguracao("codigo=1\n");
    QVERIFY(m_telaPrincipal.save(pasta() + "/TELA_PRINCIPAL.JPG", "JPG"));
    InicializaSessao();
    // A window created in another mode changed the shared connection's parameters.
    SqlConnection *connection = m_db->connection();
    connection->close();
    connection->setParam("Database", m_db->path());
    connection->setParam("User_Name", "sysdba");
    connection->setParam("Password", "quartzite");
    gravaUsuariosDeTeste(*m_db);
    discardTermination();
    m_dialogs = std::make_unique<DialogScript>();
}

void TestMainWindow::cleanup()
{
    delete m_janela;
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    delete Frm_Abertura;
    Frm_Abertura = nullptr;
    m_dialogs.reset();
    QDir::setCurrent(pasta());
}

void TestMainWindow::escreveConfiguracao(const QString &linhas)
{
    QFile ini(pasta() + "/clientes.ini");
    QVERIFY(ini.open(QIODevice::WriteOnly | QIODevice::Truncate));
    ini.write(("[dados_cliente]\n" + linhas).toUtf8());
}

void TestMainWindow::criaJanela()
{
    m_janela = new TFrm_Principal_Estoc;
    m_janela->abreConexao();
    Frm_Principal_Estoc = m_janela;
}

// A main window past its sign-in, shown and active.
void TestMainWindow::mostraJanelaVerificada()
{
    Usuario_Verificado = true;
    criaJanela();
    m_janela->show();
    QVERIFY(QTest::qWaitForWindowActive(m_janela));
    m_dialogs->clear();
}

void TestMainWindow::creationComposesTitles_data()
{
    QTest::addColumn<QString>("config");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("heading");
    QTest::addColumn<QString>("local");
    QTest::addColumn<QString>("message");
    const QString titulo = "Estocarium / Estocarium - 2017 | ";
    const QString perfil = "PREFEITURA MUNICIPAL DE SERRA DOURADA";
    const QString cabecalho = "| 2018 | 12.345.678/0001-95 | 0000 | " + perfil + " |";
    const QString internet =
        "Atenção, procedimento abortado, internet desligada ou problema no seu servidor web";
    QTest::newRow("profile, local") << "codigo=1\n"
                                    << titulo + perfil << cabecalho << ""
                                    << "";
    QTest::newRow("profile, network") << "codigo=1\nrede=1\n"
                                      << titulo + perfil << cabecalho << "rede"
                                      << "";
    QTest::newRow("profile, internet") << "codigo=1\nweb=1\ncaminho=/nenhum/LICITACAO.FDB\n"
                                       << titulo + perfil << cabecalho << "on-line" << internet;
    QTest::newRow("both flags") << "codigo=1\nweb=1\nrede=1\ncaminho=/nenhum/LICITACAO.FDB\n"
                                << titulo + perfil << cabecalho << "rede" << internet;
    QTest::newRow("other client") << "codigo=2\n"
                                  << titulo << "| 2016 |  |  |  |"
                                  << ""
                                  << "";
}

void TestMainWindow::creationComposesTitles()
{
    QFETCH(QString, config);
    QFETCH(QString, local);
    QFETCH(QString, message);
    escreveConfiguracao(config);
    InicializaSessao();
    criaJanela();

    QTEST(m_janela->windowTitle(), "caption");
    QCOMPARE(m_janela->tituloAntesDoAcesso(), m_janela->windowTitle());
    QTEST(m_janela->Label_Empresa->text(), "heading");
    QCOMPARE(m_janela->Label1->text(), QStringLiteral("Estocarium"));
    QCOMPARE(m_janela->Label_Local->text(), local);
    QCOMPARE(m_janela->Label_Local->isVisibleTo(m_janela), !local.isEmpty());
    QCOMPARE(m_dialogs->texts().join('|'), message);
    QCOMPARE(terminationRequested(), !message.isEmpty());
}

void TestMainWindow::maximisedWindowFitsAn800x600Screen_data()
{
    QTest::addColumn<QString>("config");
    QTest::newRow("local") << "codigo=1\n";
    QTest::newRow("network, with its mark") << "codigo=1\nrede=1\n";
}

// Maximised on an 800 x 600 screen, under a title bar, the window gets 800 x 581 (the test
// platform's own screen is larger): the whole window, the calendar's right-hand columns and its
// next-month arrow included, must fit in that.
void TestMainWindow::maximisedWindowFitsAn800x600Screen()
{
    QFETCH(QString, config);
    escreveConfiguracao(config);
    InicializaSessao();
    criaJanela();
    const QSize maximizada(800, 581);
    m_janela->resize(maximizada);
    m_janela->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_janela));

    QCOMPARE(m_janela->size(), maximizada);
    QVERIFY2(m_janela->minimumSizeHint().width() <= maximizada.width(),
             qPrintable(QString::number(m_janela->minimumSizeHint().width())));
    auto *seguinte = m_janela->calendario->findChild<QWidget *>(QStringLiteral("qt_calendar_nextmonth"));
    QVERIFY(seguinte);
    for (QWidget *parte : {static_cast<QWidget *>(m_janela->calendario), seguinte}) {
        const QRect area(parte->mapTo(m_janela, QPoint(0, 0)), parte->size());
        QVERIFY2(m_janela->rect().contains(area), qPrintable(parte->objectName()));
    }
}

void TestMainWindow::componentsAndCommands()
{
    criaJanela();
    QCOMPARE(m_janela->ToolBar1->height(), 49);
    // Tool buttons from the left, each the button of its command's one action: the menu entry and
    // the button share text, state and handler.
    const QList<QPair<QToolButton *, QAction *>> botoes{
        {m_janela->SpeedButton6, m_janela->Usurios2},
        {m_janela->SpeedButton5, m_janela->Calculadora1},
        {m_janela->SpeedButton8, m_janela->AtualizarBancodeDadosI1},
        {m_janela->SpeedButton4, m_janela->AtualizarBancodeDadosII1},
        {m_janela->SpeedButton1, m_janela->Sair1}};
    const QList<QAction *> ordem = m_janela->ToolBar1->actions();
    QCOMPARE(ordem.size(), botoes.size());
    for (int i = 0; i < botoes.size(); ++i) {
        QCOMPARE(ordem.at(i), botoes.at(i).second);
        QCOMPARE(m_janela->ToolBar1->widgetForAction(ordem.at(i)), botoes.at(i).first);
        QCOMPARE(botoes.at(i).first->size(), QSize(50, 44));
        QVERIFY(!botoes.at(i).first->icon().isNull());
    }
    // A button's tooltip keeps its own wording beside the menu's caption.
    QCOMPARE(m_janela->SpeedButton8->toolTip(), QStringLiteral("Atualiza Banco de Dados"));
    QCOMPARE(m_janela->AtualizarBancodeDadosI1->text(), QStringLiteral("Atualizar Banco de Dados"));

    // The menu, in order; the "Usuários" menu and its button are hidden until an administrator signs in.
    QStringList menu;
    for (QAction *top : m_janela->MainMenu1->actions()) {
        menu << top->text();
        if (top->menu())
            for (QAction *entry : top->menu()->actions()) {
                menu << "  " + entry->text();
                QVERIFY2(!entry->icon().isNull(), qPrintable(entry->text()));
                if (entry->menu())
                    for (QAction *sub : entry->menu()->actions())
                        menu << "    " + sub->text();
            }
    }
    QCOMPARE(menu,
             QStringList({"Usuários", "  Usuários", "  Relatórios", "    Relatório dos Usuários",
                          "Procedimentos", "  Atualizar Banco de Dados", "  Atualizar Banco de Dados II",
                          "Ajuda", "  Sobre", "  Informações on-line", "Sair"}));
    // A picture on "Sair" would take the place of its caption in the menu bar; its button has one.
    QVERIFY(m_janela->Sair1->icon().isNull());
    QVERIFY(!m_janela->Usurios1->menuAction()->isVisible());
    QVERIFY(!ordem.at(0)->isVisible());
    QVERIFY(ordem.at(1)->isVisible());

    QCOMPARE(m_janela->Label_Empresa->font().pixelSize(), 16);
    QCOMPARE(m_janela->Label1->font().pixelSize(), 67);
    QVERIFY(m_janela->Label1->font().bold() && m_janela->Label1->font().underline());

    m_janela->calculadora.desktopWindows = [] { return QList<DesktopWindow>{{"Calculadora", "", 0}}; };
    m_janela->SpeedButton5->click();
    QCOMPARE(m_dialogs->onlyText(), QStringLiteral("Calculadora não disponível"));
}

void TestMainWindow::pictureAtCreation_data()
{
    QTest::addColumn<QByteArray>("file"); // empty: no file
    QTest::addColumn<QString>("message");
    QTest::addColumn<QSize>("picture");
    QTest::newRow("readable") << QByteArray("ok") << "" << QSize(320, 240);
    QTest::newRow("missing") << QByteArray() << "Erro imagem" << QSize(800, 601);
    QTest::newRow("not a picture") << QByteArray("\xFF\xD8 broken") << "Erro imagem" << QSize(800, 601);
}

void TestMainWindow::pictureAtCreation()
{
    QFETCH(QByteArray, file);
    QFile picture(pasta() + "/TELA_PRINCIPAL.JPG");
    if (file.isEmpty()) {
        picture.remove();
    } else if (file != "ok") {
        QVERIFY(picture.open(QIODevice::WriteOnly | QIODevice::Truncate));
        picture.write(file);
        picture.close();
    }
    criaJanela();
    QCOMPARE(m_dialogs->texts().join('|'),
             QTest::currentDataTag() == QByteArray("readable") ? "" : "Erro imagem");
    QTEST(m_janela->Image1->picture().size(), "picture");
    QCOMPARE(m_janela->Image2->picture().size(), QSize(1333, 541));
}

void TestMainWindow::databaseFailureAtCreation_data()
{
    QTest::addColumn<QString>("config");
    QTest::addColumn<bool>("internet");
    QTest::newRow("local") << "codigo=1\n" << false;
    QTest::newRow("network") << "codigo=1\nrede=1\n" << false;
    QTest::newRow("internet") << "codigo=1\nweb=1\ncaminho=/nenhum/LICITACAO.FDB\n" << true;
}

void TestMainWindow::databaseFailureAtCreation()
{
    QFETCH(QString, config);
    QFETCH(bool, internet);
    // A working folder with configuration and picture, but no database file.
    QTemporaryDir vazia;
    QFile::copy(pasta() + "/TELA_PRINCIPAL.JPG", vazia.path() + "/TELA_PRINCIPAL.JPG");
    QDir::setCurrent(vazia.path());
    escreveConfiguracao(config);
    QFile::copy(pasta() + "/clientes.ini", vazia.path() + "/clientes.ini");
    InicializaSessao();
    criaJanela();

    QVERIFY(m_janela);
    QCOMPARE(m_dialogs->seen().size(), 1);
    const Dialogs::Request &box = m_dialogs->seen().first();
    if (internet) {
        QCOMPARE(box.kind, Dialogs::Kind::Message);
        QVERIFY(terminationRequested());
        // The remaining steps ran: the picture was loaded.
        QCOMPARE(m_janela->Image1->picture().size(), QSize(320, 240));
    } else {
        // In Portuguese, with the database layer's own text below it, in the standard error
        // box; the picture step is skipped.
        QCOMPARE(box.kind, Dialogs::Kind::Error);
        QCOMPARE(box.text,
                 QStringLiteral("Atenção, o arquivo do banco de dados não foi encontrado. Confira a "
                                "pasta de trabalho e o caminho configurado em clientes.ini."));
        QVERIFY2(box.detail.contains("LICITACAO.FDB"), qPrintable(box.detail));
        QVERIFY(!terminationRequested());
        QCOMPARE(m_janela->Image1->picture().size(), QSize(800, 601));
    }
}

void TestMainWindow::firstActivationSignsIn_data()
{
    QTest::addColumn<QString>("codigo");
    QTest::addColumn<QString>("senha");
    QTest::addColumn<bool>("admin");
    QTest::newRow("administrator") << "1"
                                   << "Segredo" << true;
    QTest::newRow("not an administrator") << "4"
                                          << "abc" << false;
}

void TestMainWindow::firstActivationSignsIn()
{
    QFETCH(QString, codigo);
    QFETCH(QString, senha);
    QFETCH(bool, admin);
    Frm_Abertura = new TFrm_Abertura;
    Frm_Abertura->show();
    criaJanela();

    bool splashGoneBeforeLogin = false;
    bool loginIsReferenced = false;
    quandoModal([&](QWidget *modal) {
        auto *login = qobject_cast<TFrm_Senha_Estoc *>(modal);
        QVERIFY(login);
        splashGoneBeforeLogin = Frm_Abertura == nullptr;
        loginIsReferenced = Frm_Senha_Estoc == login;
        QTest::keyClicks(login->Campo1, codigo);
        QTest::keyClick(login->Campo1, Qt::Key_Return);
        QTest::keyClicks(login->Campo2, senha);
        QTest::keyClick(login->Campo2, Qt::Key_Return);
        QTest::keyClick(login->Campo3, Qt::Key_Return);
        QTest::keyClick(login->Botao_Entrar, Qt::Key_Return);
    });
    m_janela->showMaximized();
    QTRY_VERIFY(Usuario_Verificado);

    QVERIFY(splashGoneBeforeLogin);
    QVERIFY(loginIsReferenced);
    QCOMPARE(Frm_Senha_Estoc, nullptr);
    QVERIFY(m_janela->findChildren<TFrm_Senha_Estoc *>().isEmpty());
    QVERIFY(!terminationRequested());
    QCOMPARE(Usuario_Codigo, codigo.rightJustified(4, '0'));
    QVERIFY(m_janela->windowTitle().startsWith(m_janela->tituloAntesDoAcesso() + " - 12/2018 | Usuário: "));
    QCOMPARE(m_janela->windowTitle().endsWith("   * ADMINISTRADOR *   "), admin);
    QCOMPARE(m_janela->Usurios1->menuAction()->isVisible(), admin);
    QCOMPARE(m_janela->Usurios2->isVisible(), admin);
    // The tool bar shows or hides the button when it lays itself out again, after the sign-in.
    QTRY_COMPARE(m_janela->SpeedButton6->isVisible(), admin);
    // The exit button's picture is its own, not its action's: the sign-in, which shows or hides
    // commands, leaves it.
    QVERIFY(!m_janela->SpeedButton1->icon().isNull());
    // The heading keeps the year it was composed with.
    QVERIFY(m_janela->Label_Empresa->text().startsWith("| 2018 |"));
    QVERIFY(m_janela->isMaximized());
    QCOMPARE(m_janela->calendario->selectedDate(), QDate::currentDate());
}

void TestMainWindow::cancelledSignInEndsProgram()
{
    criaJanela();
    quandoModal([](QWidget *modal) { QTest::keyClick(modal, Qt::Key_Escape); });
    m_janela->show();
    QTRY_VERIFY(Usuario_Verificado);
    QVERIFY(terminationRequested());
    QCOMPARE(Frm_Senha_Estoc, nullptr);
    QVERIFY(m_dialogs->seen().isEmpty()); // no exit question
}

// A schema update killed before its end left its marker: whoever signs in next is told, with the
// copy to put back, until a run ends or the copy is back.
void TestMainWindow::interruptedUpdateIsToldAfterSignIn()
{
    const MarcaDeAtualizacao marca(m_db->path());
    const QString copia = pasta() + "/LICITACAO-copia-2026-03-09-081500.fbk";
    QVERIFY(marca.grava({QDateTime(QDate(2026, 3, 9), QTime(8, 15, 0)), copia}).isEmpty());
    criaJanela();
    quandoModal([](QWidget *modal) {
        auto *login = qobject_cast<TFrm_Senha_Estoc *>(modal);
        QVERIFY(login);
        QTest::keyClicks(login->Campo1, "4");
        QTest::keyClick(login->Campo1, Qt::Key_Return);
        QTest::keyClicks(login->Campo2, "abc");
        QTest::keyClick(login->Campo2, Qt::Key_Return);
        QTest::keyClick(login->Campo3, Qt::Key_Return);
        QTest::keyClick(login->Botao_Entrar, Qt::Key_Return);
    });
    m_janela->show();
    QTRY_VERIFY(Usuario_Verificado);
    marca.remove();

    QCOMPARE(m_dialogs->seen().size(), 1);
    QCOMPARE(m_dialogs->seen().first().kind, Dialogs::Kind::Message);
    QCOMPARE(
        m_dialogs->seen().first().text,
        QString("Atenção, a última atualização do banco de dados, iniciada em 09/03/2026 às 08:15:00, não "
                "terminou (o programa foi fechado à força ou o computador desligou) e o banco pode ter "
                "ficado incompleto. Execute a atualização de novo; se ela não puder terminar, recoloque a "
                "cópia de segurança.\n"
                "A cópia de segurança feita antes da atualização está neste computador em %2. Para "
                "recolocá-la, feche o programa em todas as estações e execute neste computador: "
                "estocarium-db restore %1 %2")
            .arg(pasta(), copia));
}

void TestMainWindow::laterActivationOnlyRefreshes()
{
    mostraJanelaVerificada();
    m_janela->calendario->setSelectedDate(QDate(2000, 1, 1));
    QWidget outra;
    outra.show();
    QVERIFY(QTest::qWaitForWindowActive(&outra));
    m_janela->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_janela));
    QTRY_COMPARE(m_janela->calendario->selectedDate(), QDate::currentDate());
    QVERIFY(QApplication::activeModalWidget() == nullptr);
    QCOMPARE(Frm_Senha_Estoc, nullptr);
}

void TestMainWindow::aboutWindow()
{
    mostraJanelaVerificada();
    QList<QPointer<TFrm_Sobre>> vistas;
    bool escapeIgnored = false;
    const auto fechaSobre = [&](QWidget *modal) {
        auto *sobre = qobject_cast<TFrm_Sobre *>(modal);
        QVERIFY(sobre && sobre == Frm_Sobre);
        QCOMPARE(sobre->windowTitle(), QStringLiteral("Nimbo Softwares"));
        QCOMPARE(sobre->Image1->pictureRect(), QRect(0, 0, 532, 400));
        QTest::keyClick(sobre, Qt::Key_Escape);
        escapeIgnored = sobre->isVisible();
        vistas.append(sobre);
        sobre->close();
    };
    for (int vez = 0; vez < 2; ++vez) {
        quandoModal(fechaSobre);
        m_janela->Sobre1->trigger();
        QVERIFY(escapeIgnored);
        QCOMPARE(Frm_Sobre, nullptr);
    }
    // A fresh window each time, released once closed.
    QCOMPARE(vistas.size(), 2);
    QVERIFY(vistas.at(0).isNull() && vistas.at(1).isNull());
    QVERIFY(m_dialogs->seen().isEmpty());
    QVERIFY(!terminationRequested());
}

void TestMainWindow::exitConfirmation_data()
{
    QTest::addColumn<QString>("how");
    QTest::addColumn<bool>("yes");
    for (const char *how : {"menu", "button", "frame"}) {
        QTest::addRow("%s, no", how) << how << false;
        QTest::addRow("%s, yes", how) << how << true;
    }
}

void TestMainWindow::exitConfirmation()
{
    QFETCH(QString, how);
    QFETCH(bool, yes);
    mostraJanelaVerificada();
    m_dialogs->answer(yes);
    if (how == "menu")
        m_janela->Sair1->trigger();
    else if (how == "button")
        QTest::mouseClick(m_janela->SpeedButton1, Qt::LeftButton);
    else
        m_janela->close();

    QCOMPARE(m_dialogs->seen().size(), 1);
    QCOMPARE(m_dialogs->seen().first().kind, Dialogs::Kind::Question);
    QCOMPARE(m_dialogs->seen().first().title, QStringLiteral("Estocarium / Estocarium - 2017"));
    QCOMPARE(m_dialogs->seen().first().text, QStringLiteral("Deseja sair do sistema?"));
    if (yes) {
        QCOMPARE(Frm_Principal_Estoc, nullptr);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(m_janela.isNull());
    } else {
        QVERIFY(m_janela->isVisible());
        QCOMPARE(Frm_Principal_Estoc, m_janela.data());
    }
    QVERIFY(!terminationRequested());
}

void TestMainWindow::restartAfterWindow_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<QString>("windowClass");
    QTest::addColumn<QString>("message");
    const QString dados =
        "Atenção, para atualização dos dados, o Estocarium / Estocarium - 2017 será reiniciado.";
    QTest::newRow("update I, menu") << "AtualizarBancodeDadosI1"
                                    << "TFrm_AtualizarBanco" << dados;
    QTest::newRow("update I, button") << "SpeedButton8"
                                      << "TFrm_AtualizarBanco" << dados;
    QTest::newRow("update II, menu") << "AtualizarBancodeDadosII1"
                                     << "TFrm_AtualizaII" << dados;
    QTest::newRow("update II, button") << "SpeedButton4"
                                       << "TFrm_AtualizaII" << dados;
    QTest::newRow("users, menu") << "Usurios2"
                                 << "TFrm_Usuarios_Estoc"
                                 << "Atenção, para atualização dos dados dos Usuários, o Estocarium / "
                                    "Estocarium - 2017 será reiniciado.";
}

void TestMainWindow::restartAfterWindow()
{
    QFETCH(QString, command);
    QFETCH(QString, windowClass);
    mostraJanelaVerificada();

    QString shown;
    bool referenced = false;
    quandoModal([&](QWidget *modal) {
        shown = QString::fromLatin1(modal->metaObject()->className());
        referenced = modal == Frm_AtualizarBanco || modal == Frm_AtualizaII || modal == Frm_Usuarios_Estoc;
        modal->close();
    });
    if (auto *action = m_janela->findChild<QAction *>(command))
        action->trigger();
    else
        QTest::mouseClick(m_janela->findChild<QToolButton *>(command), Qt::LeftButton);

    QCOMPARE(shown, windowClass);
    QVERIFY(referenced);
    QVERIFY(!Frm_AtualizarBanco && !Frm_AtualizaII && !Frm_Usuarios_Estoc);
    QTEST(m_dialogs->onlyText(), "message");
    QCOMPARE(m_dialogs->seen().first().kind, Dialogs::Kind::Message);
    QVERIFY(terminationRequested());
}

void TestMainWindow::usersReportContinuesSession()
{
    mostraJanelaVerificada();
    QString shown;
    quandoModal([&](QWidget *modal) {
        shown = QString::fromLatin1(modal->metaObject()->className());
        modal->close();
    });
    m_janela->RelatriodosUsurios1->trigger();
    QCOMPARE(shown, QStringLiteral("ReportPreview"));
    QCOMPARE(TituloRelatorio, QStringLiteral("Relatório dos Usuários"));
    QVERIFY(m_dialogs->seen().isEmpty());
    QVERIFY(!terminationRequested());
    QVERIFY(m_janela->isVisible());
}

void TestMainWindow::onlineInformationOpensMakersPage()
{
    criaJanela();
    QStringList started;
    m_janela->navegador.findProgram = [](const QString &program) { return "/usr/bin/" + program; };
    m_janela->navegador.startProgram = [&](const QString &path, const QStringList &arguments) {
        started << (QStringList{path} + arguments).join(' ');
        return true;
    };
    m_janela->Informaesonline1->trigger();
    QCOMPARE(started.size(), 1);
    QVERIFY2(started.first().endsWith(" http://www.nimbo.example.org"), qPrintable(started.first()));
}

int main(int argc, char **argv)
{
    EstocariumApplication app(argc, argv);
    TestMainWindow test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_mainwindow.moc"
