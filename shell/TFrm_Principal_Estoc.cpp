#include "shell/TFrm_Principal_Estoc.h"

#include "common/DateSettings.h"
#include "dbmaint/TextosDaCopia.h"
#include "dbmaint/ui/TFrm_AtualizaII.h"
#include "dbmaint/ui/TFrm_AtualizarBanco.h"
#include "reports/ui/ExecutaRelatorioUsuarios.h"
#include "session/TdmPrincipal.h"
#include "session/uTotal.h"
#include "shell/ConnectionSetup.h"
#include "shell/EstocariumApplication.h"
#include "shell/TFrm_Abertura.h"
#include "shell/TFrm_Sobre.h"
#include "signin/ui/TFrm_Senha_Estoc.h"
#include "users/ui/TFrm_Usuarios_Estoc.h"
#include "widgets/DecodedPictures.h"
#include "widgets/Dialogs.h"
#include "widgets/ModalWindow.h"
#include "widgets/Termination.h"

#include <QCalendarWidget>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QTimer>
#include <QToolButton>

TFrm_Principal_Estoc *Frm_Principal_Estoc = nullptr;

namespace
{

// The maker's web page, opened by "Informações on-line".
const QString kEnderecoNimbo = QStringLiteral("http://www.nimbo.example.org");

// A command's picture: the 16-pixel one in the menu, the 32-pixel one on its tool button; a
// command with only one of the two has no picture in the other place.
QIcon iconeDoComando(const char *menu, const char *botao = nullptr)
{
    QIcon icon;
    if (menu)
        icon.addFile(QStringLiteral(":/icons/%1-16.png").arg(QLatin1String(menu)));
    if (botao)
        icon.addFile(QStringLiteral(":/icons/%1-32.png").arg(QLatin1String(botao)));
    return icon;
}

// Designer states fonts in points; the headings over the picture are sized in pixels.
void tamanhoEmPixels(QLabel *label, int pixelSize)
{
    QFont font = label->font();
    font.setPixelSize(pixelSize);
    label->setFont(font);
}

// The calendar's month arrows: Qt first asks the desktop's icon theme for them, a search
// through every folder of the theme that costs the start-up several milliseconds; the themes
// installed with the program hold no such arrows, so Qt's own are drawn in any case. The
// calendar is built asking for Qt's own directly.
QCalendarWidget *criaCalendario(QWidget *parent)
{
    const bool desktopSettingsAware = QGuiApplication::desktopSettingsAware();
    QGuiApplication::setDesktopSettingsAware(false);
    auto *calendar = new QCalendarWidget(parent);
    QGuiApplication::setDesktopSettingsAware(desktopSettingsAware);
    return calendar;
}

QString mensagemDeReinicio(const QString &dosQue)
{
    return QStringLiteral("Atenção, para atualização dos dados") + dosQue + QStringLiteral(", o ") +
           Descricao_Sistema_Estoc + QStringLiteral(" será reiniciado.");
}

} // namespace

TFrm_Principal_Estoc::TFrm_Principal_Estoc()
{
    criaComponentes();
    FormCreate();
}

TFrm_Principal_Estoc::~TFrm_Principal_Estoc()
{
    if (Frm_Principal_Estoc == this)
        Frm_Principal_Estoc = nullptr;
}

void TFrm_Principal_Estoc::criaComponentes()
{
    setupUi(this);
    tamanhoEmPixels(Label_Empresa, 16);
    tamanhoEmPixels(Label1, 67);
    tamanhoEmPixels(Label_Local, 67);
    const QString fundo = QStringLiteral(":/images/background.jpg");
    // First drawn once the window shows, after the database has been opened: decoded meanwhile.
    DecodedPictures::prefetch(fundo);
    Image2->setBuiltInPicture(fundo);

    calendario = criaCalendario(colunaDoCalendario);
    calendario->setObjectName(QStringLiteral("calendario"));
    calendario->setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
    pintaTituloDoCalendario();
    colunaDoCalendarioLayout->insertWidget(0, calendario);

    iconesDosComandos();
    botoesDaBarra();
    ligaComandos();
}

void TFrm_Principal_Estoc::pintaTituloDoCalendario()
{
    // Through the palette, not a style sheet: a style sheet brings the style-sheet engine into
    // the whole calendar, which costs the start-up a visible share of its time.
    auto *titulo = calendario->findChild<QWidget *>(QStringLiteral("qt_calendar_navigationbar"));
    if (!titulo)
        return;
    QPalette palette = titulo->palette();
    palette.setColor(QPalette::Window, QColor(0, 0, 255));
    palette.setColor(QPalette::WindowText, Qt::white);
    palette.setColor(QPalette::ButtonText, Qt::white);
    titulo->setPalette(palette);
    titulo->setAutoFillBackground(true);
    for (QToolButton *botao : titulo->findChildren<QToolButton *>()) {
        QFont font = botao->font();
        font.setBold(true);
        botao->setFont(font);
    }
}

void TFrm_Principal_Estoc::iconesDosComandos()
{
    Usurios2->setIcon(iconeDoComando("users", "users"));
    Relatrios1->setIcon(iconeDoComando("reports"));
    RelatriodosUsurios1->setIcon(iconeDoComando("users-report"));
    AtualizarBancodeDadosI1->setIcon(iconeDoComando("dbupdate", "dbupdate"));
    AtualizarBancodeDadosII1->setIcon(iconeDoComando("dbupdate", "dbupdate2"));
    Sobre1->setIcon(iconeDoComando("about"));
    Informaesonline1->setIcon(iconeDoComando("online"));
    Calculadora1->setIcon(iconeDoComando(nullptr, "calculator"));
}

void TFrm_Principal_Estoc::botoesDaBarra()
{
    // The tool bar makes a button for each of its commands; they keep the window's names and
    // size, and Tab reaches them as it reaches every button of the window.
    const auto botao = [this](QAction *action, const char *name) {
        auto *button = qobject_cast<QToolButton *>(ToolBar1->widgetForAction(action));
        button->setObjectName(QLatin1String(name));
        button->setFixedSize(50, 44);
        button->setFocusPolicy(Qt::TabFocus);
        return button;
    };
    SpeedButton6 = botao(Usurios2, "SpeedButton6");
    SpeedButton5 = botao(Calculadora1, "SpeedButton5");
    SpeedButton8 = botao(AtualizarBancodeDadosI1, "SpeedButton8");
    SpeedButton4 = botao(AtualizarBancodeDadosII1, "SpeedButton4");
    SpeedButton1 = botao(Sair1, "SpeedButton1");
    // A menu bar draws an action's picture in place of its caption, so "Sair" has its picture on
    // its button alone. The button takes the action's picture again whenever the action changes,
    // and nothing changes Sair1 after this.
    SpeedButton1->setIcon(iconeDoComando(nullptr, "exit"));
}

void TFrm_Principal_Estoc::ligaComandos()
{
    connect(Usurios2, &QAction::triggered, this, &TFrm_Principal_Estoc::Usurios2Click);
    connect(RelatriodosUsurios1, &QAction::triggered, this, &TFrm_Principal_Estoc::RelatriodosUsurios1Click);
    connect(AtualizarBancodeDadosI1, &QAction::triggered, this,
            &TFrm_Principal_Estoc::AtualizarBancodeDadosI1Click);
    connect(AtualizarBancodeDadosII1, &QAction::triggered, this,
            &TFrm_Principal_Estoc::AtualizarBancodeDadosII1Click);
    connect(Sobre1, &QAction::triggered, this, &TFrm_Principal_Estoc::Sobre1Click);
    connect(Informaesonline1, &QAction::triggered, this, &TFrm_Principal_Estoc::Informaesonline1Click);
    connect(Calculadora1, &QAction::triggered, this, &TFrm_Principal_Estoc::SpeedButton5Click);
    connect(Sair1, &QAction::triggered, this, &TFrm_Principal_Estoc::Sair1Click);
}

void TFrm_Principal_Estoc::FormCreate()
{
    m_tituloAntesDoAcesso = Descricao_Sistema_Estoc + QStringLiteral(" | ") + Descricao_Cliente;
    setWindowTitle(m_tituloAntesDoAcesso);
    Label_Empresa->setText(QStringLiteral("| ") + Ano_Vero + QStringLiteral(" | ") + Descricao_CNPJ_Cliente +
                           QStringLiteral(" | ") + Descricao_UA + QStringLiteral(" | ") + Descricao_Cliente +
                           QStringLiteral(" |"));
    if (Sistema_na_Rede)
        Label_Local->setText(QStringLiteral("rede"));
    else if (Sistema_na_WEB)
        Label_Local->setText(QStringLiteral("on-line"));
    else
        Label_Local->hide();
    mostraComandosDoAdministrador(false);
}

void TFrm_Principal_Estoc::abreConexao()
{
    try {
        ConfiguraConexao();
    } catch (...) {
        // The window opens all the same; each later query tries the connection again.
        EstocariumApplication::showException(std::current_exception());
        return;
    }
    if (!Image1->loadFile(DiretorioCorrente + QStringLiteral("/TELA_PRINCIPAL.JPG")))
        Dialogs::message(this, QStringLiteral("Erro imagem"));
}

bool TFrm_Principal_Estoc::event(QEvent *event)
{
    // Run after the activation has been dispatched: the first one opens a modal dialog, which
    // must not start inside the window system's activation handling.
    if (event->type() == QEvent::WindowActivate)
        QTimer::singleShot(0, this, &TFrm_Principal_Estoc::FormActivate);
    return QMainWindow::event(event);
}

void TFrm_Principal_Estoc::FormActivate()
{
    AcertaPadraoData();
    calendario->setSelectedDate(QDate::currentDate());
    calendario->showSelectedDate();
    // A second activation while the login dialog is still up (its own return) has nothing to do.
    if (Usuario_Verificado || Frm_Senha_Estoc)
        return;

    ModalWindow::run(
        Frm_Senha_Estoc, [this] { return new TFrm_Senha_Estoc(this); },
        [](TFrm_Senha_Estoc &) { ModalWindow::release(Frm_Abertura); });
    Usuario_Verificado = true;
    mostraComandosDoAdministrador(uAdministrador);
    if (!terminationRequested())
        avisaAtualizacaoInterrompida();
}

// Told to whoever signs in, at every start until the update is run to its end or the copy is put
// back: until then the database may be incomplete.
void TFrm_Principal_Estoc::avisaAtualizacaoInterrompida()
{
    const QString database = dmPrincipal->NimboConnection->param(QStringLiteral("Database"));
    if (const std::optional<MarcaDeAtualizacao::Conteudo> marca = MarcaDeAtualizacao(database).le())
        Dialogs::message(this, textoDaAtualizacaoInterrompida(database, *marca));
}

void TFrm_Principal_Estoc::mostraComandosDoAdministrador(bool visible)
{
    // The menu, and its one command that also has a tool button.
    Usurios1->menuAction()->setVisible(visible);
    Usurios2->setVisible(visible);
}

void TFrm_Principal_Estoc::closeEvent(QCloseEvent *event)
{
    if (!Dialogs::question(this, Descricao_Sistema_Estoc, QStringLiteral("Deseja sair do sistema?"))) {
        event->ignore();
        return;
    }
    setAttribute(Qt::WA_DeleteOnClose);
    Frm_Principal_Estoc = nullptr;
    event->accept();
}

void TFrm_Principal_Estoc::Usurios2Click()
{
    ModalWindow::runThenRestart(
        this, mensagemDeReinicio(QStringLiteral(" dos Usuários")), Frm_Usuarios_Estoc,
        [this] { return new TFrm_Usuarios_Estoc(this); },
        [](TFrm_Usuarios_Estoc &window) { window.Botao_AtivaDesativa->click(); });
}

void TFrm_Principal_Estoc::RelatriodosUsurios1Click()
{
    executaRelatorioUsuarios(this, RelatriodosUsurios1->text(), Filtros);
}

void TFrm_Principal_Estoc::AtualizarBancodeDadosI1Click()
{
    ModalWindow::runThenRestart(this, mensagemDeReinicio(QString()), Frm_AtualizarBanco,
                                [this] { return new TFrm_AtualizarBanco(this); });
}

void TFrm_Principal_Estoc::AtualizarBancodeDadosII1Click()
{
    ModalWindow::runThenRestart(this, mensagemDeReinicio(QString()), Frm_AtualizaII,
                                [this] { return new TFrm_AtualizaII(this); });
}

void TFrm_Principal_Estoc::Sobre1Click()
{
    ModalWindow::run(Frm_Sobre, [this] { return new TFrm_Sobre(this); });
}

void TFrm_Principal_Estoc::Informaesonline1Click()
{
    navegador.open(this, kEnderecoNimbo);
}

void TFrm_Principal_Estoc::SpeedButton5Click()
{
    calculadora.run(this);
}

void TFrm_Principal_Estoc::Sair1Click()
{
    close();
}
