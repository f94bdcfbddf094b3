#pragma once

#include <QString>

class QWidget;
struct ReportExportFilters;

// The main window's "Relatório dos Usuários" command: the report runs from the menu entry's
// caption (its first '&' dropped) and shows in the modal preview, which saves in the formats of
// filtros. The report form is released whatever happens; an error then leaves for the general
// error handler.
void executaRelatorioUsuarios(QWidget *owner, const QString &menuCaption, const ReportExportFilters &filtros);
