#pragma once

#include <QString>

class QWidget;

// The main window's "Relatório dos Usuários" command: the report runs from the menu entry's
// caption (its first '&' dropped) and shows in the modal preview. The report form is released
// whatever happens; an error then leaves for the general error handler.
void executaRelatorioUsuarios(QWidget *owner, const QString &menuCaption);
