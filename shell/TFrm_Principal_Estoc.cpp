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
#include "widgets/PictureBox.h"
#include "widgets/Termination.h"

#include <QCalendarWidget>
#include <QCloseEvent>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

TFrm_Principal_Estoc *Frm_Principal_Estoc = nullptr;

namespace
{

// The maker's web page, opened by "Informações on-line".
const QString kEnderecoNimbo = QStringLiteral("http://www.nimbo.example.org");

QFont fonteDoTitulo(int pixelSize)
{
    QFont font;
    font.setFamilies({QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans")});
    font.setPixelSize(pixelSize);
    font.setBold(true);
    font.setUnderline(true);
    return font;
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
    setObjectName(QStringLiteral("Frm_Principal_Estoc"));
    QFont font;
    font.setFamilies({QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans")});
    font.setPointSize(8);
    setFont(font);

    criaMenu();
    criaBarraDeFerramentas();

    auto *central = new QWidget(this);
    auto *layout = new QHBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(criaAreaDaImagem(), 1);

    auto *colunaDoCalendario = new QWidget(central);
    colunaDoCalendario->setFixedWidth(250);
    auto *coluna = new QVBoxLayout(colunaDoCalendario);
    coluna->setContentsMargins(0, 0, 0, 0);
    calendario = criaCalendario(colunaDoCalendario);
    calendario->setObjectName(QStringLiteral("calendario"));
    calendario->setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
    pintaTituloDoCalendario();
    coluna->addWidget(calendario);
    coluna->addStretch(1);
    layout->addWidget(colunaDoCalendario);
    setCentralWidget(central);
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

void TFrm_Principal_Estoc::criaBarraDeFerramentas()
{
    ToolBar1 = new QToolBar(this);
    ToolBar1->setObjectName(QStringLiteral("ToolBar1"));
    ToolBar1->setMovable(false);
    ToolBar1->setFloatable(false);
    ToolBar1->setFixedHeight(49);
    ToolBar1->setIconSize(QSize(32, 32));
    ToolBar1->setContextMenuPolicy(Qt::PreventContextMenu);
    ToolBar1->setAutoFillBackground(true);
    QPalette palette = ToolBar1->palette();
    palette.setColor(QPalette::Window, QColor(200, 200, 200)); // the system scroll-bar colour
    ToolBar1->setPalette(palette);
    addToolBar(Qt::TopToolBarArea, ToolBar1);

    const auto botao = [this](const char *name, const char *icon, const QString &tip, auto handler) {
        auto *button = new QToolButton(ToolBar1);
        button->setObjectName(QLatin1String(name));
        button->setFixedSize(50, 44);
        button->setIcon(QIcon(QStringLiteral(":/icons/%1-32.png").arg(QLatin1String(icon))));
        button->setToolTip(tip);
        button->setAutoRaise(true);
        connect(button, &QToolButton::clicked, this, handler);
        return button;
    };
    SpeedButton6 =
        botao("SpeedButton6", "users", QStringLiteral("Usuários"), &TFrm_Principal_Estoc::Usurios2Click);
    SpeedButton5 = botao("SpeedButton5", "calculator", QStringLiteral("Calculadora"),
                         &TFrm_Principal_Estoc::SpeedButton5Click);
    SpeedButton8 = botao("SpeedButton8", "dbupdate", QStringLiteral("Atualiza Banco de Dados"),
                         &TFrm_Principal_Estoc::AtualizarBancodeDadosI1Click);
    SpeedButton4 = botao("SpeedButton4", "dbupdate2", QStringLiteral("Atualiza Banco de Dados"),
                         &TFrm_Principal_Estoc::AtualizarBancodeDadosII1Click);
    SpeedButton1 =
        botao("SpeedButton1", "exit", QStringLiteral("Sair do Sistema"), &TFrm_Principal_Estoc::Sair1Click);
    m_acaoSpeedButton6 = ToolBar1->addWidget(SpeedButton6);
    for (QToolButton *button : {SpeedButton5, SpeedButton8, SpeedButton4, SpeedButton1})
        ToolBar1->addWidget(button);
}

void TFrm_Principal_Estoc::criaMenu()
{
    MainMenu1 = menuBar();
    MainMenu1->setObjectName(QStringLiteral("MainMenu1"));
    const auto icone = [](const char *name) {
        return QIcon(QStringLiteral(":/icons/%1-16.png").arg(QLatin1String(name)));
    };
    const auto acao = [this](QMenu *menu, const char *name, const QString &text, const char *icon) {
        QAction *action =
            menu->addAction(QIcon(QStringLiteral(":/icons/%1-16.png").arg(QLatin1String(icon))), text);
        action->setObjectName(QLatin1String(name));
        return action;
    };

    Usurios1 = MainMenu1->addMenu(QStringLiteral("Usuários"));
    Usurios1->setObjectName(QStringLiteral("Usurios1"));
    Usurios2 = acao(Usurios1, "Usurios2", QStringLiteral("Usuários"), "users");
    Relatrios1 = Usurios1->addMenu(icone("reports"), QStringLiteral("Relatórios"));
    Relatrios1->setObjectName(QStringLiteral("Relatrios1"));
    RelatriodosUsurios1 =
        acao(Relatrios1, "RelatriodosUsurios1", QStringLiteral("Relatório dos Usuários"), "users-report");

    Procedimentos1 = MainMenu1->addMenu(QStringLiteral("Procedimentos"));
    Procedimentos1->setObjectName(QStringLiteral("Procedimentos1"));
    AtualizarBancodeDadosI1 = acao(Procedimentos1, "AtualizarBancodeDadosI1",
                                   QStringLiteral("Atualizar Banco de Dados"), "dbupdate");
    AtualizarBancodeDadosII1 = acao(Procedimentos1, "AtualizarBancodeDadosII1",
                                    QStringLiteral("Atualizar Banco de Dados II"), "dbupdate");

    Ajuda1 = MainMenu1->addMenu(QStringLiteral("Ajuda"));
    Ajuda1->setObjectName(QStringLiteral("Ajuda1"));
    Sobre1 = acao(Ajuda1, "Sobre1", QStringLiteral("Sobre"), "about");
    Informaesonline1 = acao(Ajuda1, "Informaesonline1", QStringLiteral("Informações on-line"), "online");

    Sair1 = MainMenu1->addAction(QStringLiteral("Sair"));
    Sair1->setObjectName(QStringLiteral("Sair1"));

    connect(Usurios2, &QAction::triggered, this, &TFrm_Principal_Estoc::Usurios2Click);
    connect(RelatriodosUsurios1, &QAction::triggered, this, &TFrm_Principal_Estoc::RelatriodosUsurios1Click);
    connect(AtualizarBancodeDadosI1, &QAction::triggered, this,
            &TFrm_Principal_Estoc::AtualizarBancodeDadosI1Click);
    connect(AtualizarBancodeDadosII1, &QAction::triggered, this,
            &TFrm_Principal_Estoc::AtualizarBancodeDadosII1Click);
    connect(Sobre1, &QAction::triggered, this, &TFrm_Principal_Estoc::Sobre1Click);
    connect(Informaesonline1, &QAction::triggered, this, &TFrm_Principal_Estoc::Informaesonline1Click);
    connect(Sair1, &QAction::triggered, this, &TFrm_Principal_Estoc::Sair1Click);
}

QWidget *TFrm_Principal_Estoc::criaAreaDaImagem()
{
    auto *area = new QWidget;
    auto *grid = new QGridLayout(area);
    grid->setContentsMargins(0, 0, 0, 0);

    Image2 = new PictureBox(PictureBox::Fit::Stretch, area);
    Image2->setObjectName(QStringLiteral("Image2"));
    const QString fundo = QStringLiteral(":/images/background.jpg");
    // First drawn once the window shows, after the database has been opened: decoded meanwhile.
    DecodedPictures::prefetch(fundo);
    Image2->setBuiltInPicture(fundo);
    Image1 = new PictureBox(PictureBox::Fit::Centre, area);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setBuiltInPicture(QStringLiteral(":/images/splash.jpg"));
    // Neither picture may make the window ask for more room than the screen has.
    Image2->setMinimumSize(1, 1);
    Image1->setMinimumSize(1, 1);
    grid->addWidget(Image2, 0, 0);
    grid->addWidget(Image1, 0, 0);

    auto *titulos = new QWidget(area);
    auto *coluna = new QVBoxLayout(titulos);
    coluna->setContentsMargins(8, 8, 0, 0);
    coluna->setSpacing(4);

    Label_Empresa = new QLabel(titulos);
    Label_Empresa->setObjectName(QStringLiteral("Label_Empresa"));
    Label_Empresa->setFont(fonteDoTitulo(16));
    QPalette branco = Label_Empresa->palette();
    branco.setColor(QPalette::WindowText, Qt::white);
    Label_Empresa->setPalette(branco); // on a transparent background: the label fills nothing

    const auto tituloOpaco = [titulos](const char *name) {
        auto *label = new QLabel(titulos);
        label->setObjectName(QLatin1String(name));
        label->setFont(fonteDoTitulo(67));
        label->setAutoFillBackground(true);
        QPalette palette = label->palette();
        palette.setColor(QPalette::WindowText, QColor(0, 0, 255));
        label->setPalette(palette);
        return label;
    };
    Label1 = tituloOpaco("Label1");
    Label1->setText(QStringLiteral("Estocarium"));
    Label_Local = tituloOpaco("Label_Local");

    for (QLabel *label : {Label_Empresa, Label1, Label_Local})
        coluna->addWidget(label, 0, Qt::AlignLeft);
    // Nor may the heading line: on a narrow screen (800 pixels) it is cut at the calendar rather
    // than pushing the calendar and the window's right edge off the screen.
    titulos->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    grid->addWidget(titulos, 0, 0, Qt::AlignTop | Qt::AlignLeft);
    return area;
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
    Usurios1->menuAction()->setVisible(visible);
    m_acaoSpeedButton6->setVisible(visible);
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
