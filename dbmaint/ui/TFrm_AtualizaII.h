#pragma once

#include "dbmaint/ui/CatalogueWindow.h"

// Schema update II: drops and creates again the fourteen total-keeping triggers, reconnecting before
// each drop. Refused statements are skipped without a word; a failed reconnection stops the run with
// the error box and leaves both buttons off.
class TFrm_AtualizaII : public CatalogueWindow
{
    Q_OBJECT

public:
    explicit TFrm_AtualizaII(QWidget *parent = nullptr);

public slots:
    void FBAtualizaClick() override;
};

extern TFrm_AtualizaII *Frm_AtualizaII;
