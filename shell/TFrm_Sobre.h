#pragma once

#include "ui_TFrm_Sobre.h"

#include <QDialog>

// The About window: the maker's picture, closed only through its frame.
class TFrm_Sobre : public QDialog, public Ui::TFrm_Sobre
{
    Q_OBJECT

public:
    explicit TFrm_Sobre(QWidget *owner);

protected:
    void keyPressEvent(QKeyEvent *event) override;
};

extern TFrm_Sobre *Frm_Sobre;
