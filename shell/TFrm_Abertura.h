#pragma once

#include <QWidget>

class PictureBox;

// The splash window: the maker's picture, dome-shaped, from start-up until the main window's
// first activation.
class TFrm_Abertura : public QWidget
{
    Q_OBJECT

public:
    TFrm_Abertura();

    PictureBox *Image1;

    // Shows the splash and paints it before returning, so it is on screen during a blocking wait.
    void showAndPaint();

protected:
    void showEvent(QShowEvent *event) override;

private:
    void FormCreate();
};

extern TFrm_Abertura *Frm_Abertura;
