#include "shell/TFrm_Sobre.h"

#include "widgets/PictureBox.h"

#include <QKeyEvent>
#include <QScreen>

TFrm_Sobre *Frm_Sobre = nullptr;

TFrm_Sobre::TFrm_Sobre(QWidget *owner)
    : QDialog(owner, Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                         Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint),
      Image1(new PictureBox(PictureBox::Fit::TopLeft, this))
{
    setObjectName(QStringLiteral("Frm_Sobre"));
    setWindowTitle(QStringLiteral("Nimbo Softwares"));
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setBuiltInPicture(QStringLiteral(":/images/about.jpg"));
    // 540 x 431 is the outer size; the client area is what the picture needs.
    resize(532, 400);
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

void TFrm_Sobre::resizeEvent(QResizeEvent *event)
{
    Image1->setGeometry(rect());
    QDialog::resizeEvent(event);
}
