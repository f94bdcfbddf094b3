#pragma once

#include "ui_TFrm_Usuarios_Estoc.h"
#include <QDialog>
#include <QList>

#include <QPushButton> // the main window clicks Botao_AtivaDesativa

class TdmUsuarios_Estoc;
struct ResultadoDaGravacao;

// The maintenance window of the stockroom's users: the "Cadastro" page with one record and
// its commands, the "Foto" page with the user's photo, the "Pesquisa" page with the list of
// all users. The window's state is the state of dmUsuarios_Estoc->cdsUsuarios. The form
// TFrm_Usuarios_Estoc.ui lays the pages out, its controls being the window's members; the code
// binds them and runs the handlers.
//
// dmUsuarios_Estoc is created by the window, as its child, and destroyed with it.
class TFrm_Usuarios_Estoc : public QDialog, public Ui::TFrm_Usuarios_Estoc
{
    Q_OBJECT

public:
    explicit TFrm_Usuarios_Estoc(QWidget *owner);

    // Every control of the form, in the form's order.
    const QList<QObject *> &components() const { return m_components; }

    TdmUsuarios_Estoc *dmUsuarios_Estoc;

public slots:
    // Closes only while browsing: an insertion or change must be saved or cancelled first.
    void reject() override;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    // Each page's binding to the data module, its handlers and its keys; the form lays it out.
    void ligaPaginaCadastro();
    void ligaPaginaFoto();
    void ligaPaginaPesquisa();

    void FormCreate();
    void FormKeyDown(QKeyEvent *event);
    void carregaUsuario(const QString &codigo);
    void focaNovo();
    // Sets the window up as a save or a deletion left the record, then tells what happened.
    void mostraResultado(const ResultadoDaGravacao &resultado);

    // "Cadastro"
    void TabCadastroShow();
    void Botao_AtivaDesativaClick();
    void Botao_ObrigatoriosClick();
    void Botao_NovoClick();
    void Botao_AlterarClick();
    void Botao_SalvarClick();
    void Botao_CancelarClick();
    void Botao_ExcluirClick();

    // "Foto"
    void TabSheet1Show();
    void Botao_Inserir_FotoClick();
    void Botao_Ver_FOTOClick();

    // "Pesquisa"
    void TabPesquisaSShow();
    void Clique2Click();
    void DBGrid1TitleClick(int column);
    void ProcuraChange();
    void ProcuraKeyDown(QKeyEvent *event);
    void DBGrid1KeyDown(QKeyEvent *event);
    void DBGrid1DblClick();

    QList<QObject *> m_components;
    int m_colunaPesquisa = -1;
};

extern TFrm_Usuarios_Estoc *Frm_Usuarios_Estoc;
