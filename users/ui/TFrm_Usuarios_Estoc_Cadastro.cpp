// The "Cadastro" page of TFrm_Usuarios_Estoc: the state set-up, the mandatory-field scan and
// the record commands.
#include "users/ui/TFrm_Usuarios_Estoc.h"

#include "records/ui/BoundCheckBox.h"
#include "records/ui/BoundComboBox.h"
#include "records/ui/BoundLineEdit.h"
#include "session/uTotal.h"
#include "users/RegrasDeGravacao.h"
#include "users/ui/TabPage.h"
#include "users/ui/TdmUsuarios_Estoc.h"
#include "widgets/Dialogs.h"

#include <QLabel>
#include <QPushButton>
#include <QTabWidget>

namespace
{

const QColor kBloqueado(192, 192, 192);
const QColor kEditavel(166, 202, 240);

} // namespace

void TFrm_Usuarios_Estoc::TabCadastroShow()
{
    Botao_AtivaDesativa->click();
}

void TFrm_Usuarios_Estoc::Botao_AtivaDesativaClick()
{
    const RecordSet *usuarios = dmUsuarios_Estoc->cdsUsuarios;
    const RecordSet::State estado = usuarios->state();
    if (estado == RecordSet::State::Inactive)
        return;
    const bool navegando = estado == RecordSet::State::Browse;
    const bool incluindo = estado == RecordSet::State::Insert;
    const bool comRegistro = !usuarios->isEmpty();

    PageControl1->setTabVisible(PageControl1->indexOf(TabPesquisaS), navegando);
    // Ctrl+Tab passes over disabled pages only: a hidden one would still be reached.
    PageControl1->setTabEnabled(PageControl1->indexOf(TabPesquisaS), navegando);
    Botao_Novo->setEnabled(navegando);
    Botao_Salvar->setEnabled(!navegando);
    Botao_Alterar->setEnabled(navegando && comRegistro);
    Botao_Cancelar->setEnabled(!navegando);
    Botao_Excluir->setEnabled(navegando && comRegistro);
    Botao_Fechar->setEnabled(navegando);

    QString titulo = Titulo->text();
    if (incluindo)
        titulo += QStringLiteral(" - ") + QStringLiteral("Incluindo");
    else if (!navegando)
        titulo += QStringLiteral(" - ") + QStringLiteral("Alterando");
    setWindowTitle(titulo);

    // Key controls may be typed into only while inserting, ordinary ones while inserting or changing.
    for (QObject *componente : std::as_const(m_components)) {
        const QString nome = componente->objectName();
        const QChar inicial = nome.isEmpty() ? QChar() : nome.front().toUpper();
        const bool chave = inicial == u'K';
        const bool comum = inicial == u'C';
        const bool editavel = chave ? incluindo : !navegando;
        if (auto *edit = qobject_cast<BoundLineEdit *>(componente); edit && (chave || comum)) {
            edit->setFieldReadOnly(!editavel);
            edit->setColor(editavel ? kEditavel : kBloqueado);
        } else if (auto *lista = qobject_cast<BoundComboBox *>(componente); lista && (chave || comum)) {
            lista->setFieldReadOnly(!editavel);
            lista->setColor(editavel ? kEditavel : kBloqueado);
        } else if (auto *caixa = qobject_cast<BoundCheckBox *>(componente)) {
            caixa->setFieldReadOnly(navegando);
        }
    }
}

void TFrm_Usuarios_Estoc::Botao_ObrigatoriosClick()
{
    for (QObject *componente : std::as_const(m_components)) {
        if (!componente->objectName().endsWith(u'J', Qt::CaseInsensitive))
            continue;
        QWidget *controle = nullptr;
        bool vazio = false;
        if (auto *edit = qobject_cast<BoundLineEdit *>(componente)) {
            controle = edit;
            vazio = edit->text().isEmpty();
        } else if (auto *lista = qobject_cast<BoundComboBox *>(componente)) {
            controle = lista;
            vazio = lista->currentText().isEmpty();
        } else if (auto *caixa = qobject_cast<BoundCheckBox *>(componente)) {
            controle = caixa;
            vazio = caixa->valueChecked().isEmpty();
        }
        if (controle && vazio) {
            controle->setFocus();
            Dialogs::message(this, QStringLiteral("Campo com preenchimento obrigatório!"));
            CamposOK = false;
            return;
        }
    }
}

void TFrm_Usuarios_Estoc::Botao_NovoClick()
{
    RecordSet *usuarios = dmUsuarios_Estoc->cdsUsuarios;
    try {
        usuarios->append();
    } catch (...) {
        // A new record without a code must not stay behind a window that looks like browsing.
        usuarios->cancel();
        throw;
    }
    usuarios->setValue(QStringLiteral("NIVEL"), QStringLiteral("Iniciante"));
    Botao_AtivaDesativa->click();
    K1J->setFocus();
}

void TFrm_Usuarios_Estoc::Botao_AlterarClick()
{
    RegrasDeGravacao(dmUsuarios_Estoc->cdsUsuarios).altera();
    Botao_AtivaDesativa->click();
    C1J->setFocus();
}

void TFrm_Usuarios_Estoc::Botao_SalvarClick()
{
    CamposOK = true;
    Botao_Obrigatorios->click();
    if (!CamposOK)
        return;
    ResultadoDaGravacao resultado;
    try {
        resultado = RegrasDeGravacao(dmUsuarios_Estoc->cdsUsuarios).salva();
    } catch (...) {
        // The record is back in its insertion or change: the window must say so.
        Botao_AtivaDesativa->click();
        throw;
    }
    mostraResultado(resultado);
}

void TFrm_Usuarios_Estoc::mostraResultado(const ResultadoDaGravacao &resultado)
{
    switch (resultado.janela) {
    case ResultadoDaGravacao::Janela::Mantem:
        break;
    case ResultadoDaGravacao::Janela::Edicao:
        Botao_AtivaDesativa->click();
        break;
    case ResultadoDaGravacao::Janela::Navegacao:
        Botao_AtivaDesativa->click();
        focaNovo();
        break;
    }
    if (!resultado.mensagem.isEmpty())
        Dialogs::message(this, resultado.mensagem, resultado.detalhe);
}

void TFrm_Usuarios_Estoc::Botao_CancelarClick()
{
    RecordSet *usuarios = dmUsuarios_Estoc->cdsUsuarios;
    usuarios->cancel();
    // A record posted but refused by the database is still pending: it goes too.
    usuarios->cancelUpdates();
    Botao_AtivaDesativa->click();
    focaNovo();
}

void TFrm_Usuarios_Estoc::Botao_ExcluirClick()
{
    RegrasDeGravacao regras(dmUsuarios_Estoc->cdsUsuarios);
    if (const std::optional<QString> impedimento = regras.impedeExclusao()) {
        Dialogs::message(this, *impedimento);
        return;
    }
    ResultadoDaGravacao resultado;
    if (Dialogs::question(this, Descricao_Sistema_Global, QStringLiteral("Confirma a exclusão ?"), true))
        resultado = regras.exclui();
    mostraResultado(resultado);
}
