#include "users/RegrasDeGravacao.h"

#include "common/PasswordEncoding.h"
#include "common/TextHelpers.h"
#include "records/RecordProvider.h"
#include "records/RecordSet.h"
#include "session/DatabaseFailure.h"
#include "session/uTotal.h"

namespace
{

const QStringList kCodificados = {QStringLiteral("SENHA"), QStringLiteral("CONFIRMA"),
                                  QStringLiteral("NIVEL")};
const QString kJaExiste = QStringLiteral("Atenção, esse registro já existe, confirme informações!");

using Janela = ResultadoDaGravacao::Janela;

} // namespace

void RegrasDeGravacao::altera()
{
    m_usuarios->edit();
    for (const QString &campo : kCodificados)
        m_usuarios->setValue(campo, Decodificar(encodedFromColumn(m_usuarios->text(campo)), Chave));
}

ResultadoDaGravacao RegrasDeGravacao::salva()
{
    // Derived from the first-access flag on every save: "1" makes the sign-in ask for a new one.
    const QString senha = m_usuarios->text(QStringLiteral("PRIMEIRO_ACESSO")) == QStringLiteral("S")
                              ? QStringLiteral("1")
                              : QStringLiteral("000");
    m_usuarios->setValue(QStringLiteral("SENHA"), senha);
    m_usuarios->setValue(QStringLiteral("CONFIRMA"), senha);

    const QList<QPair<QString, QString>> obrigatorios{
        {QStringLiteral("IDUSUARIO"),
         QStringLiteral("Atenção, procedimento cancelado! Informe Código do Usuário")},
        {QStringLiteral("USUARIO"),
         QStringLiteral("Atenção, procedimento cancelado! Informe Nome do Usuário")},
        {QStringLiteral("CPF"), QStringLiteral("Atenção, procedimento cancelado! Informe CPF")},
    };
    for (const auto &[campo, mensagem] : obrigatorios) {
        if (m_usuarios->text(campo).isEmpty())
            return {Janela::Mantem, mensagem, {}};
    }
    if (TemCaractereDeControle(m_usuarios->text(QStringLiteral("USUARIO"))))
        return {Janela::Mantem,
                QStringLiteral("Atenção, o nome do usuário tem caracteres de controle (tabulação, quebra "
                               "de linha ou outros); nada foi gravado. Corrija o nome."),
                {}};

    m_valoresPlanos.clear();
    for (const QString &campo : kCodificados)
        m_valoresPlanos.append(m_usuarios->value(campo));
    // Every value is encoded before any is written: a value that cannot be stored leaves
    // the record as typed, and the operator is told why.
    QStringList codificados;
    try {
        for (const QVariant &plano : std::as_const(m_valoresPlanos))
            codificados.append(encodedToColumn(Codificar(plano.toString(), Chave)));
    } catch (const UnstorableEncoding &recusa) {
        return {Janela::Mantem, recusa.text(), {}};
    }
    try {
        for (int i = 0; i < kCodificados.size(); ++i)
            m_usuarios->setValue(kCodificados.at(i), codificados.at(i));
        m_usuarios->post();
    } catch (const std::exception &) {
        if (m_usuarios->isEditing())
            restauraValoresPlanos();
        return {Janela::Mantem, kJaExiste, {}};
    }
    return gravaNoBanco();
}

ResultadoDaGravacao RegrasDeGravacao::gravaNoBanco()
{
    const QString caiu =
        QStringLiteral("Atenção, a conexão com o banco de dados caiu enquanto a gravação era "
                       "confirmada. ");
    int erros = 0;
    try {
        erros = m_usuarios->applyUpdates(0);
    } catch (const LostCommit &perdida) {
        // The rows were read back: the person is told what the database holds.
        switch (perdida.outcome()) {
        case LostCommit::Outcome::Stored:
            return {Janela::Navegacao,
                    caiu + QStringLiteral("Conferido no banco de dados: o registro foi gravado."),
                    perdida.text()};
        case LostCommit::Outcome::NotStored:
            return voltaAEditar(caiu +
                                    QStringLiteral("Conferido no banco de dados: o registro não foi gravado. "
                                                   "Clique em Salvar para gravá-lo."),
                                perdida.text());
        case LostCommit::Outcome::Unknown:
            return voltaAEditar(
                caiu + QStringLiteral("Não foi possível conferir se o registro foi gravado: quando "
                                      "o banco de dados voltar, confira na Pesquisa antes de salvar "
                                      "de novo."),
                perdida.text());
        }
    } catch (const fb::Error &erro) {
        // Nothing was written: the typed record stays, to be saved again once the database answers.
        const DatabaseFailure falha = DatabaseFailure::of(erro);
        return voltaAEditar(falha.message, falha.detail);
    } catch (...) {
        m_usuarios->resumeEditing();
        restauraValoresPlanos();
        throw;
    }
    if (erros > 0)
        return recusado();
    return {};
}

ResultadoDaGravacao RegrasDeGravacao::recusado()
{
    const DatabaseFailure falha = DatabaseFailure::of(*m_usuarios->applyError());
    switch (falha.cause) {
    case DatabaseFailure::Cause::DuplicateKey:
        return voltaAEditar(kJaExiste, falha.detail);
    case DatabaseFailure::Cause::ChangedElsewhere: {
        // Nothing is written over the other workstation's change: its values are shown instead.
        const QString codigo = m_usuarios->text(QStringLiteral("IDUSUARIO"));
        m_usuarios->cancelUpdates();
        m_usuarios->close();
        m_usuarios->setParam(QStringLiteral("UM"), codigo);
        m_usuarios->open();
        return {
            Janela::Navegacao,
            QStringLiteral("Atenção, este usuário foi alterado ou excluído em outra estação depois que você "
                           "começou a alteração. Nada foi gravado; os dados atuais estão na tela. Clique em "
                           "Alterar para refazer a sua alteração."),
            falha.detail};
    }
    default:
        // Posted and refused: the change stays pending, in editing again with its typed values.
        m_usuarios->edit();
        restauraValoresPlanos();
        return {
            Janela::Mantem,
            QStringLiteral("Atenção, esse registro tem informações confusas, confirme informações ou cancele "
                           "procedimento!"),
            falha.explanation()};
    }
}

ResultadoDaGravacao RegrasDeGravacao::voltaAEditar(const QString &mensagem, const QString &detalhe)
{
    m_usuarios->resumeEditing();
    restauraValoresPlanos();
    return {Janela::Edicao, mensagem, detalhe};
}

void RegrasDeGravacao::restauraValoresPlanos()
{
    for (int i = 0; i < kCodificados.size() && i < m_valoresPlanos.size(); ++i)
        m_usuarios->setValue(kCodificados.at(i), m_valoresPlanos.at(i));
}

std::optional<QString> RegrasDeGravacao::impedeExclusao() const
{
    if (m_usuarios->isEmpty())
        return QStringLiteral("Atenção, selecione registro para exclusão!");
    return std::nullopt;
}

ResultadoDaGravacao RegrasDeGravacao::exclui()
{
    bool excluido = false;
    QString motivo;
    try {
        m_usuarios->remove();
        excluido = m_usuarios->applyUpdates(0) == 0;
        if (!excluido && m_usuarios->applyError())
            motivo = DatabaseFailure::of(*m_usuarios->applyError()).message;
    } catch (const LostCommit &perdida) {
        // The row was looked for again: a deletion that happened is not reported as cancelled.
        const QString caiu =
            QStringLiteral("Atenção, a conexão com o banco de dados caiu enquanto a exclusão era "
                           "confirmada. ");
        switch (perdida.outcome()) {
        case LostCommit::Outcome::Stored:
            return {Janela::Navegacao,
                    caiu + QStringLiteral("Conferido no banco de dados: o registro foi excluído."),
                    perdida.text()};
        case LostCommit::Outcome::NotStored:
            motivo = DatabaseFailure::of(perdida).message;
            break;
        case LostCommit::Outcome::Unknown:
            m_usuarios->cancelUpdates();
            return {Janela::Navegacao,
                    caiu + QStringLiteral(
                               "Não foi possível conferir se o registro foi excluído: quando o banco de "
                               "dados voltar, confira na Pesquisa."),
                    perdida.text()};
        }
    } catch (const fb::Error &erro) {
        // Raised or refused, the deletion did not happen.
        motivo = DatabaseFailure::of(erro).message;
    } catch (const std::exception &) {
    }
    if (excluido)
        return {};
    m_usuarios->cancelUpdates();
    return {Janela::Navegacao, QStringLiteral("Atenção, exclusão cancelada!"), motivo};
}
