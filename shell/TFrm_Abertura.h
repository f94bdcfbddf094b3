#pragma once

#include "ui_TFrm_Abertura.h"

#include <QWidget>

// The splash window: the maker's picture, dome-shaped, from start-up until the main window's
// first activation.
class TFrm_Abertura : public QWidget, public Ui::TFrm_Abertura
{
    Q_OBJECT

public:
    TFrm_Abertura();

    // Shows the splash. Before a blocking wait (untilExposed) it also waits for the window
    // system to map it and paints it, so it is on screen during the wait; without one the
    // event loop paints it when it runs.
    void showAndPaint(bool untilExposed);

protected:
    void showEvent(QShowEvent *event) override;

private:
    void FormCreate();
};

extern TFrm_Abertura *Frm_Abertura;
