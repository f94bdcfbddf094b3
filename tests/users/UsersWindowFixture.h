#pragma once

// Opening the user maintenance window the way the main window does, and working its controls.
#include "UsersFixture.h"

#include "records/ui/BoundCheckBox.h"
#include "records/ui/BoundComboBox.h"
#include "records/ui/BoundLineEdit.h"
#include "users/ui/TFrm_Usuarios_Estoc.h"
#include "users/ui/TabPage.h"
#include "users/ui/TdmUsuarios_Estoc.h"

#include <QApplication>
#include <QTabWidget>
#include <memory>

inline const QColor kCeu(166, 202, 240);
inline const QColor kCinza(192, 192, 192);

// Created, set up by a click on its state routine, shown and active.
inline std::unique_ptr<TFrm_Usuarios_Estoc> abreJanela()
{
    auto janela = std::make_unique<TFrm_Usuarios_Estoc>(nullptr);
    janela->Botao_AtivaDesativa->click();
    janela->show();
    janela->activateWindow();
    if (!QTest::qWaitForWindowActive(janela.get()))
        qWarning("the window did not become active");
    return janela;
}

// Types as the operator does, accented letters included.
inline void digita(QWidget *controle, const QString &texto)
{
    controle->setFocus(Qt::TabFocusReason);
    for (const QChar c : texto) {
        if (c.unicode() < 128)
            QTest::keyClick(controle, c.toLatin1());
        else
            QTest::sendKeyEvent(QTest::Click, controle, Qt::Key_unknown, QString(c), Qt::NoModifier);
    }
}

inline void clica(QWidget *controle)
{
    QTest::mouseClick(controle, Qt::LeftButton, Qt::NoModifier, controle->rect().center());
}

// Shows a page by a click on its tab, as the operator does.
inline void mostraPagina(TFrm_Usuarios_Estoc *janela, QWidget *pagina)
{
    QTabBar *abas = janela->PageControl1->tabBar();
    const int indice = janela->PageControl1->indexOf(pagina);
    QTest::mouseClick(abas, Qt::LeftButton, Qt::NoModifier, abas->tabRect(indice).center());
}

inline RecordSet *usuarios(TFrm_Usuarios_Estoc *janela)
{
    return janela->dmUsuarios_Estoc->cdsUsuarios;
}
