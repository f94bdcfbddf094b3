#include "users/ui/TFrm_Usuarios_Estoc.h"

#include "records/ui/BoundCheckBox.h"
#include "records/ui/BoundComboBox.h"
#include "records/ui/BoundLineEdit.h"
#include "records/ui/LinkLabel.h"
#include "records/ui/RecordGrid.h"
#include "records/ui/UpperCaseValidator.h"
#include "users/ui/TabPage.h"
#include "users/ui/TdmUsuarios_Estoc.h"

#include <QGuiApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QShortcut>
#include <QTabWidget>

TFrm_Usuarios_Estoc *Frm_Usuarios_Estoc = nullptr;

namespace
{

const QColor kCinza(192, 192, 192);

} // namespace

template<typename T, typename... Args>
T *TFrm_Usuarios_Estoc::criar(const char *name, Args &&...args)
{
    T *component = new T(std::forward<Args>(args)...);
    component->setObjectName(QString::fromLatin1(name));
    m_components.append(component);
    return component;
}

QPushButton *TFrm_Usuarios_Estoc::criarBotao(const char *name, const QString &caption, QWidget *page)
{
    QPushButton *button = criar<QPushButton>(name, caption, page);
    // Enter is the window's key for moving on; no button may take it as a default.
    button->setAutoDefault(false);
    return button;
}

QLabel *TFrm_Usuarios_Estoc::criarRotulo(const char *name, const QString &caption, QWidget *page, int x,
                                         int y)
{
    QLabel *label = criar<QLabel>(name, caption, page);
    label->move(x, y);
    label->adjustSize();
    return label;
}

TFrm_Usuarios_Estoc::TFrm_Usuarios_Estoc(QWidget *owner)
    : QDialog(owner, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint)
{
    setFixedSize(706, 415);
    dmUsuarios_Estoc = new TdmUsuarios_Estoc(this);

    Titulo = criar<QLabel>("Titulo", QStringLiteral("Usuários - Estocarium"), this);
    Titulo->hide();
    PageControl1 = criar<QTabWidget>("PageControl1", this);
    PageControl1->setGeometry(4, 4, 698, 407);

    criaPaginaCadastro();
    criaPaginaFoto();
    criaPaginaPesquisa();

    for (QObject *component : std::as_const(m_components))
        component->installEventFilter(this);

    FormCreate();
}

void TFrm_Usuarios_Estoc::criaPaginaCadastro()
{
    RecordSet *usuarios = dmUsuarios_Estoc->cdsUsuarios;
    TabCadastro = criar<TabPage>("TabCadastro");
    PageControl1->addTab(TabCadastro, QStringLiteral("Cadastro"));
    TabCadastro->setOnShow([this] { TabCadastroShow(); });

    criarRotulo("Label1", QStringLiteral("Código"), TabCadastro, 16, 12);
    K1J = criar<BoundLineEdit>("K1J", TabCadastro);
    K1J->bind(usuarios, QStringLiteral("IDUSUARIO"));
    K1J->setGeometry(16, 30, 80, 23);
    K1J->setTyping(BoundLineEdit::Typing::Digits);

    criarRotulo("Label2", QStringLiteral("Usuário"), TabCadastro, 108, 12);
    C1J = criar<BoundLineEdit>("C1J", TabCadastro);
    C1J->bind(usuarios, QStringLiteral("USUARIO"));
    C1J->setGeometry(108, 30, 450, 23);
    C1J->setTyping(BoundLineEdit::Typing::UpperCase);

    criarRotulo("Label3", QStringLiteral("C P F"), TabCadastro, 16, 64);
    K2J = criar<BoundLineEdit>("K2J", TabCadastro);
    K2J->bind(usuarios, QStringLiteral("CPF"));
    K2J->setGeometry(16, 82, 130, 23);
    K2J->setTyping(BoundLineEdit::Typing::UpperCase);
    // Digits only: a "#" would also take the signs + and -.
    K2J->setInputMask(QStringLiteral("000.000.000-00"));

    criarRotulo("Label4", QStringLiteral("Nível"), TabCadastro, 160, 64);
    C5 = criar<BoundComboBox>("C5", TabCadastro);
    C5->setGeometry(160, 82, 170, 23);
    C5->addItems({QStringLiteral("INICIANTE"), QStringLiteral("MÉDIO"), QStringLiteral("EXPERIENTE"),
                  QStringLiteral("AVANÇADO"), QStringLiteral("ADMINISTRADOR")});
    C5->bind(usuarios, QStringLiteral("NIVEL"));

    DBCheckBox1 = criar<BoundCheckBox>("DBCheckBox1", QStringLiteral("Acesso Liberado"), TabCadastro);
    DBCheckBox1->bind(usuarios, QStringLiteral("PRIMEIRO_ACESSO"));
    DBCheckBox1->setGeometry(350, 82, 180, 23);
    DBCheckBox1->setValues(QStringLiteral("S"), QStringLiteral("N"));

    QLabel *rotuloSenha = criarRotulo("Label5", QStringLiteral("Senha"), TabCadastro, 16, 116);
    rotuloSenha->hide();
    C3 = criar<BoundLineEdit>("C3", TabCadastro);
    C3->bind(usuarios, QStringLiteral("SENHA"));
    C3->setGeometry(16, 134, 130, 23);
    C3->setEchoMode(QLineEdit::Password);
    C3->hide();
    QLabel *rotuloConfirma = criarRotulo("Label6", QStringLiteral("Confirma Senha"), TabCadastro, 160, 116);
    rotuloConfirma->hide();
    C4 = criar<BoundLineEdit>("C4", TabCadastro);
    C4->bind(usuarios, QStringLiteral("CONFIRMA"));
    C4->setGeometry(160, 134, 130, 23);
    C4->setEchoMode(QLineEdit::Password);
    C4->hide();

    criarRotulo("Label7", QStringLiteral("Digitado por :"), TabCadastro, 16, 178);
    DBEdit1 = criar<BoundLineEdit>("DBEdit1", TabCadastro);
    DBEdit1->bind(usuarios, QStringLiteral("DIGITADO"));
    DBEdit1->setGeometry(16, 196, 660, 20);
    criarRotulo("Label8", QStringLiteral("Última alteração realizada por :"), TabCadastro, 16, 226);
    DBEdit2 = criar<BoundLineEdit>("DBEdit2", TabCadastro);
    DBEdit2->bind(usuarios, QStringLiteral("ALTERADO"));
    DBEdit2->setGeometry(16, 244, 660, 20);
    for (BoundLineEdit *carimbo : {DBEdit1, DBEdit2}) {
        carimbo->setFieldReadOnly(true);
        carimbo->setFrame(false);
        // Out of the tab order, but a click may still select the stamp to copy it.
        carimbo->setFocusPolicy(Qt::ClickFocus);
        carimbo->setColor(Qt::transparent);
    }

    const struct {
        const char *name;
        QString caption;
        const char *icon;
        QPushButton **button;
    } botoes[] = {
        {"Botao_Novo", QStringLiteral("&Novo"), ":/icons/new-16.png", &Botao_Novo},
        {"Botao_Salvar", QStringLiteral("&Salvar"), ":/icons/save-16.png", &Botao_Salvar},
        {"Botao_Alterar", QStringLiteral("&Alterar"), ":/icons/edit-16.png", &Botao_Alterar},
        {"Botao_Cancelar", QStringLiteral("&Cancelar"), ":/icons/cancel-16.png", &Botao_Cancelar},
        {"Botao_Excluir", QStringLiteral("&Excluir"), ":/icons/delete-16.png", &Botao_Excluir},
        {"Botao_Fechar", QStringLiteral("&Fechar"), ":/icons/exit-16.png", &Botao_Fechar},
    };
    int x = 16;
    for (const auto &botao : botoes) {
        *botao.button = criarBotao(botao.name, botao.caption, TabCadastro);
        (*botao.button)->setIcon(QIcon(QString::fromLatin1(botao.icon)));
        (*botao.button)->setGeometry(x, 316, 104, 32);
        x += 112;
    }

    Botao_AtivaDesativa =
        criarBotao("Botao_AtivaDesativa", QStringLiteral("Ativa/Desativa Campos"), TabCadastro);
    Botao_AtivaDesativa->hide();
    Botao_Obrigatorios = criarBotao("Botao_Obrigatorios", QStringLiteral("Campos Obrigatórios"), TabCadastro);
    Botao_Obrigatorios->hide();

    QWidget::setTabOrder(K1J, C1J);
    QWidget::setTabOrder(C1J, K2J);
    QWidget::setTabOrder(K2J, C5);
    QWidget::setTabOrder(C5, Botao_Salvar);
    QWidget::setTabOrder(Botao_Salvar, Botao_Novo);
    QWidget::setTabOrder(Botao_Novo, Botao_Alterar);
    QWidget::setTabOrder(Botao_Alterar, Botao_Cancelar);
    QWidget::setTabOrder(Botao_Cancelar, Botao_Excluir);
    QWidget::setTabOrder(Botao_Excluir, Botao_Fechar);
    QWidget::setTabOrder(Botao_Fechar, DBCheckBox1);
    QWidget::setTabOrder(DBCheckBox1, C3);
    QWidget::setTabOrder(C3, C4);

    connect(Botao_AtivaDesativa, &QPushButton::clicked, this, &TFrm_Usuarios_Estoc::Botao_AtivaDesativaClick);
    connect(Botao_Obrigatorios, &QPushButton::clicked, this, &TFrm_Usuarios_Estoc::Botao_ObrigatoriosClick);
    connect(Botao_Novo, &QPushButton::clicked, this, &TFrm_Usuarios_Estoc::Botao_NovoClick);
    connect(Botao_Salvar, &QPushButton::clicked, this, &TFrm_Usuarios_Estoc::Botao_SalvarClick);
    connect(Botao_Alterar, &QPushButton::clicked, this, &TFrm_Usuarios_Estoc::Botao_AlterarClick);
    connect(Botao_Cancelar, &QPushButton::clicked, this, &TFrm_Usuarios_Estoc::Botao_CancelarClick);
    connect(Botao_Excluir, &QPushButton::clicked, this, &TFrm_Usuarios_Estoc::Botao_ExcluirClick);
    connect(Botao_Fechar, &QPushButton::clicked, this, &QDialog::close);
}

void TFrm_Usuarios_Estoc::criaPaginaFoto()
{
    TabSheet1 = criar<TabPage>("TabSheet1");
    PageControl1->addTab(TabSheet1, QStringLiteral("Foto"));
    TabSheet1->setOnShow([this] { TabSheet1Show(); });

    Image1 = criar<QLabel>("Image1", TabSheet1);
    Image1->setFrameShape(QFrame::Box);
    // The frame lies outside the 289 x 301 picture area.
    Image1->setGeometry(16, 12, 289 + 2 * Image1->frameWidth(), 301 + 2 * Image1->frameWidth());
    Image1->setScaledContents(true);

    Botao_Inserir_Foto = criarBotao("Botao_Inserir_Foto", QStringLiteral(" Escolha Foto     "), TabSheet1);
    Botao_Inserir_Foto->setIcon(QIcon(QStringLiteral(":/icons/photo-16.png")));
    Botao_Inserir_Foto->setGeometry(330, 12, 200, 32);

    Botao_WebCam = criarBotao("Botao_WebCam", QStringLiteral("Fotografar com Webcam"), TabSheet1);
    Botao_WebCam->setGeometry(330, 52, 200, 32);
    QPalette vermelho = Botao_WebCam->palette();
    vermelho.setColor(QPalette::Active, QPalette::ButtonText, Qt::red);
    vermelho.setColor(QPalette::Inactive, QPalette::ButtonText, Qt::red);
    Botao_WebCam->setPalette(vermelho);

    Botao_Ver_FOTO = criarBotao("Botao_Ver_FOTO", QStringLiteral("Ver Foto"), TabSheet1);
    Botao_Ver_FOTO->hide();

    connect(Botao_Inserir_Foto, &QPushButton::clicked, this, &TFrm_Usuarios_Estoc::Botao_Inserir_FotoClick);
    connect(Botao_Ver_FOTO, &QPushButton::clicked, this, &TFrm_Usuarios_Estoc::Botao_Ver_FOTOClick);
}

void TFrm_Usuarios_Estoc::criaPaginaPesquisa()
{
    TabPesquisaS = criar<TabPage>("TabPesquisaS");
    PageControl1->addTab(TabPesquisaS, QStringLiteral("Pesquisa"));
    TabPesquisaS->setOnShow([this] {
        TabPesquisaSShow();
        // The page is for choosing a user from the list.
        DBGrid1->setFocus();
    });

    LProcura = criarRotulo("LProcura", QStringLiteral("Valor"), TabPesquisaS, 16, 8);
    LProcura->resize(320, LProcura->height());
    LProcura->hide();
    Procura = criar<QLineEdit>("Procura", TabPesquisaS);
    Procura->setGeometry(16, 26, 320, 23);
    UpperCaseValidator::install(Procura, FieldDef{});
    QPalette cinza = Procura->palette();
    cinza.setColor(QPalette::Base, kCinza);
    Procura->setPalette(cinza);
    Procura->hide();

    Label22 = criarRotulo("Label22", QStringLiteral("Atualizar"), TabPesquisaS, 470, 30);
    Clique2 = criar<LinkLabel>("Clique2", QStringLiteral("Clique aqui!"), TabPesquisaS);
    Clique2->move(Label22->geometry().right() + 8, 30);
    Clique2->adjustSize();

    DBGrid1 = criar<RecordGrid>("DBGrid1", dmUsuarios_Estoc->cdsPesquisa, TabPesquisaS);
    DBGrid1->setGeometry(16, 58, 660, 310);
    DBGrid1->setColumns({{QStringLiteral("IDUSUARIO"), QStringLiteral("Código"), 70, kCinza},
                         {QStringLiteral("USUARIO"), QStringLiteral("Usuário"), 350, kCinza},
                         {QStringLiteral("CPF"), QStringLiteral("CPF"), 120, kCinza}});

    // The keyboard's way to what the mouse does on this page: a column chosen by Ctrl and its
    // number, the list reloaded by F5 (or Enter on the link, which Tab reaches).
    for (int coluna = 0; coluna < DBGrid1->columnCount(); ++coluna) {
        auto *atalho =
            new QShortcut(QKeyCombination(Qt::ControlModifier, Qt::Key(Qt::Key_1 + coluna)), TabPesquisaS);
        connect(atalho, &QShortcut::activated, this, [this, coluna] { DBGrid1TitleClick(coluna); });
    }
    DBGrid1->horizontalHeader()->setToolTip(
        QStringLiteral("Clique no título, ou tecle Ctrl+1, Ctrl+2 ou Ctrl+3, para pesquisar por Código, "
                       "Usuário ou CPF"));
    connect(new QShortcut(QKeySequence::Refresh, TabPesquisaS), &QShortcut::activated, this,
            &TFrm_Usuarios_Estoc::Clique2Click);
    Clique2->setToolTip(QStringLiteral("Atualizar a lista (F5)"));

    connect(Clique2, &LinkLabel::clicked, this, &TFrm_Usuarios_Estoc::Clique2Click);
    connect(DBGrid1, &RecordGrid::titleClicked, this, &TFrm_Usuarios_Estoc::DBGrid1TitleClick);
    connect(DBGrid1, &RecordGrid::gridDoubleClicked, this, &TFrm_Usuarios_Estoc::DBGrid1DblClick);
    connect(Procura, &QLineEdit::textChanged, this, &TFrm_Usuarios_Estoc::ProcuraChange);
}

void TFrm_Usuarios_Estoc::FormCreate()
{
    setWindowTitle(Titulo->text());
    carregaUsuario(QStringLiteral("0001"));
}

void TFrm_Usuarios_Estoc::carregaUsuario(const QString &codigo)
{
    RecordSet *usuarios = dmUsuarios_Estoc->cdsUsuarios;
    usuarios->close();
    usuarios->setParam(QStringLiteral("UM"), codigo);
    usuarios->open();
}

void TFrm_Usuarios_Estoc::focaNovo()
{
    if (Botao_Novo->isEnabled() && Botao_Novo->isVisible())
        Botao_Novo->setFocus();
}

void TFrm_Usuarios_Estoc::showEvent(QShowEvent *event)
{
    if (QScreen *tela = screen())
        move(tela->availableGeometry().center() - rect().center());
    PageControl1->setCurrentWidget(TabCadastro);
    QDialog::showEvent(event);
    focaNovo();
}

bool TFrm_Usuarios_Estoc::eventFilter(QObject *watched, QEvent *event)
{
    // Keyboard preview: only the first delivery of a key counts, to the control with the focus,
    // not its passage up through the parents.
    if (event->type() != QEvent::KeyPress || watched != focusWidget())
        return false;
    auto *key = static_cast<QKeyEvent *>(event);
    const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
    if (enter) {
        if (auto *button = qobject_cast<QPushButton *>(watched)) {
            button->click();
            return true;
        }
        if (auto *link = qobject_cast<LinkLabel *>(watched)) {
            link->click();
            return true;
        }
    }
    FormKeyDown(key);
    if (watched == Procura)
        ProcuraKeyDown(key);
    else if (watched == DBGrid1)
        DBGrid1KeyDown(key);
    return false;
}

void TFrm_Usuarios_Estoc::FormKeyDown(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)
        focusNextPrevChild(true);
}

void TFrm_Usuarios_Estoc::keyPressEvent(QKeyEvent *event)
{
    // The window has no cancel key: Escape must not close it in the middle of a change.
    if (event->key() == Qt::Key_Escape)
        return;
    QDialog::keyPressEvent(event);
}

void TFrm_Usuarios_Estoc::reject()
{
    if (Botao_Fechar->isEnabled())
        QDialog::reject();
}
