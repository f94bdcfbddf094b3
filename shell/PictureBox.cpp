#include "shell/PictureBox.h"

#include <QImageReader>
#include <QPainter>

PictureBox::PictureBox(Fit fit, QWidget *parent) : QWidget(parent), m_fit(fit)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void PictureBox::setPicture(const QImage &picture)
{
    m_picture = picture;
    update();
}

bool PictureBox::loadFile(const QString &path)
{
    QImageReader reader(path);
    const QImage image = reader.read();
    if (image.isNull())
        return false;
    setPicture(image);
    return true;
}

QRect PictureBox::pictureRect() const
{
    const QSize natural = m_picture.size();
    switch (m_fit) {
    case Fit::TopLeft:
        return QRect(QPoint(0, 0), natural);
    case Fit::Centre:
        return QRect(QPoint((width() - natural.width()) / 2, (height() - natural.height()) / 2), natural);
    case Fit::Stretch:
        return rect();
    case Fit::ScaleDownTopLeft:
        if (natural.width() <= width() && natural.height() <= height())
            return QRect(QPoint(0, 0), natural);
        return QRect(QPoint(0, 0), natural.scaled(size(), Qt::KeepAspectRatio));
    }
    return {};
}

void PictureBox::paintEvent(QPaintEvent *)
{
    if (m_picture.isNull())
        return;
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(pictureRect(), m_picture);
}
