#pragma once

#include "dbmaint/ui/CatalogueWindow.h"

// Schema update I: creates the suite's tables, keys and later columns. What the database refuses
// because it is already so is skipped without a word; any other refusal is listed at the end of
// the run; a lost connection stops the run with the error box and leaves both buttons off.
class TFrm_AtualizarBanco : public CatalogueWindow
{
    Q_OBJECT

public:
    explicit TFrm_AtualizarBanco(QWidget *parent = nullptr);

public slots:
    void FBAtualizaClick() override;
};

extern TFrm_AtualizarBanco *Frm_AtualizarBanco;
