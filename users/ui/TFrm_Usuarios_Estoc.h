#pragma once

#include <QDialog>
#include <QList>
#include <QPushButton> // the main window clicks Botao_AtivaDesativa

class BoundCheckBox;
class BoundComboBox;
class BoundLineEdit;
class LinkLabel;
class QLabel;
class QLineEdit;
class QTabWidget;
class RecordGrid;
class TabPage;
class TdmUsuarios_Estoc;
struct ResultadoDaGravacao;
namespace Ui
{
class TFrm_Usuarios_Estoc;
}

// The maintenance window of the stockroom's users: the "Cadastro" page with one record and
// its commands, the "Foto" page with the user's photo, the "Pesquisa" page with the list of
// all users. The window's state is the state of dmUsuarios_Estoc->cdsUsuarios. The form
// TFrm_Usuarios_Estoc.ui lays the pages out; the code binds their controls and runs the handlers.
//
// dmUsuarios_Estoc is created by the window, as its child, and destroyed with it.
class TFrm_Usuarios_Estoc : public QDialog
{
    Q_OBJECT

public:
    explicit TFrm_Usuarios_Estoc(QWidget *owner);

    // Every control of the form, in the form's order.
    const QList<QObject *> &components() const { return m_components; }

    TdmUsuarios_Estoc *dmUsuarios_Estoc;

    QLabel *Titulo;
    QTabWidget *PageControl1;

    TabPage *TabCadastro;
    BoundLineEdit *K1J;
    BoundLineEdit *C1J;
    BoundLineEdit *K2J;
    BoundComboBox *C5;
    BoundCheckBox *DBCheckBox1;
    BoundLineEdit *C3;
    BoundLineEdit *C4;
    BoundLineEdit *DBEdit1;
    BoundLineEdit *DBEdit2;
    QPushButton *Botao_Novo;
    QPushButton *Botao_Salvar;
    QPushButton *Botao_Alterar;
    QPushButton *Botao_Cancelar;
    QPushButton *Botao_Excluir;
    QPushButton *Botao_Fechar;
    QPushButton *Botao_AtivaDesativa;
    QPushButton *Botao_Obrigatorios;

    TabPage *TabSheet1;
    QLabel *Image1;
    QPushButton *Botao_Inserir_Foto;
    QPushButton *Botao_WebCam;
    QPushButton *Botao_Ver_FOTO;

    TabPage *TabPesquisaS;
    QLabel *LProcura;
    QLineEdit *Procura;
    QLabel *Label22;
    LinkLabel *Clique2;
    RecordGrid *DBGrid1;

public slots:
    // Closes only while browsing: an insertion or change must be saved or cancelled first.
    void reject() override;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void tomaControles(const Ui::TFrm_Usuarios_Estoc &form);
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
