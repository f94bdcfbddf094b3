// The "Cadastro" page of TFrm_Usuarios_Estoc: the state set-up, the mandatory-field scan and
// the record commands.
#include "users/ui/TFrm_Usuarios_Estoc.h"

#include "common/PasswordEncoding.h"
#include "shell/DatabaseFailure.h"
#include "widgets/Dialogs.h"
#include "db/FbError.h"
#include "shell/uTotal.h"
#include "records/ui/BoundCheckBox.h"
#include "records/ui/BoundComboBox.h"
#include "records/ui/BoundLineEdit.h"
#include "users/ui/TabPage.h"
#include "users/ui/TdmUsuarios_Estoc.h"

#include <QLabel>
#include <QPushButton>
#include <QTabWidget>

namespace
{

const QColor kBloqueado(192, 192, 192);
const QColor kEditavel(166, 202, 240);
const QStringList kCodificados = {QStringLiteral("SENHA"), QStringLiteral("CONFIRMA"),
                                  QStringLiteral("NIVEL")};

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
    RecordSet *usuarios = dmUsuarios_Estoc->cdsUsuarios;
    usuarios->edit();
    for (const QString &campo : kCodificados)
        usuarios->setValue(campo, Decodificar(encodedFromColumn(usuarios->text(campo)), Chave));
    Botao_AtivaDesativa->click();
    C1J->setFocus();
}

void TFrm_Usuarios_Estoc::restauraValoresPlanos()
{
    RecordSet *usuarios = dmUsuarios_Estoc->cdsUsuarios;
    for (int i = 0; i < kCodificados.size() && i < m_valoresPlanos.size(); ++i)
        usuarios->setValue(kCodificados.at(i), m_valoresPlanos.at(i));
}

void TFrm_Usuarios_Estoc::Botao_SalvarClick()
{
    RecordSet *usuarios = dmUsuarios_Estoc->cdsUsuarios;
    CamposOK = true;
    Botao_Obrigatorios->click();
    if (!CamposOK)
        return;

    const QString senha = usuarios->text(QStringLiteral("PRIMEIRO_ACESSO")) == QStringLiteral("S")
                              ? QStringLiteral("1")
                              : QStringLiteral("000");
    usuarios->setValue(QStringLiteral("SENHA"), senha);
    usuarios->setValue(QStringLiteral("CONFIRMA"), senha);

    if (usuarios->text(QStringLiteral("IDUSUARIO")).isEmpty()) {
        Dialogs::message(this, QStringLiteral("Atenção, procedimento cancelado! Informe Código do Usuário"));
        return;
    }
    if (usuarios->text(QStringLiteral("USUARIO")).isEmpty()) {
        Dialogs::message(this, QStringLiteral("Atenção, procedimento cancelado! Informe Nome do Usuário"));
        return;
    }
    if (usuarios->text(QStringLiteral("CPF")).isEmpty()) {
        Dialogs::message(this, QStringLiteral("Atenção, procedimento cancelado! Informe CPF"));
        return;
    }

    const QString jaExiste = QStringLiteral("Atenção, esse registro já existe, confirme informações!");
    m_valoresPlanos.clear();
    for (const QString &campo : kCodificados)
        m_valoresPlanos.append(usuarios->value(campo));
    // Every value is encoded before any is written: a value that cannot be stored leaves
    // the record as typed, and the operator is told why.
    QStringList codificados;
    try {
        for (const QVariant &plano : std::as_const(m_valoresPlanos))
            codificados.append(encodedToColumn(Codificar(plano.toString(), Chave)));
    } catch (const fb::Error &e) {
        Dialogs::message(this, e.text());
        return;
    }
    try {
        for (int i = 0; i < kCodificados.size(); ++i)
            usuarios->setValue(kCodificados.at(i), codificados.at(i));
        usuarios->post();
    } catch (const std::exception &) {
        if (usuarios->isEditing())
            restauraValoresPlanos();
        Dialogs::message(this, jaExiste);
        return;
    }

    int erros = 0;
    try {
        erros = usuarios->applyUpdates(0);
    } catch (const LostCommit &perdida) {
        respondeGravacaoIncerta(perdida);
        return;
    } catch (const fb::Error &erro) {
        // Nothing was written: the typed record stays, to be saved again once the database answers.
        voltaAEditar();
        const DatabaseFailure falha = DatabaseFailure::of(erro);
        Dialogs::message(this, falha.message, falha.detail);
        return;
    } catch (...) {
        voltaAEditar();
        throw;
    }
    if (erros > 0) {
        recusado(*usuarios->applyError());
        return;
    }
    Botao_AtivaDesativa->click();
    focaNovo();
}

void TFrm_Usuarios_Estoc::voltaAEditar()
{
    dmUsuarios_Estoc->cdsUsuarios->resumeEditing();
    restauraValoresPlanos();
    Botao_AtivaDesativa->click();
}

void TFrm_Usuarios_Estoc::recusado(const fb::Error &motivo)
{
    RecordSet *usuarios = dmUsuarios_Estoc->cdsUsuarios;
    const DatabaseFailure falha = DatabaseFailure::of(motivo);
    switch (falha.cause) {
    case DatabaseFailure::Cause::DuplicateKey:
        voltaAEditar();
        Dialogs::message(this, QStringLiteral("Atenção, esse registro já existe, confirme informações!"),
                         falha.detail);
        return;
    case DatabaseFailure::Cause::ChangedElsewhere: {
        // Nothing is written over the other workstation's change: its values are shown instead.
        const QString codigo = usuarios->text(QStringLiteral("IDUSUARIO"));
        usuarios->cancelUpdates();
        carregaUsuario(codigo);
        Botao_AtivaDesativa->click();
        focaNovo();
        Dialogs::message(this,
                         QStringLiteral("Atenção, este usuário foi alterado ou excluído em outra estação depois "
                                        "que você começou a alteração. Nada foi gravado; os dados atuais estão "
                                        "na tela. Clique em Alterar para refazer a sua alteração."),
                         falha.detail);
        return;
    }
    default:
        Dialogs::message(this,
                         QStringLiteral("Atenção, esse registro tem informações confusas, confirme informações "
                                        "ou cancele procedimento!"),
                         falha.explanation());
        usuarios->edit();
        restauraValoresPlanos();
        return;
    }
}

void TFrm_Usuarios_Estoc::respondeGravacaoIncerta(const LostCommit &perdida)
{
    const QString caiu = QStringLiteral("Atenção, a conexão com o banco de dados caiu enquanto a gravação era "
                                        "confirmada. ");
    switch (perdida.outcome()) {
    case LostCommit::Outcome::Stored:
        Botao_AtivaDesativa->click();
        focaNovo();
        Dialogs::message(this, caiu + QStringLiteral("Conferido no banco de dados: o registro foi gravado."),
                         perdida.text());
        return;
    case LostCommit::Outcome::NotStored:
        voltaAEditar();
        Dialogs::message(this,
                         caiu + QStringLiteral("Conferido no banco de dados: o registro não foi gravado. "
                                               "Clique em Salvar para gravá-lo."),
                         perdida.text());
        return;
    case LostCommit::Outcome::Unknown:
        voltaAEditar();
        Dialogs::message(this,
                         caiu + QStringLiteral("Não foi possível conferir se o registro foi gravado: quando o "
                                               "banco de dados voltar, confira na Pesquisa antes de salvar de novo."),
                         perdida.text());
        return;
    }
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
    RecordSet *usuarios = dmUsuarios_Estoc->cdsUsuarios;
    if (usuarios->isEmpty()) {
        Dialogs::message(this, QStringLiteral("Atenção, selecione registro para exclusão!"));
        return;
    }
    if (Dialogs::question(this, Descricao_Sistema_Global, QStringLiteral("Confirma a exclusão ?"), true)) {
        bool excluido = false;
        QString motivo;
        try {
            usuarios->remove();
            excluido = usuarios->applyUpdates(0) == 0;
            if (!excluido && usuarios->applyError())
                motivo = DatabaseFailure::of(*usuarios->applyError()).message;
        } catch (const fb::Error &erro) {
            // Raised or refused, the deletion did not happen.
            motivo = DatabaseFailure::of(erro).message;
        } catch (const std::exception &) {
        }
        if (!excluido) {
            usuarios->cancelUpdates();
            Dialogs::message(this, QStringLiteral("Atenção, exclusão cancelada!"), motivo);
        }
    }
    Botao_AtivaDesativa->click();
    focaNovo();
}
