#pragma once

#include "db/SqlQuery.h"
#include "signin/ConferenciaDoAcesso.h"
#include "ui_TFrm_Senha_Estoc.h"

#include <QDialog>
#include <optional>

// The login dialog: user code, password and working period. Closing it either establishes
// the session or requests the program's termination. The checks are ConferenciaDoAcesso's;
// the dialog shows their outcome.
//
// owner is the main window: its title when the dialog is created is its title before sign-in,
// which a sign-in extends with the period and the user.
class TFrm_Senha_Estoc : public QDialog, public Ui::TFrm_Senha_Estoc
{
    Q_OBJECT

public:
    explicit TFrm_Senha_Estoc(QWidget *owner);

    SqlQuery sqlBusca;

    void done(int result) override;
    // Closing from code runs the close check also when the dialog is already closed, as the
    // main window does once the modal run has returned. (QDialog does not reject a hidden dialog.)
    bool close();

public slots:
    void Botao_EntrarClick();
    void trocaSenhaDoPrimeiroAcesso();
    void Botao_CancelarClick();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    void criaComponentes();
    void FormShow();
    void Campo1Exit();
    // Looks the code up again when it is not the one the other fields belong to.
    void buscaCodigoDigitado();
    // The code in Campo1 is the one the fields were last looked up for.
    bool codigoDigitadoFoiBuscado() const;
    void FormClose();
    bool FormKeyDown(QKeyEvent *key);
    bool Campo1KeyPress(QKeyEvent *key);
    // The looked-up user as the fields hold it: the sign-in checks these copies, not a new read.
    UsuarioDoAcesso usuarioDosCampos() const;
    void estabeleceSessao(const SessaoDoUsuario &sessao);

    ConferenciaDoAcesso m_conferencia;
    QString m_tituloAntesDoAcesso;

    // The padded code that name, CPF and the hidden copies belong to; none before the first lookup.
    std::optional<QString> m_codigoBuscado;
};

extern TFrm_Senha_Estoc *Frm_Senha_Estoc;
