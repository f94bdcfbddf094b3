#pragma once

#include "dbmaint/ui/CatalogueWindow.h"

// Schema update II: drops and creates again the fourteen total-keeping triggers, reconnecting before
// each drop. What the database refuses because it is already so is skipped without a word; any
// other refusal is listed at the end of the run; a failed reconnection or a lost connection stops
// the run with the error box and leaves both buttons off.
class TFrm_AtualizaII : public CatalogueWindow
{
    Q_OBJECT

public:
    explicit TFrm_AtualizaII(QWidget *parent = nullptr);

public slots:
    void FBAtualizaClick() override;
};

extern TFrm_AtualizaII *Frm_AtualizaII;
