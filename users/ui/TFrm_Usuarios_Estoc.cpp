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

TFrm_Usuarios_Estoc::TFrm_Usuarios_Estoc(QWidget *owner)
    : QDialog(owner, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint)
{
    dmUsuarios_Estoc = new TdmUsuarios_Estoc(this);
    setupUi(this);
    // A form cannot keep a control hidden (Designer does not save that), so these are hidden here:
    // the caption's source, the routine buttons that the code clicks, the password fields that the
    // rules fill, and the search box with its label until a column is chosen.
    const QList<QWidget *> ocultos = {
        Titulo, Botao_AtivaDesativa, Botao_Obrigatorios, Botao_Ver_FOTO, Label5, C3, Label6, C4, LProcura,
        Procura};
    for (QWidget *oculto : ocultos)
        oculto->hide();

    // The form's controls in its order, the window's and then each page's with what lies on it: the
    // mandatory-field scan stops at the first empty one in this order.
    m_components = {Titulo, PageControl1};
    for (TabPage *pagina : {TabCadastro, TabSheet1, TabPesquisaS}) {
        m_components.append(pagina);
        for (QWidget *controle : pagina->findChildren<QWidget *>(Qt::FindDirectChildrenOnly))
            m_components.append(controle);
    }

    ligaPaginaCadastro();
    ligaPaginaFoto();
    ligaPaginaPesquisa();

    for (QObject *component : std::as_const(m_components))
        component->installEventFilter(this);

    FormCreate();
}

void TFrm_Usuarios_Estoc::ligaPaginaCadastro()
{
    RecordSet *usuarios = dmUsuarios_Estoc->cdsUsuarios;
    TabCadastro->setOnShow([this] { TabCadastroShow(); });

    K1J->bind(usuarios, QStringLiteral("IDUSUARIO"));
    K1J->setTyping(BoundLineEdit::Typing::Digits);
    C1J->bind(usuarios, QStringLiteral("USUARIO"));
    C1J->setTyping(BoundLineEdit::Typing::UpperCase);
    K2J->bind(usuarios, QStringLiteral("CPF"));
    K2J->setTyping(BoundLineEdit::Typing::UpperCase);
    // Digits only: a "#" would also take the signs + and -.
    K2J->setInputMask(QStringLiteral("000.000.000-00"));
    C5->bind(usuarios, QStringLiteral("NIVEL"));
    DBCheckBox1->bind(usuarios, QStringLiteral("PRIMEIRO_ACESSO"));
    DBCheckBox1->setValues(QStringLiteral("S"), QStringLiteral("N"));
    C3->bind(usuarios, QStringLiteral("SENHA"));
    C4->bind(usuarios, QStringLiteral("CONFIRMA"));
    DBEdit1->bind(usuarios, QStringLiteral("DIGITADO"));
    DBEdit2->bind(usuarios, QStringLiteral("ALTERADO"));
    // The stamps are shown, never typed into. The form keeps them out of the tab order, but a click
    // may still select one to copy it.
    for (BoundLineEdit *carimbo : {DBEdit1, DBEdit2}) {
        carimbo->setFieldReadOnly(true);
        carimbo->setColor(Qt::transparent);
    }

    connect(Botao_AtivaDesativa, &QPushButton::clicked, this, &TFrm_Usuarios_Estoc::Botao_AtivaDesativaClick);
    connect(Botao_Obrigatorios, &QPushButton::clicked, this, &TFrm_Usuarios_Estoc::Botao_ObrigatoriosClick);
    connect(Botao_Novo, &QPushButton::clicked, this, &TFrm_Usuarios_Estoc::Botao_NovoClick);
    connect(Botao_Salvar, &QPushButton::clicked, this, &TFrm_Usuarios_Estoc::Botao_SalvarClick);
    connect(Botao_Alterar, &QPushButton::clicked, this, &TFrm_Usuarios_Estoc::Botao_AlterarClick);
    connect(Botao_Cancelar, &QPushButton::clicked, this, &TFrm_Usuarios_Estoc::Botao_CancelarClick);
    connect(Botao_Excluir, &QPushButton::clicked, this, &TFrm_Usuarios_Estoc::Botao_ExcluirClick);
    connect(Botao_Fechar, &QPushButton::clicked, this, &QDialog::close);
}

void TFrm_Usuarios_Estoc::ligaPaginaFoto()
{
    TabSheet1->setOnShow([this] { TabSheet1Show(); });
    connect(Botao_Inserir_Foto, &QPushButton::clicked, this, &TFrm_Usuarios_Estoc::Botao_Inserir_FotoClick);
    connect(Botao_Ver_FOTO, &QPushButton::clicked, this, &TFrm_Usuarios_Estoc::Botao_Ver_FOTOClick);
}

void TFrm_Usuarios_Estoc::ligaPaginaPesquisa()
{
    TabPesquisaS->setOnShow([this] {
        TabPesquisaSShow();
        // The page is for choosing a user from the list.
        DBGrid1->setFocus();
    });

    UpperCaseValidator::install(Procura, FieldDef{});
    DBGrid1->bind(dmUsuarios_Estoc->cdsPesquisa);
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
