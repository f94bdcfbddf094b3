#pragma once

#include <QList>
#include <QString>
#include <QVariant>
#include <optional>

class RecordSet;

// What Salvar or Excluir leaves for the maintenance window to do: first set itself up as
// janela says, then show the message, if there is one.
struct ResultadoDaGravacao {
    enum class Janela {
        Mantem,    // the window stays as it is: the record is still in its insertion or change
        Edicao,    // the record is back in its insertion or change: set the window up again
        Navegacao, // the record set is browsing: set the window up and move to Novo
    };

    Janela janela = Janela::Navegacao;
    QString mensagem; // empty: nothing to tell
    QString detalhe;  // a line below the message: the database's own text
};

// The rules of changing, saving and deleting the user record that the maintenance window edits,
// on its record set (cdsUsuarios), without the window: the checks in their order with their
// messages, the provisional password, the encoding of password, confirmation and level, the post
// and the write to the database, and what is left after each way a write can fail. The
// mandatory-field scan over the window's controls and the delete confirmation stay with the window.
class RegrasDeGravacao
{
public:
    explicit RegrasDeGravacao(RecordSet *usuarios) : m_usuarios(usuarios) {}

    // Alterar: the current record into editing, with password, confirmation and level decoded
    // for the length of the change.
    void altera();

    // Salvar, once the mandatory-field scan has passed. A failure other than the database's
    // leaves the record in its insertion or change, plain, and is thrown on.
    ResultadoDaGravacao salva();

    // The message that stops Excluir before the confirmation: no record to delete.
    std::optional<QString> impedeExclusao() const;
    // Excluir, once confirmed: deletes the current record from the database. Refused or
    // failed, every pending change is cancelled and the record is shown again.
    ResultadoDaGravacao exclui();

private:
    ResultadoDaGravacao gravaNoBanco();
    ResultadoDaGravacao recusado();
    void restauraValoresPlanos();
    ResultadoDaGravacao voltaAEditar(const QString &mensagem, const QString &detalhe);

    RecordSet *m_usuarios;
    // SENHA, CONFIRMA and NIVEL as typed, before salva() encoded them: a save that fails puts
    // them back before it returns, so that a retry encodes them once, not twice.
    QList<QVariant> m_valoresPlanos;
};
