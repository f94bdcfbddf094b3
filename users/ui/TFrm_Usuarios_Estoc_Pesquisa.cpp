// The "Pesquisa" page of TFrm_Usuarios_Estoc: the list of all users, held in memory, ordered
// by a clicked column and searched as the operator types.
#include "users/ui/TFrm_Usuarios_Estoc.h"

#include "records/ui/RecordGrid.h"
#include "session/uTotal.h"
#include "users/PreparaPesquisa.h"
#include "users/ui/TabPage.h"
#include "users/ui/TdmUsuarios_Estoc.h"
#include "widgets/Dialogs.h"

#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTabWidget>

namespace
{

const QColor kColunaApagada(192, 192, 192);

} // namespace

void TFrm_Usuarios_Estoc::TabPesquisaSShow()
{
    RecordSet *lista = dmUsuarios_Estoc->cdsPesquisa;
    if (lista->isActive())
        return;
    LProcura->setText(QStringLiteral("Valor"));
    {
        const QSignalBlocker semPesquisa(Procura);
        Procura->clear();
    }
    LProcura->hide();
    Procura->hide();
    for (int coluna = 0; coluna < DBGrid1->columnCount(); ++coluna)
        DBGrid1->setColumnColor(coluna, kColunaApagada);
    lista->open();
}

void TFrm_Usuarios_Estoc::Clique2Click()
{
    dmUsuarios_Estoc->cdsPesquisa->close();
    TabPesquisaSShow();
    DBGrid1->setFocus();
}

void TFrm_Usuarios_Estoc::DBGrid1TitleClick(int coluna)
{
    LProcura->show();
    Procura->show();
    m_colunaPesquisa = coluna;
    dmUsuarios_Estoc->cdsPesquisa->setIndexFieldName(DBGrid1->column(coluna).field);
    LProcura->setText(QStringLiteral("Informe ") + DBGrid1->column(coluna).title);
    for (int outra = 0; outra < DBGrid1->columnCount(); ++outra)
        DBGrid1->setColumnColor(outra, outra == coluna ? QColor(Qt::white) : kColunaApagada);
    Procura->clear();
    Procura->setFocus();
}

void TFrm_Usuarios_Estoc::ProcuraChange()
{
    const QString campo = m_colunaPesquisa < 0 ? QString() : DBGrid1->column(m_colunaPesquisa).field;
    try {
        dmUsuarios_Estoc->cdsPesquisa->findNearest(preparaTextoPesquisa(campo, Procura->text()));
    } catch (const std::exception &) {
        Dialogs::message(this, QStringLiteral("Tipo de Informação incompatível com campo selecionado"));
        const QSignalBlocker semPesquisa(Procura);
        Procura->clear();
    }
}

void TFrm_Usuarios_Estoc::ProcuraKeyDown(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)
        DBGrid1DblClick();
    else if (event->key() == Qt::Key_Down)
        DBGrid1->setFocus();
}

void TFrm_Usuarios_Estoc::DBGrid1KeyDown(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)
        DBGrid1DblClick();
}

void TFrm_Usuarios_Estoc::DBGrid1DblClick()
{
    const RecordSet *lista = dmUsuarios_Estoc->cdsPesquisa;
    for (int campo = 0; campo < lista->fieldCount() && campo < 7; ++campo)
        GsCodigo[campo + 1] = lista->value(campo).toString();
    carregaUsuario(GsCodigo[1]);
    PageControl1->setCurrentWidget(TabCadastro);
    // The user was looked for to be changed: Alterar, which Enter presses; Novo when there is none.
    if (Botao_Alterar->isEnabled())
        Botao_Alterar->setFocus();
    else
        focaNovo();
}
