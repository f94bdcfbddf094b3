#include "shell/TFrm_Sobre.h"

#include <QKeyEvent>
#include <QScreen>

TFrm_Sobre *Frm_Sobre = nullptr;

TFrm_Sobre::TFrm_Sobre(QWidget *owner)
    : QDialog(owner, Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                         Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint)
{
    setupUi(this);
    // Centred by its outer size, 540 x 431; the form gives the client area the picture needs.
    move(screen()->geometry().center() - QPoint(540 / 2, 431 / 2));
}

void TFrm_Sobre::keyPressEvent(QKeyEvent *event)
{
    // QDialog would close on Escape; this window closes only through its frame.
    if (event->key() == Qt::Key_Escape) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}
