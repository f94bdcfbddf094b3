#include "signin/ui/TFrm_Senha_Estoc.h"

#include "common/DigitsOnlyValidator.h"
#include "common/TextHelpers.h"
#include "session/TdmPrincipal.h"
#include "session/uTotal.h"
#include "signin/ui/PasswordCharStyle.h"
#include "widgets/Dialogs.h"
#include "widgets/Termination.h"

#include <QApplication>
#include <QKeyEvent>
#include <QScreen>

TFrm_Senha_Estoc *Frm_Senha_Estoc = nullptr;

TFrm_Senha_Estoc::TFrm_Senha_Estoc(QWidget *owner)
    : QDialog(owner, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      sqlBusca(dmPrincipal->NimboConnection), m_conferencia(sqlBusca),
      m_tituloAntesDoAcesso(owner ? owner->windowTitle() : QString())
{
    criaComponentes();
    for (QWidget *child : findChildren<QWidget *>())
        child->installEventFilter(this);
    installEventFilter(this);
}

void TFrm_Senha_Estoc::criaComponentes()
{
    setupUi(this);
    // No maximum length: it would cut pasted text before the validator drops its non-digits.
    Campo1->setValidator(new DigitsOnlyValidator(4, Campo1));
    auto *arroba = new PasswordCharStyle(QLatin1Char('@'));
    arroba->setParent(Campo2);
    Campo2->setStyle(arroba);
    // Hidden, but keeping its room, so the dialog does not change size when it appears.
    QSizePolicy keepRoom = LPrimeiroAcesso->sizePolicy();
    keepRoom.setRetainSizeWhenHidden(true);
    LPrimeiroAcesso->setSizePolicy(keepRoom);
    LPrimeiroAcesso->hide();
    connect(Botao_Entrar, &QPushButton::clicked, this, &TFrm_Senha_Estoc::Botao_EntrarClick);
    connect(Botao_Cancelar, &QPushButton::clicked, this, &TFrm_Senha_Estoc::Botao_CancelarClick);

    setFixedSize(sizeHint());
    move(screen()->geometry().center() - rect().center());
}

void TFrm_Senha_Estoc::showEvent(QShowEvent *event)
{
    FormShow();
    QDialog::showEvent(event);
}

void TFrm_Senha_Estoc::FormShow()
{
    setWindowTitle(Descricao_Sistema_Estoc);
    Campo3->clear();
    Campo3->addItems(Meses_Trabalho);
    Campo3->setCurrentIndex(0);
    Campo1->setFocus();
}

bool TFrm_Senha_Estoc::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress) {
        auto *key = static_cast<QKeyEvent *>(event);
        if (FormKeyDown(key))
            return true;
        if (watched == Campo1 && Campo1KeyPress(key))
            return true;
    } else if (event->type() == QEvent::FocusOut && watched == Campo1 && isVisible() &&
               QApplication::focusWidget() != Botao_Cancelar) {
        // Leaving the field for another control, not the window losing the focus to a box, nor
        // the person leaving the dialog (Cancelar, already focused here, or the dialog closing):
        // a look-up then would only delay the close, or hold it up when it fails.
        const Qt::FocusReason reason = static_cast<QFocusEvent *>(event)->reason();
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason)
            Campo1Exit();
    }
    return QDialog::eventFilter(watched, event);
}

bool TFrm_Senha_Estoc::FormKeyDown(QKeyEvent *key)
{
    if (key->key() == Qt::Key_Escape) {
        Botao_Cancelar->click();
        return true;
    }
    if (key->key() != Qt::Key_Return && key->key() != Qt::Key_Enter)
        return false;
    if (auto *button = qobject_cast<QPushButton *>(focusWidget()))
        button->click();
    else
        focusNextChild();
    return true;
}

bool TFrm_Senha_Estoc::Campo1KeyPress(QKeyEvent *key)
{
    // Only characters count here: editing and clipboard keys carry none or a control code.
    const QString text = key->text();
    if (text.size() != 1 || text.at(0).unicode() < 32 || text.at(0).unicode() == 127)
        return false;
    return Digitacao0_9(text.at(0)).isNull();
}

void TFrm_Senha_Estoc::Campo1Exit()
{
    // Padded first: the field shows the code that was looked up, also when the lookup fails.
    Campo1->setText(ConferenciaDoAcesso::codigoCompleto(Campo1->text()));
    const UsuarioDoAcesso usuario = m_conferencia.busca(Campo1->text());
    CampoE4->setText(usuario.nome);
    SenhaCriptografada->setText(usuario.senhaCodificada);
    CampoE5->setText(usuario.cpf);
    NivelCriptografado->setText(usuario.nivelCodificado);
    LPrimeiroAcesso->setVisible(usuario.primeiroAcesso());
    m_codigoBuscado = usuario.codigo;
}

void TFrm_Senha_Estoc::buscaCodigoDigitado()
{
    // An accelerator presses a button without the focus leaving the code field: a code typed
    // since the last lookup would otherwise be checked against another user's password.
    if (!codigoDigitadoFoiBuscado())
        Campo1Exit();
}

bool TFrm_Senha_Estoc::codigoDigitadoFoiBuscado() const
{
    return m_codigoBuscado && ConferenciaDoAcesso::codigoCompleto(Campo1->text()) == *m_codigoBuscado;
}

UsuarioDoAcesso TFrm_Senha_Estoc::usuarioDosCampos() const
{
    return {Campo1->text(), CampoE4->text(), CampoE5->text(), SenhaCriptografada->text(),
            NivelCriptografado->text()};
}

void TFrm_Senha_Estoc::estabeleceSessao(const SessaoDoUsuario &sessao)
{
    sessao.registra();
    if (QWidget *principal = parentWidget())
        principal->setWindowTitle(m_tituloAntesDoAcesso + sessao.sufixoDoTitulo());
}

void TFrm_Senha_Estoc::Botao_EntrarClick()
{
    buscaCodigoDigitado();
    const ResultadoDaEntrada resultado =
        ConferenciaDoAcesso::entra(usuarioDosCampos(), Campo2->text(), Campo3->currentText());
    if (!resultado.sessao) {
        Dialogs::message(this, resultado.recusa);
        if (resultado.focaSenha)
            Campo2->setFocus();
        return;
    }
    estabeleceSessao(*resultado.sessao);
    if (resultado.pedeNovaSenha)
        trocaSenhaDoPrimeiroAcesso();
    accept();
}

void TFrm_Senha_Estoc::trocaSenhaDoPrimeiroAcesso()
{
    for (;;) {
        const std::optional<QString> novaSenha = Dialogs::inputBox(
            this, QStringLiteral("Atenção"), QStringLiteral("Informe sua nova senha : "), QString());
        if (!novaSenha)
            return;
        const std::optional<QString> recusa = m_conferencia.trocaSenha(Campo1->text(), *novaSenha);
        if (!recusa)
            return;
        Dialogs::message(this, *recusa);
    }
}

void TFrm_Senha_Estoc::Botao_CancelarClick()
{
    requestTermination();
    reject();
}

void TFrm_Senha_Estoc::done(int result)
{
    FormClose();
    QDialog::done(result);
}

bool TFrm_Senha_Estoc::close()
{
    // A visible dialog runs the check through done().
    if (!isVisible())
        FormClose();
    return QDialog::close();
}

void TFrm_Senha_Estoc::FormClose()
{
    // No database call here: a look-up that fails (a missing file, a server that is off) would
    // keep the dialog from closing, and the person could never leave it. A code typed since the
    // last look-up has no user behind it yet, so it signs nobody in.
    const std::optional<SessaoDoUsuario> sessao =
        codigoDigitadoFoiBuscado()
            ? ConferenciaDoAcesso::aoFechar(usuarioDosCampos(), Campo2->text(), Campo3->currentText())
            : std::nullopt;
    if (sessao)
        estabeleceSessao(*sessao);
    else
        requestTermination();
}
