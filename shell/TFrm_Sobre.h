#pragma once

#include <QDialog>

class PictureBox;

// The About window: the maker's picture, closed only through its frame.
class TFrm_Sobre : public QDialog
{
    Q_OBJECT

public:
    explicit TFrm_Sobre(QWidget *owner);

    PictureBox *Image1;

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
};

extern TFrm_Sobre *Frm_Sobre;
