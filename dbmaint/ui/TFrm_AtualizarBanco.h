#pragma once

#include "dbmaint/ui/CatalogueWindow.h"

// Schema update I: creates the suite's tables, keys and later columns; every statement the database
// refuses is skipped without a word.
class TFrm_AtualizarBanco : public CatalogueWindow
{
    Q_OBJECT

public:
    explicit TFrm_AtualizarBanco(QWidget *parent = nullptr);

public slots:
    void FBAtualizaClick() override;
};

extern TFrm_AtualizarBanco *Frm_AtualizarBanco;
